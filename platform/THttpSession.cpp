#include "platform/THttpSession.h"

#include <curl/curl.h>

#include <mutex>

namespace platform {

namespace {

using TClock = std::chrono::steady_clock;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

// Everything a running request needs lives here and is shared with the
// request's own frame, so the session may be destroyed from inside the pump.
struct THttpSession::TState {
    CURL* Easy = nullptr;
    CURLM* Multi = nullptr;
    curl_slist* Headers = nullptr;
    std::string Body;
    std::size_t MaxBytes = DefaultMaxBytes;
    std::chrono::milliseconds StallTime = DefaultStallTime;
    TClock::time_point LastProgress;
    bool Busy = false;
    bool Aborted = false;
    bool TooLarge = false;
    long Status = 0;

    TState() {
        GlobalInit();
        Easy = curl_easy_init();
        Multi = curl_multi_init();
        if (!Easy || !Multi) throw HttpError(HttpError::TKind::Network, "无法建立 HTTP 连接");
        Headers = curl_slist_append(Headers, (std::string("Accept: ") + Accept).c_str());
        Headers = curl_slist_append(Headers, "Content-Type: text/html");
        // Cookies are kept in memory for the life of this handle.
        curl_easy_setopt(Easy, CURLOPT_COOKIEFILE, "");
    }
    ~TState() {
        curl_multi_cleanup(Multi);
        curl_easy_cleanup(Easy);
        curl_slist_free_all(Headers);
    }

    static size_t Write(char* data, size_t size, size_t count, void* user) {
        auto* state = static_cast<TState*>(user);
        size_t bytes = size * count;
        state->LastProgress = TClock::now();
        if (state->Body.size() + bytes > state->MaxBytes) {
            state->TooLarge = true;
            return 0;
        }
        state->Body.append(data, bytes);
        return bytes;
    }

    static size_t Header(char*, size_t size, size_t count, void* user) {
        static_cast<TState*>(user)->LastProgress = TClock::now();
        return size * count;
    }

    void Prepare(const std::string& url) {
        curl_easy_setopt(Easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(Easy, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(Easy, CURLOPT_HTTPHEADER, Headers);
        curl_easy_setopt(Easy, CURLOPT_USERAGENT, UserAgent);
        curl_easy_setopt(Easy, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(Easy, CURLOPT_PROXY, "");
        curl_easy_setopt(Easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(Easy, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(Easy, CURLOPT_WRITEFUNCTION, &TState::Write);
        curl_easy_setopt(Easy, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(Easy, CURLOPT_HEADERFUNCTION, &TState::Header);
        curl_easy_setopt(Easy, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(Easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(MaxBytes));
        curl_easy_setopt(Easy, CURLOPT_CONNECT_ONLY, 0L);
        Body.clear();
        TooLarge = false;
        Aborted = false;
        Status = 0;
    }

    // Runs the transfer to its end; returns curl's result.
    CURLcode Run(const TPump& pump, std::chrono::milliseconds limit,
                 const std::shared_ptr<TState>& self) {
        curl_multi_add_handle(Multi, Easy);
        LastProgress = TClock::now();
        int running = 1;
        CURLcode result = CURLE_OK;
        while (true) {
            curl_multi_perform(Multi, &running);
            if (CURLMsg* msg = Done()) {
                result = msg->data.result;
                break;
            }
            int events = 0;
            curl_multi_poll(Multi, nullptr, 0, 10, &events);
            if (pump && !pump(events == 0)) self->Aborted = true;
            // The pump may have destroyed the session: only `self` is alive then.
            if (self->Aborted) {
                result = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            if (TClock::now() - LastProgress > limit) {
                result = CURLE_OPERATION_TIMEDOUT;
                break;
            }
        }
        curl_easy_getinfo(Easy, CURLINFO_RESPONSE_CODE, &Status);
        curl_multi_remove_handle(Multi, Easy);
        return result;
    }

    CURLMsg* Done() {
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(Multi, &left))
            if (msg->msg == CURLMSG_DONE) return msg;
        return nullptr;
    }
};

THttpSession::THttpSession() : FState(std::make_shared<TState>()) {}

THttpSession::~THttpSession() {
    FState->Aborted = true;
}

namespace {

// Marks the state busy for one request and clears the mark however it ends.
class TBusyGuard {
public:
    explicit TBusyGuard(bool& busy) : FBusy(busy) {
        if (busy) throw HttpError(HttpError::TKind::Busy, "HTTP 连接正忙");
        busy = true;
    }
    ~TBusyGuard() { FBusy = false; }

private:
    bool& FBusy;
};

} // namespace

std::string THttpSession::Get(const std::string& url, const TPump& pump) {
    std::shared_ptr<TState> state = FState;
    TBusyGuard busy(state->Busy);
    state->Prepare(url);
    CURLcode result = state->Run(pump, state->StallTime, state);
    if (state->Aborted) throw HttpError(HttpError::TKind::Aborted, "请求已取消: " + url);
    if (state->TooLarge || result == CURLE_FILESIZE_EXCEEDED)
        throw HttpError(HttpError::TKind::TooLarge, "回复过大: " + url);
    if (result == CURLE_OPERATION_TIMEDOUT)
        throw HttpError(HttpError::TKind::Stalled, "请求超时: " + url);
    if (result != CURLE_OK)
        throw HttpError(HttpError::TKind::Network, url + ": " + curl_easy_strerror(result));
    if (state->Status < 200 || state->Status > 299)
        throw HttpError(HttpError::TKind::Status, url + ": HTTP " + std::to_string(state->Status),
                        state->Status);
    std::string body;
    body.swap(state->Body);
    return body;
}

bool THttpSession::CanConnect(const std::string& url, std::chrono::milliseconds limit,
                              const TPump& pump) {
    try {
        // A handle of its own: a connect-only handle cannot carry transfers later.
        auto state = std::make_shared<TState>();
        state->Prepare(url);
        curl_easy_setopt(state->Easy, CURLOPT_CONNECT_ONLY, 1L);
        curl_easy_setopt(state->Easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limit.count()));
        CURLcode result = state->Run(pump, limit, state);
        return result == CURLE_OK && !state->Aborted;
    } catch (const HttpError&) {
        return false;
    }
}

void THttpSession::Abort() {
    FState->Aborted = true;
}
bool THttpSession::Busy() const {
    return FState->Busy;
}
long THttpSession::LastStatus() const {
    return FState->Status;
}
void THttpSession::SetMaxBytes(std::size_t bytes) {
    FState->MaxBytes = bytes;
}
void THttpSession::SetStallTime(std::chrono::milliseconds time) {
    FState->StallTime = time;
}

} // namespace platform

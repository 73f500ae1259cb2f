#pragma once
// Plain HTTP GET requests into memory over one connection with its own
// cookies. A request blocks its caller but calls the pump at every step of
// the transfer, so the window keeps working while it waits. Redirects are
// never followed and any status outside 2xx is a failure.
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace platform {

class HttpError : public std::runtime_error {
public:
    enum class TKind { Network, Status, TooLarge, Stalled, Aborted, Busy };
    HttpError(TKind kind, const std::string& message, long status = 0)
        : std::runtime_error(message), FKind(kind), FStatus(status) {}
    TKind Kind() const { return FKind; }
    long Status() const { return FStatus; }

private:
    TKind FKind;
    long FStatus;
};

class THttpSession {
public:
    static constexpr const char* UserAgent = "Mozilla/3.0 (compatible; Indy Library)";
    static constexpr const char* Accept = "text/html, */*";
    // A reply larger than this is a failed request, so an endless body can
    // never exhaust memory.
    static constexpr std::size_t DefaultMaxBytes = std::size_t{64} << 20;
    static constexpr std::chrono::milliseconds DefaultStallTime{60000};

    // The pump is told whether the transfer is idle (nothing arrived in this
    // step); it may destroy the session, which then ends the request, and it
    // returns false to end the request as aborted.
    using TPump = std::function<bool(bool idle)>;

    THttpSession();
    ~THttpSession();
    THttpSession(const THttpSession&) = delete;
    THttpSession& operator=(const THttpSession&) = delete;

    // The whole body of a 2xx reply. Throws HttpError for everything else.
    std::string Get(const std::string& url, const TPump& pump = {});
    // True when a TCP connection to the address's host and port (resolving
    // included) is made within the time limit. Never throws.
    static bool CanConnect(const std::string& url, std::chrono::milliseconds limit,
                           const TPump& pump = {});
    // Ends the running request, which then throws HttpError(Aborted).
    void Abort();
    bool Busy() const;
    long LastStatus() const;

    void SetMaxBytes(std::size_t bytes);
    void SetStallTime(std::chrono::milliseconds time);

private:
    struct TState;
    std::shared_ptr<TState> FState;
};

} // namespace platform

#include "services/THttpClient.h"

#include "platform/THttpSession.h"
#include "services/THttpAntiFreeze.h"

const TClassInfo& THttpClient::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<THttpClient>("THttpClient", &TComponent::StaticClass()).Build();
    return info;
}

THttpClient::THttpClient(TComponent* owner)
    : TComponent(owner), FSession(std::make_unique<platform::THttpSession>()) {}

THttpClient::~THttpClient() = default;

std::string THttpClient::Get(const std::string& url) {
    ++FRequestCount;
    try {
        return FSession->Get(url, &THttpAntiFreeze::Pump);
    } catch (const platform::HttpError& e) {
        throw EHttpError(e.what(), e.Kind() == platform::HttpError::TKind::Aborted, e.Status());
    }
}

void THttpClient::Disconnect() {
    FSession->Abort();
}
bool THttpClient::Busy() const {
    return FSession->Busy();
}
void THttpClient::SetMaxBytes(std::size_t bytes) {
    FSession->SetMaxBytes(bytes);
}
void THttpClient::SetStallTime(std::chrono::milliseconds time) {
    FSession->SetStallTime(time);
}

#pragma once
// The HTTP client component of the main window: plain GET requests into
// memory with its own connection and cookies. While a request waits, the
// process's anti-freeze keeps the window working.
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "gui/Exception.h"
#include "gui/TComponent.h"

namespace platform {
class THttpSession;
}

// A failed request: no connection, an error status, a reply over the size
// limit, a stall, or a request ended because its client went away.
class EHttpError : public Exception {
public:
    EHttpError(const std::string& message, bool aborted, long status)
        : Exception(message), FAborted(aborted), FStatus(status) {}
    bool Aborted() const { return FAborted; }
    long Status() const { return FStatus; }

private:
    bool FAborted;
    long FStatus;
};

class THttpClient : public TComponent {
    XF_CLASS(THttpClient)
public:
    explicit THttpClient(TComponent* owner);
    ~THttpClient() override;

    // The whole reply body. Destroying the client from inside the wait ends
    // the request with an aborted EHttpError; nothing of the client is
    // touched after that.
    std::string Get(const std::string& url);
    // Ends the running request.
    void Disconnect();
    bool Busy() const;
    int RequestCount() const { return FRequestCount; }

    void SetMaxBytes(std::size_t bytes);
    void SetStallTime(std::chrono::milliseconds time);

private:
    std::unique_ptr<platform::THttpSession> FSession;
    int FRequestCount = 0;
};

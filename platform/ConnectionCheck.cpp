#include "platform/ConnectionCheck.h"

namespace platform {

bool InternetCheckConnection(const std::string& url, std::chrono::milliseconds limit,
                             const THttpSession::TPump& pump) {
    if (url.empty()) return false;
    return THttpSession::CanConnect(url, limit, pump);
}

} // namespace platform

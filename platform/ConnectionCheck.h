#pragma once
// The internet connection check: can a connection to the test address's
// host and port be made right now (a forced attempt, never a cached answer)?
#include <chrono>
#include <string>

#include "platform/THttpSession.h"

namespace platform {

inline constexpr std::chrono::milliseconds ConnectionCheckLimit{5000};

// Resolves the host and connects to it within `limit`, pumping meanwhile.
// False on any failure, including an address that cannot be parsed.
bool InternetCheckConnection(const std::string& url,
                             std::chrono::milliseconds limit = ConnectionCheckLimit,
                             const THttpSession::TPump& pump = {});

} // namespace platform

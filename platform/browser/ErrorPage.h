#pragma once
// The page a view shows when its page cannot be shown (its web process
// died, or the address could not be loaded).
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kErrorPageTitle = "无法显示网页";

// A complete HTML document titled kErrorPageTitle naming the address and
// the reason, both escaped.
std::string ErrorPageHTML(std::string_view url, std::string_view reason);

} // namespace platform

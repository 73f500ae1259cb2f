// Addresses as typed or as pages report them: whatever the text, the
// browser gets an absolute address and a saved page a usable file name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Text.h"
#include "platform/browser/BrowserURL.h"
#include "platform/browser/ErrorPage.h"

static void Check(bool condition) {
    if (!condition) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string url = platform::NormalizeURL(text);
    Check(!url.empty());
    Check(!platform::URLScheme(url).empty());
    Check(platform::NormalizeURL(url) == url); // absolute addresses stay

    size_t split = size == 0 ? 0 : data[0] % (size + 1);
    std::string_view title = text.substr(0, split);
    std::string name = platform::SuggestedFileName(title, text.substr(split));
    Check(name.find('/') == std::string::npos && name.find('\0') == std::string::npos);
    Check(name.size() <= 130);
    std::string lower = platform::AsciiLower(name);
    Check(lower.ends_with(".htm") || lower.ends_with(".html"));
    if (platform::IsValidUtf8(title) && platform::IsValidUtf8(text.substr(split)))
        Check(platform::IsValidUtf8(name));

    std::string page = platform::ErrorPageHTML(text, title);
    Check(page.find("<script") == std::string::npos || text.find("<script") == std::string::npos);
    return 0;
}

// Names for downloads as servers send them: whatever the bytes, the result
// is one plain, visible, valid UTF-8 base name of bounded length, and its
// numbered forms stay plain too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DownloadName.h"
#include "platform/Text.h"

static void Check(bool condition) {
    if (!condition) __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string name = platform::CleanDownloadName(text);
    Check(!name.empty());
    Check(name.size() <= platform::kMaxDownloadNameBytes);
    Check(platform::IsValidUtf8(name));
    Check(name.find('/') == std::string::npos && name.find('\\') == std::string::npos);
    Check(name.front() != '.' && name.front() != ' ' && name.back() != '.' && name.back() != ' ');
    for (unsigned char c : name)
        Check(c >= 0x20 && c != 0x7F);
    Check(name.find("\xe2\x80\xae") == std::string::npos); // no right-to-left override
    Check(platform::CleanDownloadName(name) == name);      // clean names stay as they are
    std::string numbered = platform::NumberedDownloadName(name, 9999);
    Check(numbered.size() <= name.size() + 6 && platform::IsValidUtf8(numbered));
    Check(numbered.find('/') == std::string::npos && numbered.front() != '.');
    return 0;
}

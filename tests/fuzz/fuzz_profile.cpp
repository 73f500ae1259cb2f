// Profile (INI) reader: any bytes must give a profile whose listed sections
// and keys can all be found again, and answers that are valid UTF-8 and
// respect the buffer limit.
#include "platform/TProfile.h"
#include "platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using platform::TProfile;

static void Check(bool condition) {
    if (!condition) __builtin_trap();
}

static std::size_t Utf16Length(std::string_view text) {
    return platform::Utf8ToUtf16(text).size();
}

static void CheckSection(const TProfile& profile, const std::string& section,
                         std::size_t bufferChars) {
    Check(profile.SectionExists(section));
    int keys = 0;
    for (const std::string& key : profile.KeyNames(section)) {
        if (++keys > 64) break;
        auto value = profile.FindValue(section, key);
        Check(value.has_value());
        Check(platform::IsValidUtf8(*value));
        std::string limited = profile.ReadString(section, key, std::nullopt, bufferChars);
        Check(value->starts_with(limited));
        Check(bufferChars == 0 ? limited.empty() : Utf16Length(limited) < bufferChars);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TProfile profile(bytes);
    std::size_t bufferChars = size == 0 ? 2048 : data[0] % 16;
    int sections = 0;
    for (const std::string& section : profile.SectionNames()) {
        if (++sections > 64) break;
        CheckSection(profile, section, bufferChars);
    }
    // Lookups of names that may or may not exist must simply answer.
    profile.ReadString("0", "mc", "fallback  ", 2048);
    profile.ReadString("InternetShortcut", "URL", std::nullopt, 2048);
    profile.ReadString("", "", std::nullopt, 2048);
    return 0;
}

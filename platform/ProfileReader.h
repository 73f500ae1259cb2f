#pragma once
// Reading one value from an INI file the way the platform's
// GetPrivateProfileString does. The lookup rules live in TProfile; this is
// the one-shot call the shortcut and configuration readers make, plus the
// pieces of its contract that do not depend on the file.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The raw bytes of a profile file; reading stops one byte past
// TProfile::MaxFileBytes, which is enough for TProfile to know it was cut.
// Throws FileError naming the file when it is missing, a folder or unreadable.
std::string ReadProfileFile(const std::string& fileName);

// The value of `key` in `section` of `fileName`. When the file, the section
// or the key is missing the default is returned without its trailing
// spaces; a null default then gives "". The result holds at most
// bufferChars - 1 UTF-16 code units, as the wide platform call counts its
// buffer; a character that needs a surrogate pair is never split, so the
// result may be one unit shorter. Never throws for bad or missing files.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::optional<std::string_view> defaultValue,
                                    std::size_t bufferChars, const std::string& fileName);

// The default as GetPrivateProfileString returns it: trailing spaces
// removed, tabs kept, null read as "".
std::string ProfileDefault(std::optional<std::string_view> defaultValue);
// Cuts `text` to at most bufferChars - 1 UTF-16 units on a character boundary.
std::string LimitToBufferChars(std::string_view text, std::size_t bufferChars);

} // namespace platform

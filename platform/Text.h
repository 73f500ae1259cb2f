#pragma once
// Text helpers shared by every layer. Strings are UTF-8 in std::string;
// the browser's 16-bit text is std::u16string.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
// Case-insensitive for ASCII letters only; other bytes compare exactly, so a
// multi-byte character is never folded.
bool SameText(std::string_view a, std::string_view b);
bool StartsWithText(std::string_view text, std::string_view prefix);
// Lower-cases every letter (simple Unicode case mapping, so "Ä" and "ä" fold
// together) for names the platform compares without regard to case: profile
// sections and keys, registry keys and values. Malformed bytes stay as they are.
std::string FoldCase(std::string_view text);
// Spaces and tabs only: the blanks of the program's line-based files.
bool IsBlank(char c);
std::string_view TrimView(std::string_view text);
std::string Trim(std::string_view text);

bool IsValidUtf8(std::string_view bytes);
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
// The first `limit` UTF-16 units of `text`, one fewer rather than half of a
// surrogate pair.
std::string FirstUtf16Units(std::string_view text, size_t limit);
// Decodes GB18030 (a superset of GBK/GB2312) to UTF-8; undecodable bytes
// become U+FFFD.
std::string Gb18030ToUtf8(std::string_view bytes);
std::string Utf8ToGb18030(std::string_view text);
// The rule for outside text files: UTF-8 when the bytes are valid UTF-8,
// else GB18030.
std::string DecodeText(std::string_view bytes);

// Decimal conversions that never throw.
std::optional<int64_t> ParseInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t fallback);
std::string IntToStr(int64_t value);

} // namespace platform

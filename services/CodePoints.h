#pragma once
// UTF-8 text as code points, for the game search: a malformed byte becomes
// U+FFFD, so hostile text is searched (and matches nothing) instead of failing.
#include <string>
#include <string_view>
#include <vector>

namespace codepoints {

constexpr char32_t Replacement = 0xFFFD;

// At most `limit` code points; the rest of the text is not read.
std::vector<char32_t> Decode(std::string_view text, size_t limit = static_cast<size_t>(-1));
void Append(std::string& out, char32_t c);
std::string Encode(const std::vector<char32_t>& points);
// CJK ideographs, the ones the pinyin readings are for.
bool IsHan(char32_t c);
// ASCII letters folded to lower case; every other point as it is.
char32_t Lower(char32_t c);

} // namespace codepoints

#include "services/CodePoints.h"

namespace codepoints {

namespace {

// The length of the sequence a lead byte opens and the bits it carries;
// 0 for a byte that cannot open one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Overlong forms, surrogates and points past U+10FFFF are malformed too.
bool InRange(char32_t c, int length) {
    static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    return c >= Least[length] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

} // namespace

std::vector<char32_t> Decode(std::string_view text, size_t limit) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < text.size() && out.size() < limit) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = SequenceLength(lead);
        if (length == 1) {
            out.push_back(lead);
            ++i;
            continue;
        }
        char32_t c = length ? lead & (0x7F >> length) : 0;
        int taken = 1;
        while (length && taken < length && i + taken < text.size() &&
               (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80)
            c = (c << 6) | (static_cast<unsigned char>(text[i + taken++]) & 0x3F);
        bool whole = length && taken == length && InRange(c, length);
        out.push_back(whole ? c : Replacement);
        i += whole ? taken : 1;
    }
    return out;
}

void Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Encode(const std::vector<char32_t>& points) {
    std::string out;
    for (char32_t c : points)
        Append(out, c);
    return out;
}

bool IsHan(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F) || c == 0x3007;
}

char32_t Lower(char32_t c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

} // namespace codepoints

#include "services/TScreenshotName.h"

#include <cstdio>

#include "platform/Text.h"

namespace {

bool IsReserved(char32_t c) {
    return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
           c == '"' || c == '<' || c == '>' || c == '|';
}

bool IsSpace(char32_t c) {
    return c == ' ' || c == 0x3000 || c == 0xA0;
}

// Units of one character, a surrogate pair kept whole.
size_t CharacterLength(const std::u16string& text, size_t i) {
    return (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
}

std::u16string TrimEnds(std::u16string text) {
    auto trimmable = [](char16_t c) { return c == u' ' || c == u'.' || c == u'_'; };
    while (!text.empty() && trimmable(text.back()))
        text.pop_back();
    size_t start = 0;
    while (start < text.size() && trimmable(text[start]))
        ++start;
    return text.substr(start);
}

} // namespace

std::string TScreenshotName::SafeTitle(std::string_view title) {
    // Bytes that are not UTF-8 (a hostile or broken page) are read as the
    // Chinese code page, as outside text is everywhere in the program.
    std::u16string in = platform::Utf8ToUtf16(platform::DecodeText(title));
    std::u16string out;
    size_t characters = 0;
    bool lastSpace = false;
    for (size_t i = 0; i < in.size() && characters < MaxTitle;) {
        size_t n = CharacterLength(in, i);
        char32_t c = in[i];
        if (IsSpace(c)) {
            if (!lastSpace && !out.empty()) out += u' ', ++characters;
            lastSpace = true;
        } else {
            out += IsReserved(c) ? std::u16string(u"_") : in.substr(i, n);
            ++characters;
            lastSpace = false;
        }
        i += n;
    }
    return platform::Utf16ToUtf8(TrimEnds(out));
}

std::string TScreenshotName::Stem(const std::tm& when, std::string_view title) {
    char date[64];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d.%02d.%02d", when.tm_year + 1900,
                  when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    std::string safe = SafeTitle(title);
    return std::string(date) + " " + (safe.empty() ? "网页" : safe);
}

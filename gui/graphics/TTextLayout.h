#pragma once
// How DrawText lays its text out before anything is drawn: access-key
// marks, line breaks, word wrapping and the end ellipsis. Widths come from
// TTextRenderer, so layout and drawing agree.
#include <string>
#include <string_view>
#include <vector>

class TFont;

struct TTextLine {
    std::string Text;
    size_t Accel = std::string::npos; // byte of the underlined character
    int Width = 0;
};

class TTextLayout {
public:
    // "&x" shows x underlined (the first such mark; its byte offset goes to
    // `accel`, npos when there is none), "&&" shows one "&", a final lone
    // "&" shows nothing.
    static std::string StripPrefix(std::string_view text, size_t& accel);
    // The character after the first "&" mark, lower-cased when it is a
    // Latin capital; 0 when there is none. What Alt+key matches.
    static char16_t AccelChar(std::string_view text);
    // The lines of `text` for the DT_ flags, `width` being the rectangle's
    // (used by DT_WORDBREAK and DT_END_ELLIPSIS).
    static std::vector<TTextLine> Lines(const TFont& font, std::string_view text, unsigned flags,
                                        int width);
    // The longest start of `line` that fits `width` with "..." after it.
    static TTextLine EndEllipsis(const TFont& font, const TTextLine& line, int width);
};

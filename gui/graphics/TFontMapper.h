#pragma once
// Face names used by layouts and skins, mapped to the fonts installed here.
// Our own table rather than fontconfig's guesses, which give the Chinese
// system faces a serif Latin font.
#include <string>
#include <string_view>

class TFontMapper {
public:
    // A family list for Pango ("A,B"): the stand-in first, then fallbacks
    // so that Latin and Chinese text both find glyphs.
    static std::string Families(std::string_view faceName);
    // The family that draws the Latin letters, digits and signs of text in
    // a Chinese face (empty for other faces): the Chinese face's own Latin
    // strikes run letters together at the sizes the layouts use.
    static std::string LatinFamily(std::string_view faceName);
    // True for the Chinese system faces ("宋体", "SimSun", "黑体", ...).
    static bool IsChineseFace(std::string_view faceName);
};

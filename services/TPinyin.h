#pragma once
// Pinyin readings of Han characters and the search keys of a game name,
// made when a list is imported so that a search never transliterates.
//
// Readings come from the ICU's Han-Latin transliteration, which knows one
// reading per character, plus the common second readings of the characters
// game names use (地 in 斗地主 is "di", ICU says "de"). A reading with ü is
// also kept with "v", as players type it.
//
// Safe to call from any thread.
#include <string>
#include <string_view>
#include <vector>

class TPinyin {
public:
    // Lower-case ASCII readings, the most common first; empty for a
    // character that is not Han.
    static std::vector<std::string> Readings(char32_t c);
    // The keys of a name: one unit per Han character (the character, then
    // its readings joined by '|': "地di|de") and one per run of Latin letters and digits (in lower
    // case), the units joined by ' '. Other characters only separate units.
    static std::string Keys(std::string_view name);
};

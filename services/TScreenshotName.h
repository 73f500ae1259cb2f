#pragma once
// The file name of a game screenshot: when it was taken and what the page
// is called, reduced to what every file system and file manager accepts.
#include <ctime>
#include <string>
#include <string_view>

class TScreenshotName {
public:
    // Longest title part kept, in characters.
    static constexpr size_t MaxTitle = 40;
    // "2026-12-08 17.45.03 <title>", without extension. A page without a
    // usable title is called "网页".
    static std::string Stem(const std::tm& when, std::string_view title);
    // The title with path separators, reserved and control characters
    // replaced, spaces folded, dots and spaces trimmed at the ends, cut to
    // MaxTitle characters; "" when nothing is left.
    static std::string SafeTitle(std::string_view title);
};

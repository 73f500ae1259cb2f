#pragma once
// Sizes and frame counts of the built-in style pictures. The drawing code of
// the skinned controls cuts these pictures into equal frames, so the sizes
// are fixed; the frame counts say how a picture is laid out.
#include <string>
#include <vector>

namespace stylepics {

struct TPartSize {
    int Width = 0;
    int Height = 0;
    int Frames = 1;
};

extern const std::vector<std::string> StylePrefixes; // MACOS, WINXP, ...

// Raises std::out_of_range for a part the style does not have.
TPartSize StylePartSize(const std::string& prefix, const std::string& part);
bool StyleHasPart(const std::string& prefix, const std::string& part);

} // namespace stylepics

#pragma once
// The program's own icon: a sail under a star on a night-blue disc, drawn
// on a 64-unit grid so every size comes from one drawing. It is the
// desktop's icon for the program and its windows' icon.
#include <string>
#include <vector>

#include "tools/stylepics/TLayer.h"

namespace stylepics {

class TProgramIcon {
public:
    // The sizes the desktop's icon theme gets, in pixels.
    static const std::vector<int>& Sizes();

    // A square layer of `size` pixels, transparent around the disc.
    static TLayer Paint(int size);
    // Straight (not premultiplied) RGBA bytes, row by row.
    static std::vector<unsigned char> Rgba(const TLayer& layer);
    // Writes the layer as a PNG file with its transparency; throws
    // std::runtime_error naming the file when it cannot.
    static void SavePng(const TLayer& layer, const std::string& fileName);
};

} // namespace stylepics

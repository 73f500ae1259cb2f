#pragma once
#include "tools/stylepics/TPictureSet.h"

namespace stylepics {

// The main window's own pictures (group "APP"): toolbar glyphs, the
// tab-strip buttons, the status bar ground and the two image lists. Every
// one is keyed on magenta, the colour of its lower-left pixel.
void PaintAppPictures(TPictureSet& set);

// Images of the 16 x 16 list, by index; the menus use 0, 7, 8, 10, 11,
// 12, 15, 30, 32, 35, 36, 37, 38 and 40.
constexpr int AppImageCount16 = 41;
constexpr int AppImageCount24 = 12;

} // namespace stylepics

#pragma once
#include "tools/stylepics/TPictureSet.h"

namespace stylepics {

// Pictures several styles use: the tab strip's scroll buttons of DeepBlue,
// Protein and BlueGlass, and the menus' check mark.
void PaintSharedPictures(TPictureSet& set);

} // namespace stylepics

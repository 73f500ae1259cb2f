#pragma once
#include "tools/stylepics/TPictureSet.h"

namespace stylepics {

// Paints every picture: the five styles, the shared ones and the
// program's own.
void MakeAllPictures(TPictureSet& set);

} // namespace stylepics

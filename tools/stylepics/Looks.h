#pragma once
// Surface finishes that several styles share. Each fills `shape`, whose
// vertical extent is top..bottom, on the layer.
#include "tools/stylepics/TLayer.h"

namespace stylepics {

// Candy gel: deep at the top, glowing at the bottom, a glossy cap.
void PaintGel(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba base,
              float gloss = 0.85f);
// Glass: a bright upper half and a deeper lower half split at a horizon.
void PaintGlass(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba upper,
                TRgba lower);
// Brushed metal: a soft ramp with a sheen line below the top.
void PaintMetal(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba light, TRgba dark);
// A plain ramp from `upper` to `lower`.
void PaintRamp(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba upper, TRgba lower);
void PaintOutline(TLayer& layer, const TSdf& shape, TRgba colour, float width = 1.0f);

} // namespace stylepics

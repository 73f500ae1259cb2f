#include "tools/stylepics/Looks.h"

namespace stylepics {

void PaintGel(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba base, float gloss) {
    const float height = bottom - top;
    layer.Fill(
        shape,
        Vertical(top, bottom - 1,
                 {{0.0f, Darken(base, 0.28f)}, {0.45f, base}, {1.0f, Lighten(base, 0.45f)}}));
    // The cap covers the upper half, inset so the rim stays visible.
    const TSdf cap = Intersect(Grow(shape, -1.2f), Box(-1000, top, 1000, top + height * 0.52f));
    layer.Fill(cap, Vertical(top, top + height * 0.52f,
                             {{0.0f, Rgb(255, 255, 255, gloss)},
                              {1.0f, Rgb(255, 255, 255, gloss * 0.18f)}}));
    PaintOutline(layer, shape, Darken(base, 0.45f));
}

void PaintGlass(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba upper,
                TRgba lower) {
    const float horizon = top + (bottom - top) * 0.5f;
    layer.Fill(Intersect(shape, Box(-1000, top - 1, 1000, horizon)),
               Vertical(top, horizon - 1, {{0.0f, Lighten(upper, 0.35f)}, {1.0f, upper}}));
    layer.Fill(Intersect(shape, Box(-1000, horizon, 1000, bottom + 1)),
               Vertical(horizon, bottom - 1, {{0.0f, lower}, {1.0f, Lighten(lower, 0.35f)}}));
    layer.Fill(InnerRing(Grow(shape, -1), 1), Rgb(255, 255, 255, 0.45f));
}

void PaintMetal(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba light,
                TRgba dark) {
    layer.Fill(shape, Vertical(top, bottom - 1,
                               {{0.0f, Lighten(light, 0.5f)},
                                {0.18f, light},
                                {0.55f, Mix(light, dark, 0.55f)},
                                {1.0f, dark}}));
}

void PaintRamp(TLayer& layer, const TSdf& shape, float top, float bottom, TRgba upper,
               TRgba lower) {
    layer.Fill(shape, Vertical(top, bottom - 1, {{0.0f, upper}, {1.0f, lower}}));
}

void PaintOutline(TLayer& layer, const TSdf& shape, TRgba colour, float width) {
    layer.Fill(InnerRing(shape, width), colour);
}

} // namespace stylepics

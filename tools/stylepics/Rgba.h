#pragma once
// Colours of the picture painter: straight (not premultiplied) floats in
// 0..1, so ramps and mixes read like the colour values they come from.
#include <algorithm>
#include <cmath>

#include "gui/Types.h"

namespace stylepics {

struct TRgba {
    float R = 0, G = 0, B = 0, A = 0;
};

inline TRgba Rgb(int r, int g, int b, float a = 1.0f) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

inline TRgba FromColor(TColor color) {
    return Rgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

inline int ToByte(float v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

inline TColor ToColor(const TRgba& c) {
    return RGB(ToByte(c.R), ToByte(c.G), ToByte(c.B));
}

inline TRgba Mix(const TRgba& a, const TRgba& b, float t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t,
            a.A + (b.A - a.A) * t};
}

inline TRgba Lighten(const TRgba& c, float t) {
    return Mix(c, {1, 1, 1, c.A}, t);
}
inline TRgba Darken(const TRgba& c, float t) {
    return Mix(c, {0, 0, 0, c.A}, t);
}
inline TRgba WithAlpha(const TRgba& c, float a) {
    return {c.R, c.G, c.B, a};
}

// The engine's colour key.
inline constexpr TColor clMagenta = RGB(255, 0, 255);

} // namespace stylepics

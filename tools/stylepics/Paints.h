#pragma once
// What a shape is filled with: a colour for each point.
#include <functional>
#include <utility>
#include <vector>

#include "tools/stylepics/Rgba.h"

namespace stylepics {

using TPaint = std::function<TRgba(float x, float y)>;
// Positions 0..1 along a ramp, ascending.
using TRamp = std::vector<std::pair<float, TRgba>>;

TRgba Sample(const TRamp& ramp, float t);

TPaint Solid(TRgba colour);
// Top-to-bottom ramp between pixel rows `from` and `to` (row centres).
TPaint Vertical(float from, float to, TRamp ramp);
TPaint Horizontal(float from, float to, TRamp ramp);
TPaint Radial(float cx, float cy, float radius, TRamp ramp);
// Colour of a row, sampled at its centre: y in [row, row + 1).
TPaint Rows(std::vector<TRgba> rows);

} // namespace stylepics

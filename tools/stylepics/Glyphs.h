#pragma once
// Line-drawn symbols shared by every style, placed in a box of the given
// size whose centre is (cx, cy). Widths are stroke widths in pixels.
#include "tools/stylepics/Shapes.h"

namespace stylepics {

enum class TDirection { Left, Right, Up, Down };

TSdf CrossGlyph(float cx, float cy, float size, float width);
TSdf PlusGlyph(float cx, float cy, float size, float width);
// A window outline with a heavier title edge.
TSdf MaximiseGlyph(float cx, float cy, float size, float width);
// Two overlapping window outlines.
TSdf RestoreGlyph(float cx, float cy, float size, float width);
// A bar along the bottom of the box.
TSdf MinimiseGlyph(float cx, float cy, float size, float width);
TSdf QuestionGlyph(float cx, float cy, float size, float width);
TSdf DiamondGlyph(float cx, float cy, float size);
// Solid triangle pointing in `to`.
TSdf TriangleGlyph(float cx, float cy, float size, TDirection to);
// Open chevron (two strokes) pointing in `to`.
TSdf ChevronGlyph(float cx, float cy, float size, float width, TDirection to);
TSdf CheckGlyph(float cx, float cy, float size, float width);
// A slider thumb filling w x h: a body with rounded back corners and a
// point, downwards (horizontal bars) or to the right (vertical bars). One
// outline, so its border has no seam where body and point meet.
TSdf ThumbShape(float w, float h, float radius, bool vertical);

} // namespace stylepics

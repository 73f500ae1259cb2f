#pragma once
// The plain 3-D look shared by the standard controls.
#include "gui/Types.h"

class TCanvas;
class TWinControl;

// `width` one-pixel rings just inside `rect`: top and left in topColor,
// bottom and right in bottomColor (the top-right and bottom-left corner
// pixels take bottomColor). `rect` shrinks by what was drawn.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);
// The two-pixel sunken edge of edits, lists and trees (a client edge).
void DrawSunkenEdge(TCanvas& canvas, TRect& rect);
// The two-pixel raised edge of a push button; pressed: the sunken look.
void DrawButtonEdge(TCanvas& canvas, TRect& rect, bool pressed);
// A filled triangle pointing down (or up, left, right) centred in `rect`,
// `size` pixels along its base's half.
enum class TArrowDirection { Up, Down, Left, Right };
void DrawArrow(TCanvas& canvas, const TRect& rect, TArrowDirection direction, TColor color,
               int size = 3);
// Dotted focus rectangle one pixel wide.
void DrawFocusRect(TCanvas& canvas, const TRect& rect);
// Fills `rect` with a solid colour, keeping the canvas brush.
void FillSolid(TCanvas& canvas, const TRect& rect, TColor color);
// The non-client paint of an edit or a tree: the sunken edge when `sunken`,
// then the control's border width in its colour.
void PaintSunkenBorder(TCanvas& canvas, const TWinControl& control, bool sunken);

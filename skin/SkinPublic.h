#pragma once
// The drawing helpers every skinned control shares: cutting strips into
// frames, drawing pictures whose corners keep their size, tiling, turning,
// painting what lies behind a control, control and menu-window frames, and a
// few small shared services (hit test, work area, menu font, the check-mark
// picture list). Nothing here keeps state between calls except the shared
// check-mark list.
#include "gui/TMenuItem.h"
#include "gui/Types.h"

class TBitmap;
class TCanvas;
class TControl;
class TCustomForm;
class TFont;
class TImageList;
class TPicture;
class TWinControl;

// The engine's transparent colour wherever no other colour is named.
constexpr TColor SkinTransparentColor = RGB(255, 0, 255);

// Gives `target` the size and pixels of `pixels` (which receives target's
// old ones). The target keeps its transparency settings: they belong to the
// picture, not to what is loaded into it. A TPicture reports the change.
void TakePixels(TBitmap& target, TBitmap& pixels);
void TakePixels(TPicture& target, TBitmap& pixels);

// Frame `index` (from 1) of `count` equal frames of `source`, each
// source.Width() / count wide (leftover columns on the right are never
// used), full height. `dest` takes the frame's size and pixels and keeps its
// own transparency settings; `source` and `dest` may be the same bitmap.
// An index outside 1..count gives a frame-sized white bitmap; a count of 0
// or less leaves `dest` alone.
void SplitBitmap(const TBitmap& source, TBitmap& dest, int count, int index);

// Draws `source` into `rect` keeping its corners at natural size; edges and
// centre are stretched. The corners honour magenta only when `transparent`;
// edges and centre always leave magenta pixels out. The pieces are laid out
// from rect's top-left, so a rect away from the origin moves them with it.
void DrawNineSlice(const TBitmap& source, TCanvas& canvas, const TRect& rect, bool transparent);

// Left and right thirds of `source` at natural size, the middle third
// stretched between them (without transparency). The thirds leave out the
// source's top-left colour when `cornerPixelTransparent`, magenta otherwise.
void DrawThreeSlice(const TBitmap& source, TCanvas& canvas, const TRect& rect,
                    bool cornerPixelTransparent);

// Repeats `picture` from the canvas origin (whatever rect's Left and Top)
// far enough to cover rect's width and height.
void TileDraw(TCanvas& canvas, const TBitmap& picture, const TRect& rect);

// Paints into `canvas` (whose origin is the control's top-left) what the
// control's parent shows behind it: the parent's background erase and paint
// steps, which include the parent's plain child controls but not its child
// windows. Nothing without a parent. While a parent is painting itself for
// this purpose, further requests for the same parent draw nothing, so
// transparent siblings painted by that parent cannot recurse.
void DrawParentBackground(TCanvas& canvas, const TControl* control);

// A one-pixel frame in `color` around the control's whole window,
// non-client area included, and with `drawInner` a second one inside it in
// `innerColor`. Draws straight into the back buffer of the control's form
// (the window's own surface), clipped to what the control's ancestors show;
// meant to be called after the control has painted. Nothing when the
// control is on no form.
void DrawControlBorder(TWinControl* control, TColor color, TColor innerColor, bool drawInner);
// The same frames on a canvas whose origin is the window's top-left (the
// canvas of the non-client paint step).
void DrawControlBorder(TCanvas& windowCanvas, const TControl& control, TColor color,
                       TColor innerColor, bool drawInner);

// A quarter turn in place, counter-clockwise / clockwise. The bitmap keeps
// its transparency settings.
void RotateBitmapLeft(TBitmap& bitmap);
void RotateBitmapRight(TBitmap& bitmap);

// Both edges inclusive: a point on Right or Bottom counts as inside.
bool InRect(TPoint point, const TRect& rect);

// The work area of the screen (one work area for every window here).
TRect GetWorkAreaRect();

// Left, Top, Width, Height, in that order.
void SetControlBounds(TControl* control, const TRect& rect);

// The system menu font and menu-text colour. This platform has no system
// metrics to read, so the menu font is fixed: "宋体" at 9 points (em height
// 12 pixels), GB2312 character set, no style, colour clMenuText.
void SetMenuFont(TFont& font);

// Gives the item and every item below it, at any depth, these owner-draw
// handlers. Whatever handlers were there before are replaced, the advanced
// draw handler included (it would otherwise be asked first).
void SetMenuItemDrawHandlers(TMenuItem* item, const TMenuMeasureItemEvent& measure,
                             const TMenuDrawItemEvent& draw);

// Brush colour, then frame / fill.
void FrameRectColor(TCanvas& canvas, const TRect& rect, TColor color);
void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color);
// A line in `color` from (Left + indent + 4, Top + 2) to (Right - 2, Top + 2).
void DrawMenuSeparator(TCanvas& canvas, const TRect& rect, TColor color, int indent);
// "MACOS_MENU_BAR" cut to its top 12 rows / 20 rows, "MACOS_MENU_SELECT" cut
// to 20 rows, stretched over rect. Nothing when the picture is missing.
void DrawMacOSMenuBarNarrow(TCanvas& canvas, const TRect& rect);
void DrawMacOSMenuBar(TCanvas& canvas, const TRect& rect);
void DrawMacOSMenuSelect(TCanvas& canvas, const TRect& rect);

// Redraws the frame of a pop-up menu window on its own surface: the
// rectangle (0, 1, W - 1, H - 1) in `color`, the one inside it in white, and
// lines in `lineColor` along the bottom, the right and the top edge. The
// changed window is presented at once.
void DrawMenuWindowFrame(TCustomForm* window, TColor color, TColor lineColor);

// The shared list with the 16x16 "MENU_CHECKED" picture (white left out),
// made on first use and kept until the process ends; empty when the picture
// is missing.
TImageList& MenuCheckImages();

// Only a family of systems that does not exist here sets it.
bool IsWin95OSR2();

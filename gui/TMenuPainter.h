#pragma once
// The plain look of menus: how an item without owner-draw handlers is
// measured and drawn in a menu window, and how a menu bar draws its top
// items. Colours are the system colours, so the look follows the table in
// ColorToRGB.
#include "gui/TMenuItem.h"
#include "gui/Types.h"

class TFont;

class TMenuPainter {
public:
    static constexpr int SeparatorHeight = 9;
    // Left column for the check mark and the image, around a 16-pixel image.
    static constexpr int MinGutter = 22;
    // Right of the caption: room for the sub-menu arrow.
    static constexpr int ArrowSpace = 20;
    static constexpr int ShortCutGap = 24;
    static constexpr int BarItemPadding = 7;

    // The font menus are drawn with unless a skin says otherwise.
    static void AssignMenuFont(TFont& font);

    static void Measure(const TMenuItem& item, TCanvas& canvas, int& width, int& height);
    static void Draw(const TMenuItem& item, TCanvas& canvas, const TRect& rect,
                     TOwnerDrawState state);

    // A top item in a plain menu bar; `hot` under the mouse or the keyboard,
    // `open` while its sub-menu is shown.
    static TSize MeasureBarItem(const TMenuItem& item, TCanvas& canvas);
    static void DrawBarItem(const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool hot,
                            bool open);
    // The sub-menu arrow at the right end of an item's rectangle.
    static void DrawArrow(TCanvas& canvas, const TRect& rect, TColor color);

private:
    static int Gutter(const TMenuItem& item);
    static void DrawSeparator(TCanvas& canvas, const TRect& rect);
    static void DrawCheck(const TMenuItem& item, TCanvas& canvas, const TRect& box, TColor color,
                          bool hasImage);
};

// The helpers of the skinned menus: font, fills, separators, the MacOS
// menu pictures, the menu-window frame and the shared check-mark list.
#include <memory>

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TFont.h"
#include "gui/graphics/TImageList.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"

namespace {

// A named picture cut to its top `rows` rows and stretched over rect.
void StretchPictureTop(TCanvas& canvas, const TRect& rect, std::string_view name, int rows) {
    TBitmap picture;
    if (!LoadResourceBitmap(name, picture)) return;
    picture.SetHeight(rows);
    canvas.StretchDraw(rect, picture);
}

} // namespace

void SetMenuFont(TFont& font) {
    TFont menuFont;
    menuFont.SetName("宋体");
    menuFont.SetHeight(-12);
    menuFont.SetStyle({});
    menuFont.SetCharset(GB2312_CHARSET);
    menuFont.SetColor(clMenuText);
    font.Assign(menuFont);
}

void SetMenuItemDrawHandlers(TMenuItem* item, const TMenuMeasureItemEvent& measure,
                             const TMenuDrawItemEvent& draw) {
    if (!item) return;
    item->OnMeasureItem = measure;
    item->OnDrawItem = draw;
    item->OnAdvancedDrawItem = nullptr;
    for (int i = 0; i < item->Count(); ++i)
        SetMenuItemDrawHandlers(item->Items(i), measure, draw);
}

void FrameRectColor(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush().SetColor(color);
    canvas.FrameRect(rect);
}

void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

void DrawMenuSeparator(TCanvas& canvas, const TRect& rect, TColor color, int indent) {
    canvas.Pen().SetColor(color);
    canvas.MoveTo(rect.Left + indent + 4, rect.Top + 2);
    canvas.LineTo(rect.Right - 2, rect.Top + 2);
}

void DrawMacOSMenuBarNarrow(TCanvas& canvas, const TRect& rect) {
    StretchPictureTop(canvas, rect, "MACOS_MENU_BAR", 12);
}

void DrawMacOSMenuBar(TCanvas& canvas, const TRect& rect) {
    StretchPictureTop(canvas, rect, "MACOS_MENU_BAR", 20);
}

void DrawMacOSMenuSelect(TCanvas& canvas, const TRect& rect) {
    StretchPictureTop(canvas, rect, "MACOS_MENU_SELECT", 20);
}

void DrawMenuWindowFrame(TCustomForm* window, TColor color, TColor lineColor) {
    if (!window) return;
    const TRect r{0, 0, window->Width(), window->Height()};
    if (r.IsEmpty()) return;
    TCanvas& canvas = window->BackBuffer().Canvas();
    {
        TCanvasSaver saver(canvas);
        canvas.ResetClip();
        canvas.SetOrigin({0, 0});
        const TRect outer{r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1};
        FrameRectColor(canvas, outer, color);
        FrameRectColor(canvas, outer.Inflate(-1, -1), clWhite);
        canvas.Pen().SetColor(lineColor);
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Right - 1, r.Top);
        canvas.LineTo(r.Right, r.Top);
        canvas.LineTo(r.Left, r.Top);
    }
    if (window->Visible() && Application)
        Application->Host().PresentWindow(window->HostWindow(), r);
}

TImageList& MenuCheckImages() {
    static const std::unique_ptr<TImageList> images = [] {
        auto list = std::make_unique<TImageList>(16, 16);
        TBitmap checked;
        if (LoadResourceBitmap("MENU_CHECKED", checked)) list->AddMasked(checked, clWhite);
        return list;
    }();
    return *images;
}

bool IsWin95OSR2() {
    return false;
}

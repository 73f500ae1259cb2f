#include "skin/TskMenuBar.h"

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskForm.h"
#include "skin/TskMainMenu.h"
#include "skin/TskThemeLookup.h"

namespace {

constexpr unsigned kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

void StretchResource(TCanvas& canvas, const char* name, const TRect& rect) {
    TBitmap picture;
    if (LoadResourceBitmap(name, picture)) canvas.StretchDraw(rect, picture);
}

} // namespace

const TClassInfo& TskMenuBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TskMenuBar>("TskMenuBar", &TMenuBar::StaticClass()).Build();
    return info;
}

TskMenuBar::TskMenuBar(TskForm* frame) : TMenuBar(frame), FFrame(frame) {}

TskUIStyle TskMenuBar::Style() const {
    if (auto* menu = dynamic_cast<TskMainMenu*>(Menu())) return menu->Theme().UIStyle();
    return FFrame->UIStyle();
}

TskThemeLookup TskMenuBar::Theme() const {
    if (auto* menu = dynamic_cast<TskMainMenu*>(Menu()))
        return TskThemeLookup(menu->Theme().FileTheme(), menu->Theme().UIStyle());
    return TskThemeLookup(FFrame->FileTheme(), FFrame->UIStyle());
}

void TskMenuBar::UpdateFont() {
    auto* menu = dynamic_cast<TskMainMenu*>(Menu());
    if (!menu || menu->UseSystemFont()) {
        SetMenuFont(Font());
    } else {
        Font().SetName(menu->FontName());
        Font().SetSize(menu->FontSize());
        Font().SetCharset(static_cast<TFontCharset>(menu->FontCharset()));
        Font().SetColor(menu->FontColor());
    }
    Invalidate();
}

void TskMenuBar::PaintBar(TCanvas& canvas) {
    if (Style() == TskUIStyle::MacOS) StretchResource(canvas, "MACOS_MENU_BAR", ClientRect());
}

void TskMenuBar::PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot, bool open) {
    const TMenuItem* item = BarItem(index);
    if (!item) return;
    const TskThemeLookup theme = Theme();
    canvas.Brush().SetStyle(bsClear);
    TRect r = rect;
    if (hot || open) {
        canvas.Font().SetColor(theme.Color(ThemeItem::MenuSelectedFontColor));
        if (Style() == TskUIStyle::MacOS) {
            TBitmap selected(r.Width(), r.Height());
            selected.SetScale(canvas.Target().Scale());
            StretchResource(selected.Canvas(), "MACOS_MENU_SELECT", {0, 0, r.Width(), r.Height()});
            selected.Canvas().Font().Assign(canvas.Font());
            selected.Canvas().Brush().SetStyle(bsClear);
            TRect text{0, 0, r.Width(), r.Height() + 2};
            selected.Canvas().DrawText(item->Caption(), text, kCentred);
            canvas.Draw(r.Left, r.Top, selected);
            return;
        }
        if (open) r.Right -= 2;
        FillRectColor(canvas, r, theme.Color(ThemeItem::MenuSelectedBackgroundColor));
        FrameRectColor(canvas, r, theme.Color(ThemeItem::MenuSelectedBorderColor));
        if (open) r.Left += 2;
        r.Top += 2;
    } else {
        r.Top += 2;
        TColor color = theme.Color(ThemeItem::MenuFontColor);
        if (theme.UsesFile() && theme.Color(ThemeItem::ControlFontColor) == 0x30000) color = clWhite;
        canvas.Font().SetColor(item->Enabled() ? color : clGray);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(item->Caption(), r, kCentred);
}

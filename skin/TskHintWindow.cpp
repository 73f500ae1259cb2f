#include "skin/TskHintWindow.h"

#include <algorithm>

#include "gui/TTimer.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/TskThemeLookup.h"

namespace {
constexpr int kPadX = 18;
constexpr int kPadY = 10;
constexpr int kTopGap = 24;
} // namespace

const TClassInfo& TskHintWindow::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskHintWindow>("TskHintWindow", &TCustomForm::StaticClass()).Build();
    return info;
}

TskHintWindow::TskHintWindow(TComponent* owner) : TCustomForm(owner) {
    SetBorderStyle(TBorderStyle::bsNone);
    SetCaptionBits(false);
    Font().SetName("宋体");
    Font().SetHeight(-14);
    FTimer = new TTimer(this);
    FTimer->SetEnabled(false);
    FTimer->OnTimer = [this](TObject*) { HideHint(); };
}

void TskHintWindow::ShowHint(const std::string& text, const TRect& area, int ms,
                             const TskFileTheme* fileTheme, TskUIStyle style) {
    TskThemeLookup theme(fileTheme, style);
    FBack = theme.Color(ThemeItem::MenuBackgroundColor);
    FTextColor = theme.Color(ThemeItem::MenuFontColor);
    // Some styles draw their menus from pictures and leave both colours
    // alike: the text then takes black or white, whichever shows.
    if (ColorToRGB(FTextColor) == ColorToRGB(FBack)) {
        TColor rgb = ColorToRGB(FBack);
        int light = (rgb & 0xFF) * 3 + ((rgb >> 8) & 0xFF) * 6 + ((rgb >> 16) & 0xFF);
        FTextColor = light > 1275 ? clBlack : clWhite;
    }
    FBorder = theme.Color(ThemeItem::FormBorderColor);
    FText = text;
    TBitmap measure(1, 1);
    measure.Canvas().Font().Assign(Font());
    int w = measure.Canvas().TextWidth(text) + 2 * kPadX;
    int h = measure.Canvas().TextHeight(text) + 2 * kPadY;
    w = std::min(w, std::max(area.Width(), 1));
    int left = area.Left + (area.Width() - w) / 2;
    SetBoundsRect(TRect::FromSize(left, area.Top + kTopGap, w, h));
    Invalidate();
    // Not Show(): the notice must not take activation from the window below.
    SetVisible(true);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(ms);
    FTimer->SetEnabled(true);
}

void TskHintWindow::HideHint() {
    FTimer->SetEnabled(false);
    SetVisible(false);
}

void TskHintWindow::PaintWindow(TCanvas& canvas) {
    TRect r{0, 0, Width(), Height()};
    canvas.Brush().SetColor(FBack);
    canvas.FillRect(r);
    canvas.Brush().SetColor(FBorder);
    canvas.FrameRect(r);
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(FTextColor);
    canvas.Brush().SetStyle(bsClear);
    int tw = canvas.TextWidth(FText);
    int th = canvas.TextHeight(FText);
    canvas.TextOut((Width() - tw) / 2, (Height() - th) / 2, FText);
}

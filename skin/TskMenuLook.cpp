#include "skin/TskMenuLook.h"

#include "gui/ShortCut.h"
#include "gui/TImageList.h"
#include "gui/TMenu.h"
#include "gui/TMenuItem.h"
#include "gui/TMenuWindow.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TCustomImageList.h"
#include "skin/SkinPublic.h"
#include "skin/TskStylePush.h"
#include "skin/TskThemeLookup.h"

namespace {

constexpr TColor kSeparatorColor = 8684164; // red, green, blue 132, 130, 132

bool IsSeparator(const TMenuItem& item) {
    return item.Caption() == "-";
}

bool HasImage(const TCustomImageList* images, int index) {
    return images && index != -1 && index >= 0 && index < images->Count();
}

} // namespace

TskMenuLook::TskMenuLook(TComponent* self, TMenu* menu) : FSelf(self), FTheme(self), FMenu(menu) {}

void TskMenuLook::SetUIStyle(TskUIStyle style) {
    FTheme.SetUIStyle(style);
    TskStylePush::Restyle(FSelf, [this] { ApplyStyle(); });
}

void TskMenuLook::SetFileTheme(TskFileTheme* theme) {
    FTheme.SetFileTheme(theme);
    TskStylePush::Restyle(FSelf, [this] { ApplyStyle(); });
}

void TskMenuLook::ThemeRemoved(TComponent* component) {
    if (FTheme.Removed(component)) ApplyStyle();
}

void TskMenuLook::SetMenuItemHeight(int height) {
    if (!IsMacOS()) FMenuItemHeight = height;
}

void TskMenuLook::SetSeparatorHeight(int height) {
    if (!IsMacOS()) FSeparatorHeight = height;
}

void TskMenuLook::ApplyStyle() {
    FBarWidth = 26;
    if (IsMacOS()) {
        FMenuItemHeight = 20;
        FSeparatorHeight = 12;
        FSeparatorColor = clBlack;
    } else {
        FMenuItemHeight = 21;
        FSeparatorHeight = 5;
        FSeparatorColor = kSeparatorColor;
    }
    const TskThemeLookup theme(FTheme.FileTheme(), FTheme.UIStyle());
    FBarColor = theme.Color(ThemeItem::MenuBarColor);
    FColor = theme.Color(ThemeItem::MenuBackgroundColor);
    FFontColor = theme.Color(ThemeItem::MenuFontColor);
    FSelectedBorderColor = theme.Color(ThemeItem::MenuSelectedBorderColor);
    FSelectedColor = theme.Color(ThemeItem::MenuSelectedBackgroundColor);
    FSelectedFontColor = theme.Color(ThemeItem::MenuSelectedFontColor);
}

void TskMenuLook::InstallDrawHandlers(TMenuItem* item) {
    if (!item) return;
    SetMenuItemDrawHandlers(
        item,
        [this](TObject* sender, TCanvas& canvas, int& width, int& height) {
            if (auto* entry = dynamic_cast<TMenuItem*>(sender))
                MeasureItem(*entry, canvas, width, height);
        },
        [this](TObject* sender, TCanvas& canvas, TRect rect, bool selected) {
            if (auto* entry = dynamic_cast<TMenuItem*>(sender))
                DrawItem(*entry, canvas, rect, selected);
        });
}

void TskMenuLook::MeasureItem(const TMenuItem& item, TCanvas& canvas, int& width,
                              int& height) const {
    height = IsSeparator(item) ? FSeparatorHeight : FMenuItemHeight;
    width = canvas.TextWidth(item.Caption()) + canvas.TextWidth(ShortCutToText(item.ShortCut())) +
            FBarWidth + 40;
}

void TskMenuLook::DrawBackground(TCanvas& canvas, const TRect& rect) const {
    if (FBarWidth > 0)
        FillRectColor(canvas, {rect.Left, rect.Top, rect.Left + FBarWidth, rect.Bottom}, FBarColor);
    FillRectColor(canvas, {rect.Left + FBarWidth, rect.Top, rect.Right, rect.Bottom}, FColor);
}

void TskMenuLook::FlattenMenuWindow(const TCanvas& canvas) const {
    TMenuWindow* window = TMenuWindow::FromCanvas(&canvas);
    if (!window) return;
    const TskThemeLookup theme(FTheme.FileTheme(), FTheme.UIStyle());
    DrawMenuWindowFrame(window, clBlack, theme.Color(ThemeItem::FormBackgroundColor));
}

void TskMenuLook::DrawItem(const TMenuItem& item, TCanvas& canvas, const TRect& rect,
                           bool selected) const {
    if (FFlatMenu) FlattenMenuWindow(canvas);
    if (IsSeparator(item)) {
        if (IsMacOS()) {
            DrawMacOSMenuBarNarrow(canvas, rect);
            return;
        }
        DrawBackground(canvas, rect);
        DrawMenuSeparator(canvas, rect, FSeparatorColor, FBarWidth);
        return;
    }
    const bool enabled = item.Enabled();
    if (selected && enabled) {
        if (IsMacOS()) {
            DrawMacOSMenuSelect(canvas, rect);
        } else {
            FillRectColor(canvas, rect, FSelectedColor);
            FrameRectColor(canvas, rect, FSelectedBorderColor);
        }
    } else if (IsMacOS()) {
        DrawMacOSMenuBar(canvas, rect);
    } else {
        DrawBackground(canvas, rect);
    }

    TFont& font = canvas.Font();
    if (FUseSystemFont) {
        SetMenuFont(font);
    } else {
        font.SetName(FFontName);
        font.SetSize(FFontSize);
        font.SetCharset(static_cast<TFontCharset>(FFontCharset));
    }
    TFontStyles style = font.Style();
    font.SetStyle(item.Default() ? style.Include(fsBold) : style.Exclude(fsBold));
    font.SetColor(!enabled ? clGray : selected ? FSelectedFontColor : FFontColor);
    canvas.Brush().SetStyle(bsClear);

    TRect caption{rect.Left + FBarWidth + 4, rect.Top + 4, rect.Right, rect.Bottom};
    canvas.DrawText(item.Caption(), caption, DT_LEFT | DT_TOP | DT_SINGLELINE);
    const std::string shortCut = ShortCutToText(item.ShortCut());
    if (!shortCut.empty())
        canvas.TextOut(rect.Right - canvas.TextWidth(shortCut) - 16, rect.Top + 4, shortCut);

    const TCustomImageList* images = ItemImages();
    const bool hasImage = HasImage(images, item.ImageIndex());
    if (item.Checked()) {
        if (hasImage) {
            FillRectColor(canvas, {rect.Left + 3, rect.Top + 2, rect.Left + 20, rect.Top + 19},
                          FSelectedColor);
            FrameRectColor(canvas, {rect.Left + 2, rect.Top + 1, rect.Left + 21, rect.Top + 20},
                           clBlack);
        } else {
            MenuCheckImages().Draw(canvas, rect.Left + 4, rect.Top + 3, 0, enabled);
        }
    }
    if (hasImage) images->Draw(canvas, rect.Left + 4, rect.Top + 3, item.ImageIndex(), enabled);
}

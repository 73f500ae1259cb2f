#include "skin/TskCustomComboBox.h"

#include <array>

#include "gui/TDropDownList.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskThemeLookup.h"

const TClassInfo& TskCustomComboBox::StaticClass() {
    static TClassBuilder<TskCustomComboBox> builder("TskCustomComboBox", &TCustomComboBox::StaticClass());
    static const TClassInfo info =
        WithThemeProperties(builder)
            .Prop("BorderColor", &TskCustomComboBox::BorderColor, &TskCustomComboBox::SetBorderColor,
                  &ColorNames())
            .Prop("ArrowColor", &TskCustomComboBox::ArrowColor, &TskCustomComboBox::SetArrowColor, &ColorNames())
            .Prop("ButtonColor", &TskCustomComboBox::ButtonColor, &TskCustomComboBox::SetButtonColor,
                  &ColorNames())
            .Build();
    return info;
}

TskCustomComboBox::TskCustomComboBox(TComponent* owner) : TCustomComboBox(owner), FTheme(this) {
    SetBorderWidth(0);
}

void TskCustomComboBox::SetBorderColor(TColor color) {
    if (color == FBorderColor) return;
    FBorderColor = color;
    Invalidate();
}

void TskCustomComboBox::SetArrowColor(TColor color) {
    if (color == FArrowColor) return;
    FArrowColor = color;
    Invalidate();
}

void TskCustomComboBox::SetButtonColor(TColor color) {
    if (color == FButtonColor) return;
    FButtonColor = color;
    Invalidate();
}

void TskCustomComboBox::ThemeChanged() {
    const TskThemeLookup theme(FTheme.FileTheme(), FTheme.UIStyle());
    FArrowColor = clBlack;
    FBorderColor = theme.Color(ThemeItem::ControlBorderColor);
    FButtonColor = theme.Color(ThemeItem::FormBackgroundColor);
    Invalidate();
}

void TskCustomComboBox::Notification(TComponent* component, TOperation operation) {
    TCustomComboBox::Notification(component, operation);
    if (operation == TOperation::opRemove && FTheme.Removed(component)) ThemeChanged();
}

void TskCustomComboBox::CloseUp() {
    TCustomComboBox::CloseUp();
    if (Parent()) Parent()->Invalidate();
}

void TskCustomComboBox::Paint(TCanvas& canvas) {
    TCustomComboBox::Paint(canvas);
    if (Style() == TComboBoxStyle::csSimple || IsWin95OSR2()) return;
    PaintSkin(canvas);
}

void TskCustomComboBox::PaintSkin(TCanvas& canvas) {
    TCanvasSaver saver(canvas);
    const TRect client = ClientRect();
    FrameRectColor(canvas, client, FBorderColor);
    FrameRectColor(canvas, client.Inflate(-1, -1), Color());
    if (DroppedDown() && List()) List()->SetFrameColor(FBorderColor);
    const TRect button = ButtonRect();
    if (button.IsEmpty()) return;
    PaintSkinButton(canvas, button);
    if (FTheme.UIStyle() != TskUIStyle::WinXP) PaintArrow(canvas, button);
}

void TskCustomComboBox::PaintSkinButton(TCanvas& canvas, const TRect& button) {
    const TskUIStyle style = FTheme.UIStyle();
    if (style == TskUIStyle::MacOS || style == TskUIStyle::WinXP) {
        TBitmap picture;
        if (LoadResourceBitmap(style == TskUIStyle::MacOS ? "MACOS_COMBOBOX_BUTTON" : "WINXP_COMBOBOX_BUTTON",
                               picture))
            canvas.StretchDraw(button, picture);
        return;
    }
    FillRectColor(canvas, button, FButtonColor);
    canvas.Pen().SetColor(FBorderColor);
    canvas.MoveTo(button.Left, button.Top - 1);
    canvas.LineTo(button.Left, button.Bottom + 1);
}

// A seven-pixel triangle pointing down; a disabled box shows it grey over a
// white shadow.
void TskCustomComboBox::PaintArrow(TCanvas& canvas, const TRect& button) {
    const int x = button.Left + button.Width() / 2 - 3;
    const int y = button.Height() / 2;
    auto triangle = [&](int dx, int dy, TColor color) {
        const std::array<TPoint, 3> points{{{x + dx, y + dy}, {x + 6 + dx, y + dy}, {x + 3 + dx, y + 3 + dy}}};
        canvas.Pen().SetColor(color);
        canvas.Brush().SetColor(color);
        canvas.Polygon(points);
    };
    if (!EnabledInTree()) {
        triangle(1, 1, clWhite);
        triangle(0, 0, clGray);
    } else {
        triangle(0, 0, FArrowColor);
    }
}

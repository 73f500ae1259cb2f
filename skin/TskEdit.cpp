#include "skin/TskEdit.h"

#include "skin/SkinPublic.h"
#include "skin/TskThemeLookup.h"

const TClassInfo& TskEdit::StaticClass() {
    static TClassBuilder<TskEdit> builder("TskEdit", &TCustomEdit::StaticClass());
    static const TClassInfo info = WithThemeProperties(builder)
            .Prop("BorderColor", &TskEdit::BorderColor, &TskEdit::SetBorderColor, &ColorNames())
            .Build();
    return info;
}

TskEdit::TskEdit(TComponent* owner) : TCustomEdit(owner), FTheme(this) {
    SetBorderStyle(TBorderStyle::bsNone);
    SetBorderWidth(2);
}

void TskEdit::SetBorderColor(TColor color) {
    if (color == FBorderColor) return;
    FBorderColor = color;
    InvalidateWindow();
}

void TskEdit::ThemeChanged() {
    FBorderColor = TskThemeLookup(FTheme.FileTheme(), FTheme.UIStyle()).Color(ThemeItem::ControlBorderColor);
    UIStyleChanged();
    InvalidateWindow();
}

void TskEdit::Notification(TComponent* component, TOperation operation) {
    TCustomEdit::Notification(component, operation);
    if (operation == TOperation::opRemove && FTheme.Removed(component)) ThemeChanged();
}

// The plain border area first, then the two frames over it.
void TskEdit::PaintNonClient(TCanvas& canvas) {
    TCustomEdit::PaintNonClient(canvas);
    DrawControlBorder(canvas, *this, FBorderColor, Color(), true);
}

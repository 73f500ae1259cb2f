#include "skin/TskTab.h"

#include "gui/graphics/TCanvas.h"
#include "skin/SkinStyle.h"
#include "skin/TskFileTheme.h"
#include "skin/TskStylePush.h"
#include "skin/TskTabControlTopPanel.h"
#include "skin/TskThemeLookup.h"

namespace {
// Room between the body's border and the child controls.
constexpr int BodyInset = 3;
} // namespace

const TClassInfo& TskTab::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskTab>("TskTab", &TWinControl::StaticClass())
            .Prop("LeftMargin", &TskTab::LeftMargin, &TskTab::SetLeftMargin)
            .Prop("BorderColor", &TskTab::BorderColor, &TskTab::SetBorderColor, &ColorNames())
            .Enum("UIStyle", &TskTab::UIStyle, &TskTab::SetUIStyle, UIStyleNames())
            .Prop("FileTheme", &TskTab::FileTheme, &TskTab::SetFileTheme)
            .Event("OnTabActive", &TskTab::OnTabActive)
            .Event("OnChange", &TskTab::OnChange)
            .Event("OnChanging", &TskTab::OnChanging)
            .Build();
    return info;
}

TskTab::TskTab(TComponent* owner) : TWinControl(owner), FUIStyle(GetOwnerFormStyle(owner)) {
    SetCaption(" ");
    // The body paints itself whole: no separate background erase.
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
    SetParentFont(false);
    SetBounds(0, 0, 185, 80);
    SetUIStyle(FUIStyle);
}

TskTab::~TskTab() {
    Destroying();
}

void TskTab::CreateStrip() {
    if (FStrip) return;
    FStrip = CreateTopPanel();
    FStrip->SetParent(this);
    FStrip->SetBounds(0, 0, ClientWidth(), FStrip->StripHeight());
    SetUIStyle(FUIStyle);
    Realign();
}

int TskTab::StripHeight() const {
    return FStrip ? FStrip->StripHeight() : 0;
}

int TskTab::LeftMargin() const {
    return FStrip ? FStrip->LeftMargin() : 10;
}

void TskTab::SetLeftMargin(int margin) {
    if (FStrip) FStrip->SetLeftMargin(margin);
}

void TskTab::SetBorderColor(TColor color) {
    if (color == FBorderColor) return;
    FBorderColor = color;
    BorderColorChanged();
    Invalidate();
    if (FStrip) FStrip->Invalidate();
}

void TskTab::SetUIStyle(TskUIStyle style) {
    FUIStyle = style;
    TskStylePush::Restyle(this, [this] { ApplyUIStyle(); });
}

void TskTab::ApplyUIStyle() {
    const TskUIStyle style = FUIStyle;
    if (FStrip) {
        FStrip->SetFileTheme(FFileTheme);
        FStrip->SetUIStyle(style);
    }
    UpdateChildrenUIStyle(style, FFileTheme);
    const TskThemeLookup theme(FFileTheme, style);
    FBorderColor = theme.Color(ThemeItem::ControlBorderColor);
    BorderColorChanged();
    // The one built-in style whose pages are white rather than its control
    // colour.
    if (!theme.UsesFile() && theme.Style() == TskUIStyle::WinXP)
        SetColor(clWhite);
    else
        SetColor(theme.Color(ThemeItem::ControlBackgroundColor));
    Invalidate();
    if (FStrip) FStrip->Invalidate();
}

void TskTab::SetFileTheme(TskFileTheme* theme) {
    if (theme != FFileTheme) {
        if (FFileTheme) FFileTheme->RemoveFreeNotification(this);
        FFileTheme = theme;
        if (theme) theme->FreeNotification(this);
    }
    SetUIStyle(FUIStyle);
}

void TskTab::UpdateChildrenUIStyle(TskUIStyle style, TskFileTheme* theme) {
    ApplyStyleToChildren(this, style, theme);
}

void TskTab::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FStrip) FStrip = nullptr;
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        SetUIStyle(TskUIStyle::DeepBlue);
    }
}

void TskTab::SetTabIndex(int index) {
    if (FStrip) FStrip->SetTabIndex(index);
}

void TskTab::TabActive(int index) {
    if (IsLoading()) return;
    auto alive = AliveToken();
    if (OnTabActive) OnTabActive(this, index);
    if (alive.expired()) return;
    if (OnChange) OnChange(this);
}

void TskTab::TabSoundClick(int index) {
    if (OnTabSoundClick) OnTabSoundClick(this, index);
}

bool TskTab::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TskTab::AdjustClientRect(TRect& rect) const {
    rect.Left += BodyInset;
    rect.Right -= BodyInset;
    rect.Bottom -= BodyInset;
    rect.Top = StripHeight() + BodyInset;
}

// The strip stays across the top whatever the children ask for.
void TskTab::AlignControls(TRect rect) {
    if (FStrip) FStrip->SetBounds(0, 0, ClientWidth(), FStrip->StripHeight());
    TWinControl::AlignControls(rect);
}

void TskTab::Paint(TCanvas& canvas) {
    const int top = StripHeight();
    const int w = ClientWidth();
    const int h = ClientHeight();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect({0, top, w, h});
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(FBorderColor);
    canvas.MoveTo(0, top);
    canvas.LineTo(0, h - 1);
    canvas.LineTo(w - 1, h - 1);
    canvas.LineTo(w - 1, top - 1);
}

void TskTab::FontChanged() {
    TWinControl::FontChanged();
    if (FStrip) FStrip->Invalidate();
}

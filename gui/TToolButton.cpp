#include "gui/TToolButton.h"

#include "gui/TMenuItem.h"
#include "gui/TMenuTracker.h"
#include "gui/TPopupMenu.h"
#include "gui/TToolBar.h"

const TEnumTable& ToolButtonStyleNames() {
    static const TEnumTable names = {{"tbsButton", 0},
                                     {"tbsCheck", 1},
                                     {"tbsDropDown", 2},
                                     {"tbsSeparator", 3},
                                     {"tbsDivider", 4}};
    return names;
}

const TClassInfo& TToolButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TToolButton>("TToolButton", &TControl::StaticClass())
            .Enum("Style", &TToolButton::Style, &TToolButton::SetStyle, ToolButtonStyleNames())
            .Prop("Down", &TToolButton::Down, &TToolButton::SetDown)
            .Prop("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped)
            .Prop("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp)
            .Prop("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
            .Prop("AutoSize", &TToolButton::AutoSize, &TToolButton::SetAutoSize)
            .Prop("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap)
            .Prop("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem)
            .Prop("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu)
            .Build();
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TControl(owner) {
    // Clicks are the button's own business: a press that drops a menu must
    // not click when the release comes later.
    SetControlStyle(ControlStyle() & ~(csClickEvents | csDoubleClicks));
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
    Destroying();
    if (TToolBar* bar = ToolBar()) bar->ButtonRemoved(this);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

int TToolButton::Index() const {
    TToolBar* bar = ToolBar();
    if (!bar) return -1;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Buttons(i) == this) return i;
    return -1;
}

void TToolButton::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (TToolBar* old = ToolBar()) old->ButtonRemoved(this);
    TControl::SetParent(parent);
    if (TToolBar* bar = ToolBar()) bar->ButtonAdded(this);
}

void TToolButton::Changed(bool layout) {
    Invalidate();
    if (TToolBar* bar = ToolBar(); bar && layout) bar->ArrangeButtons();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    if (IsSeparator() && !IsLoading()) SetWidth(DefaultSeparatorWidth);
    Changed(true);
}

void TToolButton::SetDown(bool down) {
    if (down == FDown) return;
    FDown = down;
    if (down && FGrouped) RaiseGroup();
    Changed(false);
}

// The grouped check buttons next to this one, up to the first that is not.
void TToolButton::RaiseGroup() {
    TToolBar* bar = ToolBar();
    int index = Index();
    if (!bar || index < 0) return;
    auto inGroup = [](TToolButton* b) {
        return b->FGrouped && b->FStyle == TToolButtonStyle::tbsCheck;
    };
    for (int step : {-1, 1}) {
        for (int i = index + step; i >= 0 && i < bar->ButtonCount(); i += step) {
            TToolButton* other = bar->Buttons(i);
            if (!inGroup(other)) break;
            if (other->FDown) {
                other->FDown = false;
                other->Invalidate();
            }
        }
    }
}

void TToolButton::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    Changed(true);
}

void TToolButton::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    Changed(true);
}

void TToolButton::SetWrap(bool value) {
    if (value == FWrap) return;
    FWrap = value;
    Changed(true);
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (item == FMenuItem) return;
    if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
    FMenuItem = item;
    if (item) {
        item->FreeNotification(this);
        UpdateFromMenuItem();
    }
    Changed(true);
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (menu == FDropdownMenu) return;
    if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
    FDropdownMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FMenuItem) {
        FMenuItem = nullptr;
        Changed(true);
    }
    if (component == FDropdownMenu) FDropdownMenu = nullptr;
}

void TToolButton::UpdateFromMenuItem() {
    if (!FMenuItem) return;
    SetCaption(FMenuItem->Caption());
    SetEnabled(FMenuItem->Enabled());
    SetHint(FMenuItem->Hint());
    SetImageIndex(FMenuItem->ImageIndex());
    SetVisible(FMenuItem->Visible());
}

bool TToolButton::OpensMenuOnPress() const {
    return FMenuItem && FMenuItem->HasSubMenu();
}

TRect TToolButton::DropDownRect() const {
    if (FStyle != TToolButtonStyle::tbsDropDown) return {};
    return {Width() - DropDownWidth, 0, Width(), Height()};
}

bool TToolButton::OpenMenu() {
    if (OpensMenuOnPress()) {
        TToolBar* bar = ToolBar();
        TMenuTracker* tracker = TMenuTracker::Instance();
        if (!bar || !tracker || Index() < 0) return false;
        tracker->OpenBarItem(bar, Index(), false);
        return true;
    }
    if (!FDropdownMenu) return false;
    TPoint below = ClientToScreen({0, Height()});
    FDropdownMenu->SetPopupComponent(this);
    FDropdownMenu->Popup(below.X, below.Y);
    return true;
}

void TToolButton::Click() {
    if (!Enabled() || IsSeparator()) return;
    if (FStyle == TToolButtonStyle::tbsCheck && !(FDown && FGrouped && !FAllowAllUp))
        SetDown(!FDown);
    auto alive = AliveToken();
    if (FMenuItem && !FMenuItem->HasSubMenu()) FMenuItem->Click();
    if (!alive.expired()) TControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !Enabled() || IsSeparator()) return;
    bool onArrow = DropDownRect().Contains({x, y});
    bool dropsMenu = OpensMenuOnPress() ||
                     (FDropdownMenu && (FStyle != TToolButtonStyle::tbsDropDown || onArrow));
    if (dropsMenu) {
        // The open menu takes the release; nothing must stay captured.
        SetMouseCapture(false);
        FHeld = false;
        OpenMenu();
        return;
    }
    FHeld = true;
    FPressed = true;
    Invalidate();
}

void TToolButton::MouseMove(TShiftState shift, int x, int y) {
    TControl::MouseMove(shift, x, y);
    if (!FHeld) return;
    bool inside = ClientRect().Contains({x, y});
    if (inside != FPressed) {
        FPressed = inside;
        Invalidate();
    }
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    bool clicked = button == TMouseButton::mbLeft && FHeld && ClientRect().Contains({x, y});
    if (button == TMouseButton::mbLeft) {
        FHeld = false;
        FPressed = false;
        Invalidate();
    }
    auto alive = AliveToken();
    TControl::MouseUp(button, shift, x, y);
    if (clicked && !alive.expired()) Click();
}

void TToolButton::MouseEnter() {
    TControl::MouseEnter();
    Invalidate();
}

void TToolButton::MouseLeave() {
    TControl::MouseLeave();
    Invalidate();
}

void TToolButton::TextChanged() {
    Changed(true);
}

void TToolButton::EnabledChanged() {
    Invalidate();
}

void TToolButton::VisibleChanged() {
    TControl::VisibleChanged();
    Changed(true);
}

void TToolButton::Paint(TCanvas& canvas) {
    if (TToolBar* bar = ToolBar()) bar->PaintButton(*this, canvas);
}

#pragma once
// A button of a TToolBar. Plain buttons click; check buttons stay down
// (grouped ones like radio buttons); drop-down buttons show their
// DropdownMenu from the arrow part; separators only make room. A button
// bound to a menu item shows the item's caption and drops the item's
// sub-menu when pressed, as a menu bar entry does.
#include "gui/TControl.h"

class TMenuItem;
class TPopupMenu;
class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TEnumTable& ToolButtonStyleNames();

class TToolButton : public TControl {
    XF_CLASS(TToolButton)
public:
    static constexpr int DropDownWidth = 14;
    static constexpr int DefaultSeparatorWidth = 8;

    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const;
    int Index() const;
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle style);
    bool IsSeparator() const {
        return FStyle == TToolButtonStyle::tbsSeparator || FStyle == TToolButtonStyle::tbsDivider;
    }
    bool Down() const { return FDown; }
    void SetDown(bool down);
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool value) { FGrouped = value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    // Width from the caption (and image) instead of the bar's ButtonWidth.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // The next button starts a new row.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value);
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* item);
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* menu);

    // Pressed with the mouse held inside, or shown pressed for an open menu.
    bool Pressed() const { return FPressed || FMenuOpen; }
    bool Hot() const { return FMenuHot || (MouseInside() && Enabled() && !IsSeparator()); }
    bool MenuOpen() const { return FMenuOpen; }
    // Caption, enabled state, hint and image again from the bound item.
    void UpdateFromMenuItem();
    // Drops the bound item's sub-menu, or DropdownMenu, under the button.
    bool OpenMenu();
    // The rectangle of the arrow part of a drop-down button (client coords).
    TRect DropDownRect() const;

    void Click() override;
    void SetParent(TWinControl* parent) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;

private:
    friend class TToolBar;
    void Changed(bool layout);
    void RaiseGroup();
    bool OpensMenuOnPress() const;

    TToolButtonStyle FStyle = TToolButtonStyle::tbsButton;
    bool FDown = false;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    int FImageIndex = -1;
    bool FAutoSize = false;
    bool FWrap = false;
    TMenuItem* FMenuItem = nullptr;
    TPopupMenu* FDropdownMenu = nullptr;
    bool FPressed = false;
    bool FHeld = false; // the left button went down on this button and is held
    bool FMenuHot = false;
    bool FMenuOpen = false;
};

#pragma once
// A context menu: shown at a screen point by Popup, or by a right click on
// a control whose PopupMenu it is (when AutoPopup).
#include "gui/TMenu.h"
#include "gui/TMenuTracker.h"

class TPopupMenu : public TMenu {
    XF_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);

    // Fires OnPopup, then shows the items at (x, y) in screen coordinates;
    // returns at once, the menu stays open until an item is chosen or the
    // user clicks elsewhere.
    virtual void Popup(int x, int y);
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment alignment) { FAlignment = alignment; }
    // The control that was right-clicked (or whatever the caller sets).
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component);
    TPoint PopupPoint() const { return FPopupPoint; }

    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnPopup;

private:
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = TPopupAlignment::paLeft;
    TComponent* FPopupComponent = nullptr;
    TPoint FPopupPoint;
};

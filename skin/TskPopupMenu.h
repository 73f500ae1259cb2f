#pragma once
// The skinned pop-up menu; until its skinned drawing lands it draws as the
// plain menu.
#include "gui/TPopupMenu.h"
#include "skin/TskThemeLink.h"

class TskPopupMenu : public TPopupMenu {
    XF_CLASS(TskPopupMenu)
public:
    explicit TskPopupMenu(TComponent* owner) : TPopupMenu(owner), FTheme(this) {}
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    void Notification(TComponent* component, TOperation operation) override {
        TPopupMenu::Notification(component, operation);
        if (operation == TOperation::opRemove) FTheme.Removed(component);
    }

private:
    TskThemeLink FTheme;
};

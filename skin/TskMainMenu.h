#pragma once
// The skinned main menu; until its skinned drawing lands it draws as the
// plain menu.
#include "gui/TMainMenu.h"
#include "skin/TskThemeLink.h"

class TskMainMenu : public TMainMenu {
    XF_CLASS(TskMainMenu)
public:
    explicit TskMainMenu(TComponent* owner) : TMainMenu(owner), FTheme(this) {}
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    void Notification(TComponent* component, TOperation operation) override {
        TMainMenu::Notification(component, operation);
        if (operation == TOperation::opRemove) FTheme.Removed(component);
    }

private:
    TskThemeLink FTheme;
};

#pragma once
// The skinned push button; until its skinned drawing lands it paints as the
// plain button it is built on.
#include "gui/TSpeedButton.h"
#include "skin/TskThemeLink.h"

class TskButton : public TSpeedButton {
    XF_CLASS(TskButton)
public:
    explicit TskButton(TComponent* owner) : TSpeedButton(owner), FTheme(this) {}
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    void Notification(TComponent* component, TOperation operation) override {
        TSpeedButton::Notification(component, operation);
        if (operation == TOperation::opRemove) FTheme.Removed(component);
    }

private:
    TskThemeLink FTheme;
};

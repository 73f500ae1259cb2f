#pragma once
// The skinned combo box: a plain combo box over which the skin paints its
// border and drop-down button; until that drawing lands it paints as the
// plain combo box.
#include "gui/TComboBox.h"
#include "skin/TskThemeLink.h"

class TskComboBox : public TComboBox {
    XF_CLASS(TskComboBox)
public:
    explicit TskComboBox(TComponent* owner) : TComboBox(owner), FTheme(this) {}
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color) { FBorderColor = color; }
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor color) { FArrowColor = color; }
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor color) { FButtonColor = color; }
    void Notification(TComponent* component, TOperation operation) override {
        TComboBox::Notification(component, operation);
        if (operation == TOperation::opRemove) FTheme.Removed(component);
    }

private:
    TskThemeLink FTheme;
    TColor FBorderColor = clBlack;
    TColor FArrowColor = clBlack;
    TColor FButtonColor = clBtnFace;
};

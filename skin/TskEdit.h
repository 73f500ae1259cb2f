#pragma once
// The skinned edit box: a plain edit over which the skin paints its border;
// until that drawing lands it paints as the plain edit.
#include "gui/TEdit.h"
#include "skin/TskThemeLink.h"

class TskEdit : public TEdit {
    XF_CLASS(TskEdit)
public:
    explicit TskEdit(TComponent* owner) : TEdit(owner), FTheme(this) {}
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color) {
        FBorderColor = color;
        Invalidate();
    }
    void Notification(TComponent* component, TOperation operation) override {
        TEdit::Notification(component, operation);
        if (operation == TOperation::opRemove) FTheme.Removed(component);
    }

private:
    TskThemeLink FTheme;
    TColor FBorderColor = clBlack;
};

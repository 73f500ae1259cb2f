#pragma once
// The skinned tree view: a plain tree view with a skinned border and scroll
// bars; until that drawing lands it paints as the plain tree view.
#include "gui/TWinControl.h"
#include "skin/TskThemeLink.h"

// TREEVIEW-BASE: derives from the plain tree view once it exists.
class TskTreeView : public TWinControl {
    XF_CLASS(TskTreeView)
public:
    explicit TskTreeView(TComponent* owner) : TWinControl(owner), FTheme(this) {}
    TComponent* Images() const { return FImages; }
    void SetImages(TComponent* images) { FImages = images; }
    int Indent() const { return FIndent; }
    void SetIndent(int indent) { FIndent = indent; }
    int BorderStyleValue() const { return 0; }
    void SetBorderStyleValue(int) {}
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color) {
        FBorderColor = color;
        Invalidate();
    }
    void Notification(TComponent* component, TOperation operation) override {
        TWinControl::Notification(component, operation);
        if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
        if (operation == TOperation::opRemove) FTheme.Removed(component);
    }

private:
    TskThemeLink FTheme;
    TColor FBorderColor = clBlack;
    TComponent* FImages = nullptr;
    int FIndent = 19;
};

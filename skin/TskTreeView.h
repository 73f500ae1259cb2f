#pragma once
// The skinned tree view: a plain tree view with a skinned border and scroll
// bars; until that drawing lands it paints as the plain tree view.
#include "gui/TTreeView.h"
#include "skin/TskThemeLink.h"

class TskTreeView : public TTreeView {
    XF_CLASS(TskTreeView)
public:
    explicit TskTreeView(TComponent* owner) : TTreeView(owner), FTheme(this) {}
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color) {
        FBorderColor = color;
        Invalidate();
    }
    void Notification(TComponent* component, TOperation operation) override {
        TTreeView::Notification(component, operation);
        if (operation == TOperation::opRemove) FTheme.Removed(component);
    }

private:
    TskThemeLink FTheme;
    TColor FBorderColor = clBlack;
};

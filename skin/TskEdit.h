#pragma once
// The skinned edit box: the plain edit with a two-pixel border area over
// which the skin draws a one-pixel frame in the style's control border
// colour and, inside it, one in the edit's own colour.
#include "gui/TCustomEdit.h"
#include "skin/TskThemeLink.h"

class TskEdit : public TCustomEdit {
    XF_CLASS(TskEdit)
public:
    explicit TskEdit(TComponent* owner);
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);
    // Restyles after UIStyle or FileTheme changed.
    void ThemeChanged();
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Called at the end of every restyle.
    virtual void UIStyleChanged() {}
    void PaintNonClient(TCanvas& canvas) override;
    // The inner frame is drawn in the edit's colour.
    void ColorChanged() override { InvalidateWindow(); }

private:
    TskThemeLink FTheme;
    TColor FBorderColor = clBlack;
};

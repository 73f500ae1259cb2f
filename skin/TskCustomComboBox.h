#pragma once
// The skinned combo box: after the plain combo box has painted, the skin
// frames it in the style's control border colour and draws its own
// drop-down button and arrow; the dropped list gets the same frame colour.
// The simple style keeps the plain look.
#include "gui/TCustomComboBox.h"
#include "skin/TskThemeLink.h"

class TskCustomComboBox : public TCustomComboBox {
    XF_CLASS(TskCustomComboBox)
public:
    explicit TskCustomComboBox(TComponent* owner);
    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor color);
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor color);
    // Restyles after UIStyle or FileTheme changed.
    void ThemeChanged();
    void Notification(TComponent* component, TOperation operation) override;
    void Paint(TCanvas& canvas) override;

protected:
    // The parent repaints what the list covered.
    void CloseUp() override;

private:
    void PaintSkin(TCanvas& canvas);
    void PaintSkinButton(TCanvas& canvas, const TRect& button);
    void PaintArrow(TCanvas& canvas, const TRect& button);

    TskThemeLink FTheme;
    TColor FBorderColor = clBlack;
    TColor FArrowColor = clBlack;
    TColor FButtonColor = clBtnFace;
};

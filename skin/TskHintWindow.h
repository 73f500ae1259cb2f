#pragma once
// A short notice shown above everything for a few seconds (how to leave a
// fullscreen page), drawn in the colours of the current skin: the menu's
// background and text, framed in the form's border colour. It never takes
// the pointer or the keyboard.
#include <string>

#include "gui/TCustomForm.h"
#include "skin/SkinThemes.h"

class TTimer;
class TskFileTheme;

class TskHintWindow : public TCustomForm {
    XF_CLASS(TskHintWindow)
public:
    explicit TskHintWindow(TComponent* owner);

    TWindowKind WindowKind() const override { return TWindowKind::Popup; }

    // Shows `text` centred near the top of `area` (screen coordinates) for
    // `ms` milliseconds.
    void ShowHint(const std::string& text, const TRect& area, int ms, const TskFileTheme* fileTheme,
                  TskUIStyle style);
    void HideHint();
    const std::string& Text() const { return FText; }

protected:
    void PaintWindow(TCanvas& canvas) override;

private:
    std::string FText;
    TColor FBack = clWhite;
    TColor FTextColor = clBlack;
    TColor FBorder = clBlack;
    TTimer* FTimer = nullptr;
};

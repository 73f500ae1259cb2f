#pragma once
// The list of suggestions under an edit box, in the colours of the style's
// pop-up menus: the menu background and font, the highlighted row in the
// menu's selected colours with its border, and a frame in the control
// border colour, so that it reads as the same skin as the box.
#include "gui/TDropDownList.h"
#include "skin/SkinThemes.h"

class TskFileTheme;

class TskSuggestList : public TDropDownList {
    XF_CLASS(TskSuggestList)
public:
    explicit TskSuggestList(TComponent* owner);

    // Takes the colours of `style`, or of `fileTheme` when it is used.
    void ApplyStyle(TskUIStyle style, const TskFileTheme* fileTheme);
    TColor FontColor() const { return FFontColor; }
    TColor SelectedColor() const { return FSelectedColor; }
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    TColor SelectedBorderColor() const { return FSelectedBorderColor; }

protected:
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot) override;

private:
    TColor FFontColor = clBlack;
    TColor FSelectedColor = clHighlight;
    TColor FSelectedFontColor = clHighlightText;
    TColor FSelectedBorderColor = clHighlight;
};

#pragma once
// The menu bar of a skinned window frame: the main menu's top items drawn
// with the menu colours of the style (the skinned main menu's own style
// and theme when the menu is one), the MacOS bar and selection pictures
// under that style.
#include "gui/TMenuBar.h"
#include "skin/SkinThemes.h"

class TskForm;
class TskThemeLookup;

class TskMenuBar : public TMenuBar {
    XF_CLASS(TskMenuBar)
public:
    explicit TskMenuBar(TskForm* frame);

    // The font the entries are drawn with: the system menu font, or the
    // skinned main menu's own.
    void UpdateFont();

protected:
    void PaintBar(TCanvas& canvas) override;
    void PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot, bool open) override;

private:
    TskUIStyle Style() const;
    TskThemeLookup Theme() const;

    TskForm* FFrame;
};

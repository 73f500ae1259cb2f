#pragma once
// One page of a TskPageControl: a panel that fills the control's body and
// whose caption is its tab's text.
#include "gui/TWinControl.h"
#include "skin/TabSound.h"

class TskPageControl;

class TskTabSheet : public TWinControl {
    XF_CLASS(TskTabSheet)
public:
    explicit TskTabSheet(TComponent* owner);
    ~TskTabSheet() override;

    TskPageControl* PageControl() const { return FPageControl; }
    // Also makes the page control the sheet's parent (none: no parent).
    void SetPageControl(TskPageControl* pageControl);
    // -1 while the sheet belongs to no page control.
    int PageIndex() const { return FPageIndex; }
    // Moves the page there and activates it; indexes outside the pages are
    // ignored.
    void SetPageIndex(int index);
    bool TabVisible() const;
    void SetTabVisible(bool visible);
    // Copied from the page control, for the skinned drawing.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor color);

    // The speaker its tab shows.
    TTabSound Sound() const { return FSound; }
    void SetSound(TTabSound sound);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void TextChanged() override;
    virtual void DoShow();
    virtual void DoHide();

private:
    friend class TskPageControl;

    TskPageControl* FPageControl = nullptr;
    int FPageIndex = -1;
    bool FTabVisible = true;
    TColor FBorderColor = 0;
    TTabSound FSound = TTabSound::None;
};

#include "skin/TskTabSheet.h"

#include "skin/TskPageControl.h"
#include "skin/TskTabControlTopPanel.h"

const TClassInfo& TskTabSheet::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskTabSheet>("TskTabSheet", &TWinControl::StaticClass())
            .Prop("PageControl", &TskTabSheet::PageControl, &TskTabSheet::SetPageControl)
            .Prop("PageIndex", &TskTabSheet::PageIndex, &TskTabSheet::SetPageIndex)
            .Prop("TabVisible", &TskTabSheet::TabVisible, &TskTabSheet::SetTabVisible)
            .Prop("BorderColor", &TskTabSheet::BorderColor, &TskTabSheet::SetBorderColor,
                  &ColorNames())
            .Event("OnShow", &TskTabSheet::OnShow)
            .Event("OnHide", &TskTabSheet::OnHide)
            .Build();
    return info;
}

TskTabSheet::TskTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetAlign(TAlign::alClient);
}

// Out of the page list before the children go, so that the neighbour that
// becomes active never sees a half-destroyed page among its siblings.
TskTabSheet::~TskTabSheet() {
    Destroying();
    if (TskPageControl* pageControl = FPageControl) {
        if (Parent() == pageControl) SetParent(nullptr);
        pageControl->RemovePage(this);
    }
}

void TskTabSheet::SetPageControl(TskPageControl* pageControl) {
    if (pageControl == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(pageControl);
    // Already its child (it was taken out of the list but not the parent).
    if (pageControl && FPageControl != pageControl) pageControl->InsertPage(this);
}

void TskTabSheet::SetPageIndex(int index) {
    if (FPageControl) FPageControl->MovePage(this, index);
}

bool TskTabSheet::TabVisible() const {
    if (FPageControl && FPageControl->Strip() && FPageIndex >= 0)
        return FPageControl->Strip()->TabShown(FPageIndex);
    return FTabVisible;
}

void TskTabSheet::SetTabVisible(bool visible) {
    if (visible == FTabVisible && TabVisible() == visible) return;
    FTabVisible = visible;
    if (FPageControl) FPageControl->PageTabVisibleChanged(this);
}

void TskTabSheet::SetBorderColor(TColor color) {
    if (color == FBorderColor) return;
    FBorderColor = color;
    Invalidate();
}

void TskTabSheet::SetSound(TTabSound sound) {
    if (sound == FSound) return;
    FSound = sound;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TskTabSheet::TextChanged() {
    TWinControl::TextChanged();
    if (FPageControl) FPageControl->UpdateTabs();
}

void TskTabSheet::DoShow() {
    if (OnShow) OnShow(this);
}

void TskTabSheet::DoHide() {
    if (OnHide) OnHide(this);
}

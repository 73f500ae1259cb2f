#pragma once
// The track of a skinned scroll bar: the scroll bar supplies its pictures,
// and the thumb is opaque whatever the orientation.
#include "skin/TskTrackBar.h"

class TskScrollTrackBar : public TskTrackBar {
    XF_CLASS(TskScrollTrackBar)
public:
    explicit TskScrollTrackBar(TComponent* owner);

protected:
    bool KeepsOwnImages() const override { return true; }
    bool SliderTransparent() const override { return false; }
};

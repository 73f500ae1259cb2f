#pragma once
// A dark navy title bar in two tiers with glassy indigo title buttons, light
// steel-blue controls edged in navy, an indigo rail under the tabs.
#include "tools/stylepics/TStyleKit.h"

namespace stylepics {

class TDeepBlueKit : public TStyleKit {
public:
    TDeepBlueKit();

protected:
    TLayer TitleLeft(int w, int h) override;
    TLayer TitleClient(int w, int h) override;
    TLayer TitleRight(int w, int h) override;
    TLayer TitleButton(TTitleButton kind, TButtonState state, int size) override;
    TLayer ScrollBarTrack(int w, int h) override;
    TLayer TrackBarSlider(bool vertical, int w, int h) override;

private:
    static TRgba TitleRow(float y);
    TLayer TitleBase(int w, int h);
};

} // namespace stylepics

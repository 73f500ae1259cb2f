#pragma once
// Translucent-looking blue glass: a title bar with a bright upper half over
// a deep lower half, a glow behind the emblem, glass capsule buttons.
#include "tools/stylepics/TStyleKit.h"

namespace stylepics {

class TBlueGlassKit : public TStyleKit {
public:
    TBlueGlassKit();

protected:
    TLayer TitleLeft(int w, int h) override;
    TLayer TitleClient(int w, int h) override;
    TLayer TitleRight(int w, int h) override;
    TLayer TitleButton(TTitleButton kind, TButtonState state, int size) override;
    TLayer Button(TButtonState state, int w, int h) override;
    TLayer ScrollBarButton(bool forward, TButtonState state, int w, int h) override;
    TLayer ScrollBarTrack(int w, int h) override;
    TLayer TrackBarSlider(bool vertical, int w, int h) override;
    TLayer Tab(bool active, int w, int h) override;

private:
    static TRgba TitleRow(float y);
    TLayer TitleBase(int w, int h);
    void PaintCorner(TLayer& layer, const TSdf& corner);
};

} // namespace stylepics

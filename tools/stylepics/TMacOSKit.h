#pragma once
// Brushed grey metal with pinstriped menus, candy-gel round title buttons in
// traffic-light colours, white pill buttons that turn aqua blue.
#include "tools/stylepics/TStyleKit.h"

namespace stylepics {

class TMacOSKit : public TStyleKit {
public:
    TMacOSKit();

protected:
    TLayer TitleLeft(int w, int h) override;
    TLayer TitleClient(int w, int h) override;
    TLayer TitleRight(int w, int h) override;
    TLayer TitleButton(TTitleButton kind, TButtonState state, int size) override;
    TLayer Button(TButtonState state, int w, int h) override;
    TLayer CheckBox(TCheckState state, int w, int h) override;
    TLayer RadioButton(TCheckState state, int w, int h) override;
    TLayer ProgressBar(int w, int h) override;
    TLayer TrackBarBar(int w, int h) override;
    TLayer TrackBarSlider(bool vertical, int w, int h) override;
    TLayer ScrollBarButton(bool forward, TButtonState state, int w, int h) override;
    TLayer ScrollBarTrack(int w, int h) override;
    TLayer ScrollButton(bool forward, bool hot, int w, int h) override;
    TLayer Tab(bool active, int w, int h) override;
    TLayer SideChannelHandle(int w, int h) override;
    TLayer SideChannelBar(int w, int h) override;
    void PaintExtras(TPictureSet& set) override;

private:
    enum TTone { White, Blue, DeepBlue };
    static TRgba MetalRow(int y, int height);
    TLayer MetalTitle(int w, int h);
    void PaintAqua(TLayer& layer, const TSdf& shape, float top, float bottom, TTone tone);
    void PaintJewel(TLayer& layer, float cx, float cy, float r, TRgba base);
};

} // namespace stylepics

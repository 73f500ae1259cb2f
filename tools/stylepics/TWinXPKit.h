#pragma once
// Blue title bar with rounded top corners, glossy blue title buttons with a
// red close button, white push buttons that light up orange under the
// pointer, pale blue scroll bars.
#include "tools/stylepics/TStyleKit.h"

namespace stylepics {

class TWinXPKit : public TStyleKit {
public:
    TWinXPKit();

protected:
    TLayer TitleLeft(int w, int h) override;
    TLayer TitleClient(int w, int h) override;
    TLayer TitleRight(int w, int h) override;
    TLayer TitleButton(TTitleButton kind, TButtonState state, int size) override;
    TLayer ProgressBar(int w, int h) override;
    TLayer ScrollBarButton(bool forward, TButtonState state, int w, int h) override;
    TLayer ScrollBarTrack(int w, int h) override;
    TLayer ScrollButton(bool forward, bool hot, int w, int h) override;
    void PaintExtras(TPictureSet& set) override;

private:
    static TRgba TitleRow(float y);
    TLayer TitleBase(int w, int h);
    // The pale blue face of scroll and drop-down buttons.
    void PaintLunaFace(TLayer& layer, const TSdf& shape, float top, float bottom,
                       TButtonState state);
};

} // namespace stylepics

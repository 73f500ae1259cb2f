#pragma once
// Light brushed silver with a glossy black plate under the caption, round
// silver title buttons, crisp dark outlines, a black rail under the tabs.
#include "tools/stylepics/TStyleKit.h"

namespace stylepics {

class TProteinKit : public TStyleKit {
public:
    TProteinKit();

protected:
    TLayer TitleLeft(int w, int h) override;
    TLayer TitleClient(int w, int h) override;
    TLayer TitleRight(int w, int h) override;
    TLayer TitleButton(TTitleButton kind, TButtonState state, int size) override;
    TLayer TabLine(int w, int h) override;
    void PaintExtras(TPictureSet& set) override;

private:
    static TRgba TitleRow(float y);
    TLayer TitleBase(int w, int h);
};

} // namespace stylepics

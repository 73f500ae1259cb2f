#pragma once
// Mock-ups of a style's pictures put together roughly as the skinned
// controls put them together: a window top with its title buttons, push
// buttons sliced to a common size, a tab strip, a vertical scroll bar.
// Only for looking at; the controls' exact geometry lives in the engine.
#include <string>

#include "gui/graphics/TBitmap.h"
#include "tools/stylepics/TPictureSet.h"

namespace stylepics {

class TPreview {
public:
    TPreview(const TPictureSet& set, std::string prefix);
    // False when the prefix is not a style.
    bool Available() const;
    void Render(TBitmap& out) const;

private:
    const TBitmap& Picture(const std::string& part) const;
    void DrawWindowTop(TBitmap& out, int x, int y, int width, int state, bool maximised) const;
    void DrawButtons(TBitmap& out, int x, int y) const;
    void DrawTabs(TBitmap& out, int x, int y, int width) const;
    void DrawScrollBar(TBitmap& out, int x, int y, int height) const;

    const TPictureSet& FSet;
    std::string FPrefix;
};

} // namespace stylepics

// Feeds arbitrary bytes to a file theme as a skin file and reads every
// theme item the way the skinned controls do: values, whole pictures and
// frames of them, drawn with the shared helpers onto small bitmaps. Nothing
// may crash, read outside a buffer or grow without bound; a picture that
// does not decode leaves the target as it was.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"
#include "skin/TskFileTheme.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void DrawWith(const TBitmap& picture, bool flag) {
    TBitmap target(40, 24);
    DrawNineSlice(picture, target.Canvas(), target.BoundsRect(), flag);
    DrawThreeSlice(picture, target.Canvas(), {2, 1, 38, 20}, flag);
    if (picture.Width() * picture.Height() >= 16)
        TileDraw(target.Canvas(), picture, {0, 0, 40, 24});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TskFileTheme theme(nullptr);
    theme.LoadFromBytes(std::span<const uint8_t>(data, size));
    for (int item = 1; item <= ThemeItemCount; ++item) {
        theme.GetColor(item);
        theme.GetInt(item);
        theme.GetBool(item);
        TBitmap picture(3, 2);
        theme.GetBitmap(item, &picture);
        if (picture.Width() == 3 && picture.Height() == 2) continue;
        DrawWith(picture, item % 2 != 0);
        TBitmap frame;
        theme.GetBitmapPart(item, &frame, 2, 3);
        Check(frame.Width() == picture.Width() / 3 && frame.Height() == picture.Height());
        RotateBitmapLeft(frame);
        RotateBitmapRight(frame);
    }
    return 0;
}

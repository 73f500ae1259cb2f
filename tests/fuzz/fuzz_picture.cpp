// Pictures from skins and from disk: BMP and PNG bytes through the same
// loader as the program, then drawn, stretched and greyed, so that a file
// that decodes into something odd cannot hurt the drawing code either.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPicture picture;
    try {
        picture.LoadFromStream(std::span<const uint8_t>(data, size));
    } catch (const EInvalidGraphic&) {
        if (!picture.Empty()) __builtin_trap();
        return 0;
    }
    TBitmap& bitmap = picture.Bitmap();
    if (bitmap.Empty()) __builtin_trap();
    TBitmap target(24, 24);
    TCanvas& canvas = target.Canvas();
    bitmap.SetTransparent(true);
    canvas.Draw(-3, -3, bitmap);
    canvas.StretchDraw({0, 0, 24, 24}, bitmap);
    canvas.DrawGreyed(2, 2, bitmap);
    return 0;
}

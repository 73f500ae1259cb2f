#include "tools/stylepics/SharedPictures.h"

#include "tools/stylepics/Glyphs.h"
#include "tools/stylepics/Looks.h"

namespace stylepics {

namespace {

// Four 18 x 17 frames: forward, forward under the pointer, back, back under
// the pointer. The strip draws them keyed on their lower-left pixel.
void PaintMoreScrollButton(TPictureSet& set) {
    TBitmap& strip = set.Add("MORE_SCROLLBUTTON", "MORE", 72, 17, 4);
    for (int i = 0; i < 4; ++i) {
        const bool forward = i < 2, hot = i % 2 == 1;
        TLayer layer(18, 17);
        const TSdf face = Box(1, 1, 17, 16, 3);
        layer.Fill(Grow(face, 0.6f), Rgb(0, 0, 0, 0.12f));
        if (hot)
            PaintRamp(layer, face, 1, 16, Rgb(124, 132, 220), Rgb(68, 74, 160));
        else
            PaintRamp(layer, face, 1, 16, Rgb(252, 252, 253), Rgb(212, 215, 224));
        layer.Fill(Intersect(InnerRing(Grow(face, -1), 1), Box(0, 0, 18, 8)),
                   Rgb(255, 255, 255, hot ? 0.35f : 0.8f));
        PaintOutline(layer, face, hot ? Rgb(40, 46, 120) : Rgb(112, 116, 138));
        layer.Fill(TriangleGlyph(9, 8.5f, 7, forward ? TDirection::Right : TDirection::Left),
                   hot ? Rgb(255, 255, 255) : Rgb(40, 44, 70));
        layer.FlattenInto(strip, i * 18, 0, Rgb(236, 236, 236));
    }
}

// White is the check mark's transparent colour, so its soft edge must not
// leave almost-white pixels: faint cover becomes white outright.
void PaintMenuChecked(TPictureSet& set) {
    TBitmap& mark = set.Add("MENU_CHECKED", "MORE", 16, 16);
    TLayer layer(16, 16);
    layer.Fill(Polyline({{4, 8}, {6.6f, 10.8f}, {12, 4.6f}}, 2.2f), Rgb(0, 0, 0));
    layer.FlattenInto(mark, 0, 0, Rgb(255, 255, 255), 0.3f);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (mark.GetPixel(x, y) == clMagenta) mark.SetPixel(x, y, RGB(255, 255, 255));
}

} // namespace

void PaintSharedPictures(TPictureSet& set) {
    PaintMoreScrollButton(set);
    PaintMenuChecked(set);
}

} // namespace stylepics

#pragma once
// A picture being painted: premultiplied float pixels that shapes are
// composited onto, flattened to a TBitmap at the end. Pixels left
// transparent become the engine's magenta key; partly covered pixels are
// blended over the colour the picture will be shown on, so that its edges
// stay smooth there without leaving pink fringes.
#include <functional>
#include <vector>

#include "gui/graphics/TBitmap.h"
#include "tools/stylepics/Paints.h"
#include "tools/stylepics/Shapes.h"

namespace stylepics {

// The colour behind a picture at a pixel, for its soft edges.
using TBackdrop = std::function<TRgba(int x, int y)>;

class TLayer {
public:
    TLayer(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    void Fill(const TSdf& shape, const TPaint& paint, float opacity = 1.0f);
    void Fill(const TSdf& shape, TRgba colour, float opacity = 1.0f) {
        Fill(shape, Solid(colour), opacity);
    }
    // The whole layer, opaque.
    void Flood(const TPaint& paint);
    void Flood(TRgba colour) { Flood(Solid(colour)); }
    // One pixel, composited; outside the layer nothing happens.
    void Plot(int x, int y, TRgba colour);
    // One pixel replaced.
    void Put(int x, int y, TRgba colour);
    // Straight colour of a pixel (alpha 0: black).
    TRgba At(int x, int y) const;
    float Alpha(int x, int y) const;
    // Keeps only what lies inside `shape`, soft at its edge: several soft
    // fills along one edge would otherwise add up to a solid pixel.
    void Clip(const TSdf& shape);
    // Another layer on top of this one, its top-left at (x, y).
    void Compose(const TLayer& top, int x = 0, int y = 0);
    // Mirror images, for left and right pieces painted once.
    TLayer FlippedX() const;
    TLayer FlippedY() const;

    // Pixels with less cover than `threshold` become magenta, the others
    // are blended over the backdrop.
    void FlattenInto(TBitmap& out, int x, int y, const TBackdrop& backdrop,
                     float threshold = 0.5f) const;
    void FlattenInto(TBitmap& out, int x, int y, TRgba backdrop, float threshold = 0.5f) const;
    // Every pixel blended over the backdrop; no key colour.
    void FlattenOpaque(TBitmap& out, int x, int y, const TBackdrop& backdrop) const;

private:
    struct TPremul {
        float R = 0, G = 0, B = 0, A = 0;
    };
    TPremul& Pixel(int x, int y) { return FPixels[static_cast<size_t>(y) * FWidth + x]; }
    const TPremul& Pixel(int x, int y) const {
        return FPixels[static_cast<size_t>(y) * FWidth + x];
    }
    static void Over(TPremul& dst, const TRgba& src, float cover);

    int FWidth;
    int FHeight;
    std::vector<TPremul> FPixels;
};

} // namespace stylepics

#pragma once
// Equal-sized images with optional masks, drawn normally or greyed. The
// component that layouts create (gui/TImageList.h) builds on it.
#include <memory>
#include <vector>

#include "gui/Types.h"
#include "gui/graphics/TBitmap.h"

class TCanvas;

class TCustomImageList {
public:
    TCustomImageList() = default;
    TCustomImageList(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size drops every image.
    void SetSize(int width, int height);
    int Count() const { return static_cast<int>(FImages.size()); }

    // A strip wider than Width gives Width-wide images, left to right
    // (a narrower one gives one image, white beyond its right edge). In
    // `mask`, black pixels are drawn and all others left out; nullptr draws
    // every pixel. Returns the index of the first image added.
    int Add(const TBitmap& image, const TBitmap* mask);
    // Pixels of maskColor are left out; clDefault means the strip's
    // bottom-left pixel, clNone leaves nothing out.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Delete(int index);
    void Clear() { FImages.clear(); }

    // An index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // The image's pixels (left-out pixels keep their colour); raises
    // EInvalidGraphicOperation for a bad index.
    void GetBitmap(int index, TBitmap& dest) const;

private:
    struct TImage {
        std::unique_ptr<TBitmap> Pixels;
        std::vector<uint8_t> Opaque; // empty: all drawn
    };
    template <class TIsOpaque> int AddStrip(const TBitmap& image, TIsOpaque isOpaque, bool masked);

    int FWidth = 16;
    int FHeight = 16;
    std::vector<TImage> FImages;
};

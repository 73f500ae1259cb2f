#include "gui/graphics/TCustomImageList.h"

#include <algorithm>
#include <string>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TCanvas.h"

TCustomImageList::TCustomImageList(int width, int height) {
    SetSize(width, height);
}

void TCustomImageList::SetSize(int width, int height) {
    width = std::clamp(width, 1, TBitmap::MaxSide);
    height = std::clamp(height, 1, TBitmap::MaxSide);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
}

template <class TIsOpaque>
int TCustomImageList::AddStrip(const TBitmap& image, TIsOpaque isOpaque, bool masked) {
    const int first = Count();
    if (image.Empty()) return -1;
    const int count = std::max(1, image.Width() / FWidth);
    for (int i = 0; i < count; ++i) {
        TImage entry{std::make_unique<TBitmap>(FWidth, FHeight), {}};
        if (masked) entry.Opaque.assign(static_cast<size_t>(FWidth) * FHeight, 0);
        for (int y = 0; y < std::min(FHeight, image.Height()); ++y)
            for (int x = 0; x < FWidth && i * FWidth + x < image.Width(); ++x) {
                const int sx = i * FWidth + x;
                entry.Pixels->ScanLine(y)[x] = image.ScanLine(y)[sx] & 0xFFFFFF;
                if (masked) entry.Opaque[static_cast<size_t>(y) * FWidth + x] = isOpaque(sx, y);
            }
        FImages.push_back(std::move(entry));
    }
    return first;
}

int TCustomImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (!mask)
        return AddStrip(
            image, [](int, int) { return true; }, false);
    return AddStrip(
        image, [mask](int x, int y) { return mask->GetPixel(x, y) == clBlack; }, true);
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (maskColor == clNone) return Add(image, nullptr);
    const TColor key =
        maskColor == clDefault ? image.GetPixel(0, image.Height() - 1) : ColorToRGB(maskColor);
    return AddStrip(
        image, [&](int x, int y) { return image.GetPixel(x, y) != key; }, true);
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    FImages.erase(FImages.begin() + index);
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count()) return;
    const TImage& image = FImages[static_cast<size_t>(index)];
    canvas.DrawMasked(x, y, *image.Pixels, image.Opaque, !enabled);
}

void TCustomImageList::GetBitmap(int index, TBitmap& dest) const {
    if (index < 0 || index >= Count())
        throw EInvalidGraphicOperation("Invalid image index " + std::to_string(index));
    dest.Assign(*FImages[static_cast<size_t>(index)].Pixels);
}

#include "tools/stylepics/TLayer.h"

#include <algorithm>

namespace stylepics {

TLayer::TLayer(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)),
      FPixels(static_cast<size_t>(FWidth) * FHeight) {}

void TLayer::Over(TPremul& dst, const TRgba& src, float cover) {
    const float a = std::clamp(src.A * cover, 0.0f, 1.0f);
    if (a <= 0) return;
    dst.R = src.R * a + dst.R * (1 - a);
    dst.G = src.G * a + dst.G * (1 - a);
    dst.B = src.B * a + dst.B * (1 - a);
    dst.A = a + dst.A * (1 - a);
}

void TLayer::Fill(const TSdf& shape, const TPaint& paint, float opacity) {
    for (int y = 0; y < FHeight; ++y) {
        for (int x = 0; x < FWidth; ++x) {
            const float cx = x + 0.5f, cy = y + 0.5f;
            const float cover = std::clamp(0.5f - shape(cx, cy), 0.0f, 1.0f);
            if (cover > 0) Over(Pixel(x, y), paint(cx, cy), cover * opacity);
        }
    }
}

void TLayer::Clip(const TSdf& shape) {
    for (int y = 0; y < FHeight; ++y) {
        for (int x = 0; x < FWidth; ++x) {
            const float cover = std::clamp(0.5f - shape(x + 0.5f, y + 0.5f), 0.0f, 1.0f);
            TPremul& p = Pixel(x, y);
            p.R *= cover, p.G *= cover, p.B *= cover, p.A *= cover;
        }
    }
}

void TLayer::Flood(const TPaint& paint) {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            Put(x, y, WithAlpha(paint(x + 0.5f, y + 0.5f), 1));
}

void TLayer::Plot(int x, int y, TRgba colour) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    Over(Pixel(x, y), colour, 1);
}

void TLayer::Put(int x, int y, TRgba colour) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    Pixel(x, y) = {colour.R * colour.A, colour.G * colour.A, colour.B * colour.A, colour.A};
}

TRgba TLayer::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return {};
    const TPremul& p = Pixel(x, y);
    if (p.A <= 0) return {};
    return {p.R / p.A, p.G / p.A, p.B / p.A, p.A};
}

float TLayer::Alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
    return Pixel(x, y).A;
}

void TLayer::Compose(const TLayer& top, int x, int y) {
    for (int ty = 0; ty < top.FHeight; ++ty)
        for (int tx = 0; tx < top.FWidth; ++tx)
            if (top.Alpha(tx, ty) > 0) Plot(x + tx, y + ty, top.At(tx, ty));
}

TLayer TLayer::FlippedX() const {
    TLayer out(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            out.Pixel(FWidth - 1 - x, y) = Pixel(x, y);
    return out;
}

TLayer TLayer::FlippedY() const {
    TLayer out(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            out.Pixel(x, FHeight - 1 - y) = Pixel(x, y);
    return out;
}

void TLayer::FlattenInto(TBitmap& out, int x, int y, const TBackdrop& backdrop,
                         float threshold) const {
    for (int ly = 0; ly < FHeight; ++ly) {
        for (int lx = 0; lx < FWidth; ++lx) {
            const TPremul& p = Pixel(lx, ly);
            if (p.A < threshold) {
                out.SetPixel(x + lx, y + ly, clMagenta);
                continue;
            }
            const TRgba back = backdrop(lx, ly);
            const TRgba c{p.R + back.R * (1 - p.A), p.G + back.G * (1 - p.A),
                          p.B + back.B * (1 - p.A), 1};
            TColor colour = ToColor(c);
            // A blend that lands on the key would turn into a hole.
            if (colour == clMagenta) colour = RGB(254, 0, 254);
            out.SetPixel(x + lx, y + ly, colour);
        }
    }
}

void TLayer::FlattenInto(TBitmap& out, int x, int y, TRgba backdrop, float threshold) const {
    FlattenInto(
        out, x, y, [backdrop](int, int) { return backdrop; }, threshold);
}

void TLayer::FlattenOpaque(TBitmap& out, int x, int y, const TBackdrop& backdrop) const {
    FlattenInto(out, x, y, backdrop, -1.0f);
}

} // namespace stylepics

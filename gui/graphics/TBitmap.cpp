#include "gui/graphics/TBitmap.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "gui/graphics/TScaledPictures.h"

namespace {

constexpr uint32_t White = 0x00FFFFFF;

void PutLE16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutLE32(std::vector<uint8_t>& out, uint32_t v) {
    PutLE16(out, v & 0xFFFF);
    PutLE16(out, v >> 16);
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    Resize(width, height, FScale);
}

void TBitmap::SetScale(int scale) {
    scale = std::clamp(scale, 1, MaxScale);
    if (scale == FScale) return;
    FPixels.clear();
    const int width = FWidth, height = FHeight;
    FWidth = FHeight = 0;
    Resize(width, height, scale);
}

void TBitmap::Resize(int width, int height, int scale) {
    const int64_t dw = int64_t{width} * scale, dh = int64_t{height} * scale;
    if (dw > MaxSide || dh > MaxSide || dw * dh > MaxPixels)
        throw EInvalidGraphicOperation("Bitmap too large: " + std::to_string(width) + "x" +
                                       std::to_string(height));
    Touched();
    std::vector<uint32_t> pixels(static_cast<size_t>(dw * dh), White);
    const int oldW = DeviceWidth();
    const int keepW = std::min<int>(static_cast<int>(dw), oldW);
    const int keepH = std::min<int>(static_cast<int>(dh), DeviceHeight());
    for (int y = 0; y < keepH; ++y)
        std::copy_n(FPixels.data() + static_cast<size_t>(y) * oldW, keepW,
                    pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(dw));
    FPixels.swap(pixels);
    FWidth = width;
    FHeight = height;
    FScale = scale;
}

void TBitmap::Touched() {
    if (FScaled) FScaled.reset();
}

uint32_t* TBitmap::Bits() {
    Touched();
    return FPixels.data();
}

const TBitmap& TBitmap::ScaledPicture(int scale, uint32_t key) const {
    if (scale == FScale) return *this;
    if (!FScaled) FScaled = std::make_unique<TScaledPictures>();
    return FScaled->Get(*this, scale, key);
}

uint32_t TBitmap::ToPixel(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return (static_cast<uint32_t>(GetRValue(rgb)) << 16) |
           (static_cast<uint32_t>(GetGValue(rgb)) << 8) | static_cast<uint32_t>(GetBValue(rgb));
}

TColor TBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
    if (FScale != 1) return FromPixel(ScanLine(y * FScale)[x * FScale]);
    return FromPixel(FPixels[static_cast<size_t>(y) * FWidth + x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    Touched();
    for (int dy = 0; dy < FScale; ++dy)
        std::fill_n(ScanLine(y * FScale + dy) + x * FScale, FScale, ToPixel(color));
}

uint32_t* TBitmap::ScanLine(int y) {
    Touched();
    return const_cast<uint32_t*>(static_cast<const TBitmap*>(this)->ScanLine(y));
}

const uint32_t* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= DeviceHeight())
        throw EInvalidGraphicOperation("Scan line index out of range: " + std::to_string(y));
    return FPixels.data() + static_cast<size_t>(y) * DeviceWidth();
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    return GetPixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = color;
    FTransparentMode = color == clDefault ? tmAuto : tmFixed;
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    FTransparentMode = mode;
    if (mode == tmAuto) FTransparentColor = clDefault;
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    Touched();
    FPixels = source.FPixels;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FScale = source.FScale;
    FTransparent = source.FTransparent;
    FTransparentMode = source.FTransparentMode;
    FTransparentColor = source.FTransparentColor;
}

bool TBitmap::SamePixels(const TBitmap& other) const {
    if (FWidth != other.FWidth || FHeight != other.FHeight || FScale != other.FScale) return false;
    for (size_t i = 0; i < FPixels.size(); ++i)
        if ((FPixels[i] ^ other.FPixels[i]) & 0x00FFFFFF) return false;
    return true;
}

void TBitmap::Swap(TBitmap& other) {
    Touched();
    other.Touched();
    std::swap(FScale, other.FScale);
    std::swap(FWidth, other.FWidth);
    std::swap(FHeight, other.FHeight);
    FPixels.swap(other.FPixels);
    std::swap(FTransparent, other.FTransparent);
    std::swap(FTransparentMode, other.FTransparentMode);
    std::swap(FTransparentColor, other.FTransparentColor);
}

void TBitmap::LoadFromStream(std::span<const uint8_t> data) {
    TBitmap decoded;
    try {
        TPicture::Decode(data, decoded);
    } catch (...) {
        SetSize(0, 0);
        throw;
    }
    Touched();
    FWidth = decoded.FWidth;
    FHeight = decoded.FHeight;
    FScale = 1;
    FPixels.swap(decoded.FPixels);
}

void TBitmap::LoadFromFile(const std::string& fileName) {
    std::vector<uint8_t> bytes;
    try {
        bytes = TPicture::ReadFile(fileName);
    } catch (...) {
        SetSize(0, 0);
        throw;
    }
    LoadFromStream(bytes);
}

std::vector<uint8_t> TBitmap::SaveToBmp() const {
    const uint32_t rowSize = (static_cast<uint32_t>(FWidth) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(FHeight);
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLE32(out, 54 + imageSize);
    PutLE32(out, 0);
    PutLE32(out, 54);
    PutLE32(out, 40);
    PutLE32(out, static_cast<uint32_t>(FWidth));
    PutLE32(out, static_cast<uint32_t>(FHeight));
    PutLE16(out, 1);
    PutLE16(out, 24);
    PutLE32(out, 0);
    PutLE32(out, imageSize);
    PutLE32(out, 3780); // 96 dpi
    PutLE32(out, 3780);
    PutLE32(out, 0);
    PutLE32(out, 0);
    for (int y = FHeight - 1; y >= 0; --y) {
        const uint32_t* row = ScanLine(y * FScale);
        for (int x = 0; x < FWidth; ++x) {
            const uint32_t p = row[x * FScale];
            out.push_back(static_cast<uint8_t>(p));
            out.push_back(static_cast<uint8_t>(p >> 8));
            out.push_back(static_cast<uint8_t>(p >> 16));
        }
        out.resize(out.size() + (rowSize - static_cast<uint32_t>(FWidth) * 3), 0);
    }
    return out;
}

void TBitmap::SaveToFile(const std::string& fileName) const {
    const std::vector<uint8_t> bytes = SaveToBmp();
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    if (!out) throw EFOpenError("Cannot create file \"" + fileName + "\": " + std::strerror(errno));
}

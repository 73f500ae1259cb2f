#include "gui/graphics/TBitmap.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"

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
    if (width > MaxSide || height > MaxSide || int64_t{width} * height > MaxPixels)
        throw EInvalidGraphicOperation("Bitmap too large: " + std::to_string(width) + "x" +
                                       std::to_string(height));
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), White);
    const int keepW = std::min(width, FWidth), keepH = std::min(height, FHeight);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(FPixels.data() + static_cast<size_t>(y) * FWidth, keepW,
                    pixels.data() + static_cast<size_t>(y) * width);
    FPixels.swap(pixels);
    FWidth = width;
    FHeight = height;
}

uint32_t TBitmap::ToPixel(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return (static_cast<uint32_t>(GetRValue(rgb)) << 16) |
           (static_cast<uint32_t>(GetGValue(rgb)) << 8) | static_cast<uint32_t>(GetBValue(rgb));
}

TColor TBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
    return FromPixel(FPixels[static_cast<size_t>(y) * FWidth + x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    FPixels[static_cast<size_t>(y) * FWidth + x] = ToPixel(color);
}

uint32_t* TBitmap::ScanLine(int y) {
    return const_cast<uint32_t*>(static_cast<const TBitmap*>(this)->ScanLine(y));
}

const uint32_t* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= FHeight)
        throw EInvalidGraphicOperation("Scan line index out of range: " + std::to_string(y));
    return FPixels.data() + static_cast<size_t>(y) * FWidth;
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
    FPixels = source.FPixels;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FTransparent = source.FTransparent;
    FTransparentMode = source.FTransparentMode;
    FTransparentColor = source.FTransparentColor;
}

bool TBitmap::SamePixels(const TBitmap& other) const {
    if (FWidth != other.FWidth || FHeight != other.FHeight) return false;
    for (size_t i = 0; i < FPixels.size(); ++i)
        if ((FPixels[i] ^ other.FPixels[i]) & 0x00FFFFFF) return false;
    return true;
}

void TBitmap::Swap(TBitmap& other) {
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
    FWidth = decoded.FWidth;
    FHeight = decoded.FHeight;
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
        const uint32_t* row = FPixels.data() + static_cast<size_t>(y) * FWidth;
        for (int x = 0; x < FWidth; ++x) {
            out.push_back(static_cast<uint8_t>(row[x]));
            out.push_back(static_cast<uint8_t>(row[x] >> 8));
            out.push_back(static_cast<uint8_t>(row[x] >> 16));
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

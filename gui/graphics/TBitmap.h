#pragma once
// A 32-bit pixel buffer. Each pixel is 0x00RRGGBB in a uint32_t (bytes
// B, G, R, X in memory), rows top to bottom, stride Width * 4, so a window
// back buffer can be shown as a cairo RGB24 surface without conversion.
// A 0 x 0 bitmap is valid everywhere; drawing it does nothing.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gui/Types.h"

class TCanvas;

enum TTransparentMode { tmAuto, tmFixed };

class TBitmap {
public:
    // Largest side: what a cairo image surface accepts.
    static constexpr int MaxSide = 32767;
    static constexpr int64_t MaxPixels = int64_t{1} << 28;

    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    TRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }
    // Keeps the overlapping top-left part; new pixels are white. Negative
    // sizes count as 0.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }

    // clNone outside the bitmap.
    TColor GetPixel(int x, int y) const;
    // Ignored outside the bitmap; system colours are resolved.
    void SetPixel(int x, int y, TColor color);
    // Raises EInvalidGraphicOperation for a row outside the bitmap.
    uint32_t* ScanLine(int y);
    const uint32_t* ScanLine(int y) const;
    uint32_t* Bits() { return FPixels.data(); }
    const uint32_t* Bits() const { return FPixels.data(); }
    int Stride() const { return FWidth * 4; }

    static uint32_t ToPixel(TColor color);
    static TColor FromPixel(uint32_t pixel) {
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    TCanvas& Canvas();

    // Colour-key transparency used when the bitmap is drawn on a canvas.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent) { FTransparent = transparent; }
    // tmAuto: the bottom-left pixel; setting a colour switches to tmFixed,
    // setting clDefault back to tmAuto.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);

    // Deep copy of size, pixels and transparency settings.
    void Assign(const TBitmap& source);
    bool SamePixels(const TBitmap& other) const;

    // BMP or PNG. A file that cannot be read leaves the bitmap empty and
    // raises EInvalidGraphic (or EFOpenError for the file itself).
    void LoadFromStream(std::span<const uint8_t> data);
    void LoadFromFile(const std::string& fileName);
    // 24-bit bottom-up BMP.
    std::vector<uint8_t> SaveToBmp() const;
    void SaveToFile(const std::string& fileName) const;

    // Takes over the pixels of `other` (same size checks as SetSize).
    void Swap(TBitmap& other);

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint32_t> FPixels;
    std::unique_ptr<TCanvas> FCanvas;
    bool FTransparent = false;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
};

#pragma once
// A 32-bit pixel buffer. Each pixel is 0x00RRGGBB in a uint32_t (bytes
// B, G, R, X in memory), rows top to bottom, stride DeviceWidth * 4, so a
// window back buffer can be shown as a cairo RGB24 surface without
// conversion. A 0 x 0 bitmap is valid everywhere; drawing it does nothing.
//
// A window back buffer on a HiDPI screen has a Scale above 1: Width and
// Height stay in the form's (logical) pixels, each of which covers
// Scale x Scale device pixels; ScanLine, Bits and Stride address device
// pixels. Pictures keep Scale 1 and hand out smoothly enlarged copies of
// themselves, made once per scale and kept until their pixels change.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gui/Types.h"

class TCanvas;
class TScaledPictures;

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
    int Scale() const { return FScale; }
    int DeviceWidth() const { return FWidth * FScale; }
    int DeviceHeight() const { return FHeight * FScale; }
    static constexpr int MaxScale = 4;
    // Clamped to 1..MaxScale; a new scale leaves every pixel white.
    void SetScale(int scale);
    bool Empty() const { return FWidth == 0 || FHeight == 0; }
    TRect BoundsRect() const { return {0, 0, FWidth, FHeight}; }
    // Keeps the overlapping top-left part; new pixels are white. Negative
    // sizes count as 0.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }

    // Logical pixels (the top-left device pixel of each); clNone outside
    // the bitmap.
    TColor GetPixel(int x, int y) const;
    // Ignored outside the bitmap; system colours are resolved.
    void SetPixel(int x, int y, TColor color);
    // Device rows; raises EInvalidGraphicOperation for a row outside the
    // bitmap.
    uint32_t* ScanLine(int y);
    const uint32_t* ScanLine(int y) const;
    uint32_t* Bits();
    const uint32_t* Bits() const { return FPixels.data(); }
    int Stride() const { return DeviceWidth() * 4; }

    // This picture at `scale` times its size, smoothly filtered; pixels of
    // colour `key` (a pixel value; NoKey: none) stay exactly that colour
    // and lend nothing to their neighbours. Valid until this bitmap
    // changes.
    static constexpr uint32_t NoKey = 0xFF000000;
    const TBitmap& ScaledPicture(int scale, uint32_t key) const;

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
    // The pixels change: enlarged copies are out of date.
    void Touched();
    void Resize(int width, int height, int scale);

    int FWidth = 0;
    int FHeight = 0;
    int FScale = 1;
    std::vector<uint32_t> FPixels;
    std::unique_ptr<TCanvas> FCanvas;
    bool FTransparent = false;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    mutable std::unique_ptr<TScaledPictures> FScaled;
};

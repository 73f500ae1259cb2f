#pragma once
// Our own BMP decoder. Files come from skins and from disk, so every field
// is checked before it is used: header sizes, planes, bit counts,
// compression, dimensions, palette, pixel-data offset and size. Anything
// wrong raises EInvalidGraphic with the reason; nothing is allocated before
// the dimensions have passed the limits.
#include <cstdint>
#include <span>

class TBitmap;

class TBmpReader {
public:
    static constexpr int MaxSide = 16384;
    static constexpr int64_t MaxPixels = int64_t{1} << 25; // 128 MiB of pixels

    // Fills `out` (resized) or raises; `out` is unspecified after a failure.
    static void Decode(std::span<const uint8_t> data, TBitmap& out);
    // True when the bytes start like a BMP file.
    static bool Sniff(std::span<const uint8_t> data);
};

#pragma once
// Helpers for the skin drawing and theme tests: bitmaps whose pixels say
// where they came from, and built-in pictures for tests that need one while
// the executable's own pictures may not be linked in.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/graphics/TBitmap.h"
#include "platform/Resources.h"

namespace skintheme_test {

// Every pixel of a coordinate bitmap names its own position: red = x,
// green = y, blue = Tag. Coordinates stay below 256.
constexpr int Tag = 77;
constexpr TColor Marker = RGB(1, 2, 3);

inline TColor Coord(int x, int y) {
    return RGB(x, y, Tag);
}

inline void FillCoordinates(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, Coord(x, y));
}

inline void Fill(TBitmap& bitmap, int width, int height, TColor color) {
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, color);
}

inline int CountPixelsOf(const TBitmap& bitmap, TColor color) {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            n += bitmap.GetPixel(x, y) == color;
    return n;
}

// Each pixel as two digits "xy" of the source pixel it shows, ".." for the
// marker and "??" for anything else; pixels separated by spaces, rows by
// newlines. Sources stay within 10 x 10 for this to read.
inline std::string SourceMap(const TBitmap& bitmap) {
    std::string out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (x) out += ' ';
            const TColor c = bitmap.GetPixel(x, y);
            if (c == Marker)
                out += "..";
            else if (GetBValue(c) == Tag && GetRValue(c) < 10 && GetGValue(c) < 10)
                out += std::to_string(GetRValue(c)) + std::to_string(GetGValue(c));
            else
                out += "??";
        }
        out += '\n';
    }
    return out;
}

// Makes sure a resource of that name exists: when the executable does not
// carry it, `make` draws one that is registered for the rest of the
// process. Returns the bitmap the resource decodes to.
template <class TMake> void EnsureResource(const std::string& name, TMake make) {
    if (platform::FindResource(name)) return;
    static std::map<std::string, std::vector<uint8_t>> kept;
    TBitmap picture;
    make(picture);
    auto& bytes = kept[name];
    bytes = picture.SaveToBmp();
    platform::RegisterResource(name, bytes.data(), bytes.size());
}

} // namespace skintheme_test

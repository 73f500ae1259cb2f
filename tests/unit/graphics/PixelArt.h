#pragma once
// Pixel pictures for tests: a bitmap as rows of characters, so that an
// expected shape can be written down and a failure shows what was drawn.
#include <map>
#include <string>

#include "gui/graphics/TBitmap.h"

// Colours not in `legend` show as '?'.
inline std::string Art(const TBitmap& bitmap, const std::map<TColor, char>& legend) {
    std::string out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            auto it = legend.find(bitmap.GetPixel(x, y));
            out.push_back(it == legend.end() ? '?' : it->second);
        }
        out.push_back('\n');
    }
    return out;
}

// White '.', black '#', red 'r', blue 'b', green 'g'.
inline std::string Art(const TBitmap& bitmap) {
    return Art(bitmap,
               {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}});
}

// Rows joined with newlines, one trailing: Rows({"..", "##"}) == "..\n##\n".
inline std::string Rows(std::initializer_list<const char*> rows) {
    std::string out;
    for (const char* r : rows)
        out.append(r).push_back('\n');
    return out;
}

inline int CountPixels(const TBitmap& bitmap, TColor color) {
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            n += bitmap.GetPixel(x, y) == color;
    return n;
}

// Bounds of the pixels that differ from `background`.
inline TRect InkBounds(const TBitmap& bitmap, TColor background) {
    TRect r;
    bool any = false;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.GetPixel(x, y) == background) continue;
            if (!any) r = {x, y, x + 1, y + 1};
            r = r.Union({x, y, x + 1, y + 1});
            any = true;
        }
    return r;
}

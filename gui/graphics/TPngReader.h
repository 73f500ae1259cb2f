#pragma once
// PNG pictures through gdk-pixbuf. The image header is checked by us first
// (the library itself would allocate whatever the file claims); the alpha
// channel is dropped, since our pictures use a colour key instead.
#include <cstdint>
#include <span>

class TBitmap;

class TPngReader {
public:
    static void Decode(std::span<const uint8_t> data, TBitmap& out);
    static bool Sniff(std::span<const uint8_t> data);
};

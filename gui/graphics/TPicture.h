#pragma once
// A picture loaded from a file or from memory: BMP (our own checked
// decoder) or PNG (gdk-pixbuf behind our own header checks). Held as a
// TBitmap. A file that cannot be read leaves the picture empty and raises
// EInvalidGraphic or EFOpenError, whose message names the problem.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gui/graphics/TBitmap.h"

class TPicture {
public:
    // Larger files are refused before they are read.
    static constexpr uintmax_t MaxFileSize = 64u << 20;

    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(std::span<const uint8_t> data);
    void SaveToFile(const std::string& fileName) const { FBitmap->SaveToFile(fileName); }

    int Width() const { return FBitmap->Width(); }
    int Height() const { return FBitmap->Height(); }
    bool Empty() const { return FBitmap->Empty(); }
    TBitmap& Bitmap() { return *FBitmap; }
    const TBitmap& Bitmap() const { return *FBitmap; }
    void Assign(const TPicture& source);
    void Assign(const TBitmap& source);
    void Clear();

    std::function<void()> OnChange;

    // The decoders behind LoadFromStream, for TBitmap's own loading: fills
    // `out` or raises.
    static void Decode(std::span<const uint8_t> data, TBitmap& out);
    // The whole file, or EFOpenError (missing, unreadable, over MaxFileSize).
    static std::vector<uint8_t> ReadFile(const std::string& fileName);

private:
    void Changed();

    std::unique_ptr<TBitmap> FBitmap;
};

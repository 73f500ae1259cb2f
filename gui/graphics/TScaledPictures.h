#pragma once
// A picture's enlarged copies for HiDPI back buffers, one per scale and
// colour key. Enlarging is bilinear at device pixel centres, so edges and
// gradients of skin pictures stay smooth rather than turning into blocks.
// A colour key marks holes: a device pixel whose picture pixel (the one
// under its centre) is the key stays the key exactly, and key pixels lend
// no colour to the opaque ones beside them (no fringe of the key colour).
#include <cstdint>
#include <memory>
#include <vector>

class TBitmap;

class TScaledPictures {
public:
    TScaledPictures();
    ~TScaledPictures();
    TScaledPictures(const TScaledPictures&) = delete;
    TScaledPictures& operator=(const TScaledPictures&) = delete;

    const TBitmap& Get(const TBitmap& source, int scale, uint32_t key);
    size_t Count() const { return FEntries.size(); }

    // `key` as in TBitmap::ScaledPicture; `out` gets scale x the size, at
    // Scale 1.
    static void Enlarge(const TBitmap& source, int scale, uint32_t key, TBitmap& out);

private:
    struct TEntry {
        int Scale;
        uint32_t Key;
        std::unique_ptr<TBitmap> Picture;
    };
    std::vector<TEntry> FEntries;
};

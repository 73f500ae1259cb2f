#include "gui/graphics/TScaledPictures.h"

#include <algorithm>
#include <cmath>

#include "gui/graphics/TBitmap.h"

namespace {

// Where device pixel `i` samples the picture: the pixel left of (or
// above) its centre and how far towards the next one it lies.
struct TTap {
    int Near; // the pixel under the centre
    int Low;
    int High;
    double Weight; // of High
};

std::vector<TTap> Taps(int device, int scale, int size) {
    std::vector<TTap> taps(static_cast<size_t>(device));
    for (int i = 0; i < device; ++i) {
        const double u = (i + 0.5) / scale - 0.5;
        const int low = static_cast<int>(std::floor(u));
        taps[static_cast<size_t>(i)] = {std::min(i / scale, size - 1), std::clamp(low, 0, size - 1),
                                        std::clamp(low + 1, 0, size - 1), u - low};
    }
    return taps;
}

uint32_t Blend(const uint32_t* pixels[4], const double weights[4], uint32_t key) {
    double sum = 0, c[3] = {0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (weights[i] <= 0 || (*pixels[i] & 0xFFFFFF) == key) continue;
        sum += weights[i];
        for (int k = 0; k < 3; ++k)
            c[k] += weights[i] * ((*pixels[i] >> (8 * k)) & 0xFF);
    }
    uint32_t p = 0;
    for (int k = 0; k < 3; ++k)
        p |= static_cast<uint32_t>(std::lround(c[k] / sum)) << (8 * k);
    // A blend that happens to hit the key would turn into a hole.
    return p == key ? p ^ 1 : p;
}

} // namespace

TScaledPictures::TScaledPictures() = default;
TScaledPictures::~TScaledPictures() = default;

const TBitmap& TScaledPictures::Get(const TBitmap& source, int scale, uint32_t key) {
    for (const TEntry& e : FEntries)
        if (e.Scale == scale && e.Key == key) return *e.Picture;
    auto picture = std::make_unique<TBitmap>();
    Enlarge(source, scale, key, *picture);
    FEntries.push_back({scale, key, std::move(picture)});
    return *FEntries.back().Picture;
}

void TScaledPictures::Enlarge(const TBitmap& source, int scale, uint32_t key, TBitmap& out) {
    scale = std::clamp(scale, 1, TBitmap::MaxScale);
    const int w = source.DeviceWidth(), h = source.DeviceHeight();
    out.SetSize(w * scale, h * scale);
    if (source.Empty()) return;
    const std::vector<TTap> cols = Taps(w * scale, scale, w), rows = Taps(h * scale, scale, h);
    for (int y = 0; y < h * scale; ++y) {
        const TTap& ty = rows[static_cast<size_t>(y)];
        const uint32_t* low = source.ScanLine(ty.Low);
        const uint32_t* high = source.ScanLine(ty.High);
        const uint32_t* near = source.ScanLine(ty.Near);
        uint32_t* target = out.ScanLine(y);
        for (int x = 0; x < w * scale; ++x) {
            const TTap& tx = cols[static_cast<size_t>(x)];
            if ((near[tx.Near] & 0xFFFFFF) == key) {
                target[x] = key;
                continue;
            }
            const uint32_t* pixels[4] = {low + tx.Low, low + tx.High, high + tx.Low,
                                         high + tx.High};
            const double weights[4] = {(1 - tx.Weight) * (1 - ty.Weight),
                                       tx.Weight * (1 - ty.Weight), (1 - tx.Weight) * ty.Weight,
                                       tx.Weight * ty.Weight};
            target[x] = Blend(pixels, weights, key);
        }
    }
}

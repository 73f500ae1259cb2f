#include "tools/stylepics/TProgramIcon.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace stylepics {

namespace {

constexpr float kGrid = 64.0f;

// The drawing in grid units, scaled to the layer.
class TScaled {
public:
    explicit TScaled(int size) : FK(static_cast<float>(size) / kGrid) {}
    TPt P(float x, float y) const { return {x * FK, y * FK}; }
    float L(float v) const { return v * FK; }
    TSdf Shape(std::initializer_list<TPt> units) const {
        std::vector<TPt> points;
        for (const TPt& u : units)
            points.push_back(P(u.X, u.Y));
        return Polygon(points);
    }
    TSdf Star(float cx, float cy, float r) const {
        std::vector<TPt> points;
        for (int i = 0; i < 10; ++i) {
            const float radius = i % 2 ? r * 0.45f : r;
            const float angle = (-90.0f + i * 36.0f) * 3.14159265f / 180.0f;
            points.push_back(P(cx + radius * std::cos(angle), cy + radius * std::sin(angle)));
        }
        return Polygon(points);
    }
    // Lines thinner than a pixel would vanish at 16 x 16.
    float Line(float units) const { return std::max(L(units), 1.0f); }

private:
    float FK;
};

uint8_t Byte(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

} // namespace

const std::vector<int>& TProgramIcon::Sizes() {
    static const std::vector<int> sizes{16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

TLayer TProgramIcon::Paint(int size) {
    TLayer layer(size, size);
    const TScaled s(size);
    const TSdf disc = Circle(s.L(32), s.L(32), s.L(30.5f));
    layer.Fill(
        disc,
        Radial(s.L(22), s.L(18), s.L(50),
               {{0.0f, Rgb(88, 156, 236)}, {0.6f, Rgb(30, 78, 176)}, {1.0f, Rgb(12, 34, 104)}}));
    layer.Fill(Intersect(disc, HalfPlaneBelow(s.L(47))),
               Vertical(s.L(47), s.L(62), {{0.0f, Rgb(24, 76, 160)}, {1.0f, Rgb(10, 40, 104)}}));
    // The boat: the mast, a lit main sail, a paler fore sail and the hull.
    layer.Fill(Segment(s.P(33, 11), s.P(33, 46), s.Line(2.0f)), Rgb(92, 66, 44));
    layer.Fill(
        s.Shape({{35.5f, 12}, {52, 42}, {35.5f, 42}}),
        Vertical(s.L(12), s.L(42), {{0.0f, Rgb(255, 255, 255)}, {1.0f, Rgb(255, 222, 140)}}));
    layer.Fill(s.Shape({{30.5f, 17}, {30.5f, 42}, {15, 42}}), Rgb(214, 230, 250));
    layer.Fill(s.Shape({{14, 44.5f}, {52, 44.5f}, {45.5f, 52}, {20.5f, 52}}),
               Vertical(s.L(44), s.L(52), {{0.0f, Rgb(150, 84, 44)}, {1.0f, Rgb(96, 50, 26)}}));
    const TSdf star = s.Star(17, 18, 8.5f);
    layer.Fill(star,
               Vertical(s.L(10), s.L(26), {{0.0f, Rgb(255, 244, 160)}, {1.0f, Rgb(255, 196, 40)}}));
    layer.Fill(InnerRing(star, s.Line(0.9f)), Rgb(184, 118, 0));
    layer.Fill(InnerRing(disc, s.Line(1.4f)), Rgb(8, 26, 84));
    return layer;
}

std::vector<unsigned char> TProgramIcon::Rgba(const TLayer& layer) {
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<size_t>(layer.Width()) * layer.Height() * 4);
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x) {
            const TRgba c = layer.At(x, y);
            bytes.insert(bytes.end(), {Byte(c.R), Byte(c.G), Byte(c.B), Byte(layer.Alpha(x, y))});
        }
    return bytes;
}

void TProgramIcon::SavePng(const TLayer& layer, const std::string& fileName) {
    std::vector<unsigned char> bytes = Rgba(layer);
    GdkPixbuf* pixbuf =
        gdk_pixbuf_new_from_data(bytes.data(), GDK_COLORSPACE_RGB, TRUE, 8, layer.Width(),
                                 layer.Height(), layer.Width() * 4, nullptr, nullptr);
    GError* error = nullptr;
    const bool saved = gdk_pixbuf_save(pixbuf, fileName.c_str(), "png", &error, nullptr);
    g_object_unref(pixbuf);
    if (saved) return;
    std::string reason = error ? error->message : "?";
    g_clear_error(&error);
    throw std::runtime_error("cannot write " + fileName + ": " + reason);
}

} // namespace stylepics

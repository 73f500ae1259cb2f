#include "gui/graphics/TPngReader.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <memory>
#include <string>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TBmpReader.h"

namespace {

constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

[[noreturn]] void Fail(const std::string& why) {
    throw EInvalidGraphic("Invalid PNG: " + why);
}

uint32_t BE32(std::span<const uint8_t> d, size_t at) {
    return (uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) | (uint32_t{d[at + 2]} << 8) |
           d[at + 3];
}

void CheckHeader(std::span<const uint8_t> d) {
    if (d.size() < 33) Fail("file too short");
    if (BE32(d, 8) != 13 || d[12] != 'I' || d[13] != 'H' || d[14] != 'D' || d[15] != 'R')
        Fail("no image header");
    const uint32_t w = BE32(d, 16), h = BE32(d, 20);
    if (w == 0 || h == 0 || w > uint32_t(TBmpReader::MaxSide) ||
        h > uint32_t(TBmpReader::MaxSide) || uint64_t{w} * h > uint64_t(TBmpReader::MaxPixels))
        Fail("dimensions " + std::to_string(w) + "x" + std::to_string(h) + " exceed the limit");
}

// The library shows a cut-off file as if it were whole: walk the chunks
// ourselves and insist on the end chunk.
void CheckChunks(std::span<const uint8_t> d) {
    size_t at = 8;
    while (at + 12 <= d.size()) {
        const uint32_t length = BE32(d, at);
        if (length > 0x7FFFFFFFu) Fail("bad chunk length");
        const bool end =
            d[at + 4] == 'I' && d[at + 5] == 'E' && d[at + 6] == 'N' && d[at + 7] == 'D';
        at += 12 + size_t{length};
        if (at > d.size()) break;
        if (end) return;
    }
    Fail("file truncated");
}

struct TObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
struct TErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using TLoaderPtr = std::unique_ptr<GdkPixbufLoader, TObjectUnref>;
using TErrorPtr = std::unique_ptr<GError, TErrorFree>;

void ThrowIf(GError* error) {
    if (!error) return;
    TErrorPtr owned(error);
    Fail(owned->message ? owned->message : "decoder error");
}

void CopyPixels(GdkPixbuf* pixbuf, TBitmap& out) {
    const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < 3)
        Fail("unexpected pixel layout");
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
    out.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        const guchar* src = pixels + static_cast<size_t>(y) * stride;
        uint32_t* dst = out.ScanLine(y);
        for (int x = 0; x < w; ++x, src += channels)
            dst[x] = (uint32_t{src[0]} << 16) | (uint32_t{src[1]} << 8) | src[2];
    }
}

} // namespace

bool TPngReader::Sniff(std::span<const uint8_t> data) {
    return data.size() >= 8 && std::equal(Signature, Signature + 8, data.begin());
}

void TPngReader::Decode(std::span<const uint8_t> data, TBitmap& out) {
    if (!Sniff(data)) Fail("not a PNG file");
    CheckHeader(data);
    CheckChunks(data);
    GError* error = nullptr;
    TLoaderPtr loader(gdk_pixbuf_loader_new_with_type("png", &error));
    ThrowIf(error);
    gdk_pixbuf_loader_write(loader.get(), data.data(), data.size(), &error);
    if (error) {
        gdk_pixbuf_loader_close(loader.get(), nullptr);
        ThrowIf(error);
    }
    gdk_pixbuf_loader_close(loader.get(), &error);
    ThrowIf(error);
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
    if (!pixbuf) Fail("no image decoded");
    CopyPixels(pixbuf, out);
}

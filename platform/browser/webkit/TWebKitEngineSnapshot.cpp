// A picture of the page as the view shows it, for the game screenshot.
#include <cairo.h>

#include "platform/browser/webkit/TWebKitEngineGuard.h"

namespace platform {

namespace {

struct TSnapshotRequest {
    std::weak_ptr<int> Alive;
    IBrowserEngine::TSnapshotDone Done;
};

// WebKit's picture is premultiplied native-endian ARGB; the owner gets
// straight RGBA so that any image writer takes it as it is.
std::shared_ptr<TPageSnapshot> ToRgba(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    auto picture = std::make_shared<TPageSnapshot>();
    picture->Width = cairo_image_surface_get_width(surface);
    picture->Height = cairo_image_surface_get_height(surface);
    const bool alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    picture->Rgba.resize(size_t(picture->Width) * picture->Height * 4);
    uint8_t* out = picture->Rgba.data();
    for (int y = 0; y < picture->Height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < picture->Width; ++x, out += 4) {
            uint32_t p = row[x];
            unsigned a = alpha ? p >> 24 : 0xFF;
            auto straight = [a](unsigned c) {
                return uint8_t(a == 0 ? 0 : a == 0xFF ? c : c * 0xFF / a);
            };
            out[0] = straight((p >> 16) & 0xFF);
            out[1] = straight((p >> 8) & 0xFF);
            out[2] = straight(p & 0xFF);
            out[3] = uint8_t(a);
        }
    }
    return picture;
}

void OnSnapshot(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<TSnapshotRequest> request(static_cast<TSnapshotRequest*>(data));
    GError* error = nullptr;
    cairo_surface_t* surface =
        webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), result, &error);
    if (request->Alive.expired()) {
        if (surface) cairo_surface_destroy(surface);
        if (error) g_error_free(error);
        return;
    }
    try {
        if (!surface) {
            std::string reason = error ? error->message : "页面没有给出画面";
            if (error) g_error_free(error);
            request->Done(nullptr, reason);
            return;
        }
        std::shared_ptr<TPageSnapshot> picture;
        if (cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE &&
            cairo_image_surface_get_width(surface) > 0 &&
            cairo_image_surface_get_height(surface) > 0)
            picture = ToRgba(surface);
        cairo_surface_destroy(surface);
        if (picture)
            request->Done(std::move(picture), "");
        else
            request->Done(nullptr, "页面没有给出画面");
    } catch (...) {
    }
}

} // namespace

void TWebKitEngine::Snapshot(TSnapshotDone done) {
    auto* request = new TSnapshotRequest{FAlive, std::move(done)};
    webkit_web_view_get_snapshot(FView, WEBKIT_SNAPSHOT_REGION_VISIBLE,
                                 WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr, OnSnapshot, request);
}

} // namespace platform

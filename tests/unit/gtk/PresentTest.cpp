#include "GtkTestSupport.h"
#include "gui/graphics/TCanvas.h"

namespace {

// What the drawing area presents, read back through a surface with an
// alpha channel (what a compositor that honours alpha would get), at
// `scale` device pixels per window pixel.
struct TReadBack {
    cairo_surface_t* Surface;
    int Width, Height;

    TReadBack(GtkWidget* area, int scale)
        : Width(gtk_widget_get_allocated_width(area) * scale),
          Height(gtk_widget_get_allocated_height(area) * scale) {
        Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
        cairo_surface_set_device_scale(Surface, scale, scale);
        cairo_t* cr = cairo_create(Surface);
        gtk_widget_draw(area, cr);
        cairo_destroy(cr);
        cairo_surface_flush(Surface);
    }
    ~TReadBack() { cairo_surface_destroy(Surface); }
    uint32_t At(int x, int y) const {
        const unsigned char* data = cairo_image_surface_get_data(Surface);
        return reinterpret_cast<const uint32_t*>(data +
                                                 y * cairo_image_surface_get_stride(Surface))[x];
    }
};

} // namespace

TEST_F(GtkTest, PresentedPixelsAreOpaque) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(60, 60, 80, 40), clBlack);
    ASSERT_EQ(client.Buffer.Bits()[0] >> 24, 0u) << "the buffer's own top bytes are 0";
    client.Buffer.Canvas().Brush().SetColor(clRed);
    client.Buffer.Canvas().FillRect({0, 0, 10, 10});
    // Smaller than the window: the rest is filled white, opaque as well.
    client.Buffer.SetSize(60, 40);
    TReadBack shown(FHost.FindWindow(window)->DrawingArea(), 1);
    ASSERT_EQ(shown.Width, 80);
    int transparent = 0;
    for (int y = 0; y < shown.Height; ++y)
        for (int x = 0; x < shown.Width; ++x)
            transparent += (shown.At(x, y) >> 24) != 0xFF;
    EXPECT_EQ(transparent, 0);
    EXPECT_EQ(shown.At(5, 5), 0xFFFF0000u);
    EXPECT_EQ(shown.At(30, 20), 0xFF000000u);
    EXPECT_EQ(shown.At(70, 20), 0xFFFFFFFFu);
}

TEST_F(GtkTest, AScaledBufferMeetsDevicePixelsOneToOne) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(60, 60, 40, 30), clWhite);
    client.Buffer.SetScale(2);
    client.Buffer.Canvas().Brush().SetColor(clWhite);
    client.Buffer.Canvas().FillRect({0, 0, 40, 30});
    client.Buffer.ScanLine(11)[21] = 0x0000FF; // one device pixel, finer than a window pixel
    TReadBack shown(FHost.FindWindow(window)->DrawingArea(), 2);
    ASSERT_EQ(shown.Width, 80);
    EXPECT_EQ(shown.At(21, 11), 0xFF0000FFu);
    EXPECT_EQ(shown.At(20, 11), 0xFFFFFFFFu);
    EXPECT_EQ(shown.At(21, 10), 0xFFFFFFFFu);
    EXPECT_EQ(shown.At(79, 59), 0xFFFFFFFFu);
}

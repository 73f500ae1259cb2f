// The program's icon at the sizes the icon theme gets: a round picture on
// a transparent ground, written as PNG files that keep that transparency.
#include <gtest/gtest.h>

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <unistd.h>

#include <filesystem>

#include "tools/stylepics/TProgramIcon.h"

using namespace stylepics;
namespace fs = std::filesystem;

namespace {

TEST(ProgramIcon, EverySizeIsARoundPictureOnATransparentGround) {
    for (int size : TProgramIcon::Sizes()) {
        const TLayer icon = TProgramIcon::Paint(size);
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        // The disc reaches to within a twentieth of the edges.
        const int last = size - 1, mid = size / 2, in = size / 20 + 1;
        for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_EQ(icon.Alpha(x, y), 0.0f) << size << " corner " << x << "," << y;
        for (auto [x, y] : {std::pair{mid, in}, {in, mid}, {last - in, mid}, {mid, last - in}})
            EXPECT_GT(icon.Alpha(x, y), 0.5f) << size << " edge " << x << "," << y;
        // Something stands out on the disc at every size (the sail is light).
        float brightest = 0;
        for (int y = size / 4; y < size * 3 / 4; ++y)
            for (int x = size / 4; x < size * 3 / 4; ++x)
                brightest = std::max(brightest, icon.At(x, y).B);
        EXPECT_GT(brightest, 0.8f) << size;
    }
}

TEST(ProgramIcon, PngKeepsSizeColourAndTransparency) {
    std::string dir = (fs::temp_directory_path() / "xf-icon-XXXXXX").string();
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const TLayer icon = TProgramIcon::Paint(48);
    const std::string file = dir + "/icon.png";
    TProgramIcon::SavePng(icon, file);
    GdkPixbuf* read = gdk_pixbuf_new_from_file(file.c_str(), nullptr);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(read), 48);
    EXPECT_EQ(gdk_pixbuf_get_height(read), 48);
    EXPECT_TRUE(gdk_pixbuf_get_has_alpha(read));
    const std::vector<unsigned char> expected = TProgramIcon::Rgba(icon);
    const guchar* pixels = gdk_pixbuf_get_pixels(read);
    const int stride = gdk_pixbuf_get_rowstride(read);
    int differing = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48 * 4; ++x)
            differing += pixels[y * stride + x] != expected[y * 48 * 4 + x];
    EXPECT_EQ(differing, 0);
    g_object_unref(read);
    EXPECT_THROW(TProgramIcon::SavePng(icon, dir + "/no/such/folder/icon.png"), std::runtime_error);
    fs::remove_all(dir);
}

} // namespace

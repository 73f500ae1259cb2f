#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/PngFile.h"

namespace fs = std::filesystem;

namespace {

platform::TPageSnapshot Picture(int width, int height) {
    platform::TPageSnapshot picture;
    picture.Width = width;
    picture.Height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.Rgba.insert(picture.Rgba.end(), {uint8_t(x), uint8_t(y), 0x80, 0xFF});
    return picture;
}

class PngFileTest : public ::testing::Test {
protected:
    PngFileTest() : FDir(fs::temp_directory_path() / ("xf-png-" + std::to_string(::getpid()))) {}
    ~PngFileTest() override { fs::remove_all(FDir); }
    fs::path FDir;
};

} // namespace

TEST_F(PngFileTest, WritesThePictureIntoAFolderItMakes) {
    fs::path folder = FDir / "图片" / "星帆截图";
    std::string path = platform::WriteNewPng(folder.string(), "2026 游戏", Picture(7, 5));
    EXPECT_EQ(path, (folder / "2026 游戏.png").string());
    GError* error = nullptr;
    GdkPixbuf* read = gdk_pixbuf_new_from_file(path.c_str(), &error);
    ASSERT_NE(read, nullptr) << (error ? error->message : "");
    EXPECT_EQ(gdk_pixbuf_get_width(read), 7);
    EXPECT_EQ(gdk_pixbuf_get_height(read), 5);
    const guchar* pixels = gdk_pixbuf_get_pixels(read);
    const int stride = gdk_pixbuf_get_rowstride(read), channels = gdk_pixbuf_get_n_channels(read);
    const guchar* last = pixels + 4 * stride + 6 * channels;
    EXPECT_EQ(last[0], 6);
    EXPECT_EQ(last[1], 4);
    EXPECT_EQ(last[2], 0x80);
    g_object_unref(read);
}

TEST_F(PngFileTest, NeverReplacesAFileButNumbersTheNextOne) {
    fs::create_directories(FDir);
    std::ofstream(FDir / "shot.png") << "the player's own file";
    EXPECT_EQ(platform::WriteNewPng(FDir.string(), "shot", Picture(2, 2)),
              (FDir / "shot(1).png").string());
    EXPECT_EQ(platform::WriteNewPng(FDir.string(), "shot", Picture(2, 2)),
              (FDir / "shot(2).png").string());
    std::ifstream in(FDir / "shot.png");
    std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "the player's own file");
}

TEST_F(PngFileTest, BrokenPicturesAndUnwritableFoldersFailWithAReasonAndLeaveNothing) {
    platform::TPageSnapshot shortData = Picture(4, 4);
    shortData.Rgba.resize(10);
    EXPECT_THROW(platform::WriteNewPng(FDir.string(), "x", shortData), std::runtime_error);
    EXPECT_THROW(platform::WriteNewPng(FDir.string(), "x", Picture(0, 3)), std::runtime_error);
    EXPECT_FALSE(fs::exists(FDir / "x.png"));
    fs::create_directories(FDir);
    std::ofstream(FDir / "file") << "not a folder";
    try {
        platform::WriteNewPng((FDir / "file").string(), "x", Picture(1, 1));
        FAIL() << "wrote into a file";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find((FDir / "file").string()), std::string::npos)
            << e.what();
    }
}

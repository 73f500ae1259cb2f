#include "ControlTestSupport.h"
#include "gui/PictureSource.h"
#include "gui/TImageList.h"
#include "gui/TLayoutLoader.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"

namespace {

class ImageListTest : public ControlFixture {};

// Three 4x4 frames: red, green, blue, with a magenta bottom-left pixel each
// (the key) and a magenta column in the middle frame.
TColor Strip(int x, int y) {
    if (y == 3 && x % 4 == 0) return clFuchsia;
    if (x == 5) return clFuchsia;
    return x < 4 ? clRed : x < 8 ? clLime : clBlue;
}

} // namespace

TEST_F(ImageListTest, PictureSourcesAreResourcesOrFilesAndMissingOnesAreNamed) {
    RegisterPicture("images/test-strip.bmp", 12, 4, Strip);
    TPicture picture;
    LoadPictureFromSource(picture, "images/test-strip.bmp");
    EXPECT_EQ(picture.Width(), 12);
    std::string path = WritePicture("file.bmp", 3, 2, [](int, int) { return clRed; });
    LoadPictureFromSource(picture, "file:" + path);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Bitmap().GetPixel(2, 1), clRed);

    try {
        LoadPictureFromSource(picture, "images/nothing-here.bmp");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("images/nothing-here.bmp"), std::string::npos);
    }
    EXPECT_TRUE(picture.Empty());
    EXPECT_THROW(LoadPictureFromSource(picture, "file:" + TempDir() + "/gone.bmp"), EFOpenError);

    std::string junk = TempDir() + "/junk.bmp";
    FILE* f = fopen(junk.c_str(), "wb");
    fputs("BMnot a picture", f);
    fclose(f);
    try {
        LoadPictureFromSource(picture, "file:" + junk);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("junk.bmp"), std::string::npos);
    }
}

TEST_F(ImageListTest, LayoutStripsAreCutByWidthAndRecutWhenTheSizeChanges) {
    RegisterPicture("images/test-strip.bmp", 12, 4, Strip);
    TImageList list(nullptr);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.SetHeight(4);
    list.SetWidth(4);
    list.SetSources({"images/test-strip.bmp"});
    EXPECT_EQ(list.Count(), 3);
    EXPECT_GT(changes, 0);

    TBitmap target(4, 4);
    target.Canvas().Brush().SetColor(clBlack);
    target.Canvas().FillRect({0, 0, 4, 4});
    list.Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(target.GetPixel(0, 0), clLime);
    EXPECT_EQ(target.GetPixel(1, 0), clBlack); // the key column is left out
    EXPECT_EQ(target.GetPixel(0, 3), clBlack);

    list.SetWidth(6);
    EXPECT_EQ(list.Count(), 2);
    list.SetMaskColor(clNone);
    target.Canvas().FillRect({0, 0, 4, 4});
    list.Draw(target.Canvas(), 0, 0, 0);
    EXPECT_EQ(target.GetPixel(0, 3), clFuchsia);
}

TEST_F(ImageListTest, ABadStripRaisesAndKeepsTheOthers) {
    RegisterPicture("images/test-strip.bmp", 12, 4, Strip);
    TImageList list(4, 4);
    list.AddSource("images/test-strip.bmp");
    EXPECT_THROW(list.AddSource("images/missing.bmp"), Exception);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Sources().size(), 1u);
}

TEST_F(ImageListTest, LoadsFromALayout) {
    RegisterPicture("images/test-strip.bmp", 12, 4, Strip);
    TLayoutLoader::LoadText(FForm,
                            "object F: TForm\n"
                            "  object ImageIndex: TImageList\n"
                            "    Images = ('images/test-strip.bmp')\n"
                            "    Height = 4\n"
                            "    Width = 4\n"
                            "  end\n"
                            "end\n",
                            "test.lay");
    auto* list = dynamic_cast<TImageList*>(FForm->FindComponent("ImageIndex"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 3);
}

// The picture catalogue as the tool builds it in memory: names, layout of
// frames against the size table, title buttons finished against the very
// title pixels they cover, and pictures that come out the same every run.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/stylepics/AppPictures.h"
#include "tools/stylepics/Catalogue.h"
#include "tools/stylepics/PictureSizes.h"
#include "tools/stylepics/TContactSheet.h"
#include "tools/stylepics/TPictureSet.h"

using namespace stylepics;

namespace {

constexpr TColor Magenta = RGB(255, 0, 255);

const TPictureSet& All() {
    static const TPictureSet set = [] {
        TPictureSet s;
        MakeAllPictures(s);
        return s;
    }();
    return set;
}

const TBitmap& Picture(const std::string& name) {
    const TPictureSet::TEntry* e = All().Find(name);
    if (!e) throw std::runtime_error("no picture " + name);
    return *e->Picture;
}

TEST(StylePictureSet, NewPicturesStartAsTheKeyAndNamesAreUnique) {
    TPictureSet set;
    TBitmap& b = set.Add("A", "G", 3, 2, 1);
    EXPECT_EQ(b.GetPixel(2, 1), Magenta);
    EXPECT_THROW(set.Add("A", "H", 1, 1), std::logic_error);
    set.Add("B", "H", 1, 1);
    set.Add("C", "G", 1, 1);
    EXPECT_EQ(set.Groups(), (std::vector<std::string>{"G", "H"}));
    EXPECT_EQ(set.Find("B")->Group, "H");
    EXPECT_EQ(set.Find("Z"), nullptr);
}

TEST(StylePictureSet, DifferencesNameBothKindsOfMismatch) {
    TPictureSet set;
    set.Add("A", "G", 1, 1);
    set.Add("B", "G", 1, 1);
    EXPECT_TRUE(set.Differences({"B", "A"}).empty());
    EXPECT_EQ(set.Differences({"A", "C"}),
              (std::vector<std::string>{"made but not listed: B", "listed but not made: C"}));
}

TEST(StylePictureSizes, TableAnswersPerStyle) {
    const TPartSize xp = StylePartSize("WINXP", "TITLEBTN");
    EXPECT_EQ(xp.Width, 378);
    EXPECT_EQ(xp.Height, 21);
    EXPECT_EQ(xp.Frames, 18);
    EXPECT_EQ(StylePartSize("PROTEIN", "TITLE_LEFT").Width, 441);
    EXPECT_TRUE(StyleHasPart("MACOS", "SCROLLBUTTON"));
    EXPECT_FALSE(StyleHasPart("DEEPBLUE", "SCROLLBUTTON"));
    EXPECT_FALSE(StyleHasPart("WINXP", "NOSUCHPART"));
    EXPECT_FALSE(StyleHasPart("AMIGA", "BUTTON"));
    EXPECT_THROW(StylePartSize("BLUEGLASS", "SCROLLBUTTON"), std::out_of_range);
}

TEST(StyleCatalogue, EveryStylePartIsMadeWithItsTableSizeAndFrames) {
    for (const std::string& prefix : StylePrefixes) {
        for (const char* part :
             {"BUTTON", "CHECKBOX", "RADIOBUTTON", "TITLEBTN", "TITLE_LEFT", "TITLE_CLIENT",
              "TITLE_RIGHT", "PROGRESSBAR", "TRACKBAR_BAR", "TRACKBAR_SLIDER", "TRACKBAR_SLIDER_V",
              "SCROLLBAR_BUTTON", "SCROLLBAR_TRACK", "CHECKLIST", "SCROLLBUTTON", "TAB", "TAB_LINE",
              "SIDECHENNEL_HANDLE", "SIDECHENNEL_BAR"}) {
            const TPictureSet::TEntry* e = All().Find(prefix + "_" + part);
            if (!StyleHasPart(prefix, part)) {
                EXPECT_EQ(e, nullptr) << prefix << "_" << part;
                continue;
            }
            ASSERT_NE(e, nullptr) << prefix << "_" << part;
            const TPartSize size = StylePartSize(prefix, part);
            EXPECT_EQ(e->Picture->Width(), size.Width) << e->Name;
            EXPECT_EQ(e->Picture->Height(), size.Height) << e->Name;
            EXPECT_EQ(e->Frames, size.Frames) << e->Name;
            EXPECT_EQ(e->Group, prefix);
        }
    }
}

// Opaque title buttons carry the title behind them: a corner pixel outside
// the rounding shows exactly the title picture at the button's row.
TEST(StyleCatalogue, OpaqueTitleButtonsShowTheTitleAtTheirRow) {
    struct TCase {
        const char* Prefix;
        int Top, Left;
    };
    for (const TCase& c : {TCase{"WINXP", 5, 2}, TCase{"DEEPBLUE", 2, 0}}) {
        const std::string prefix = c.Prefix;
        const TBitmap& strip = Picture(prefix + "_TITLEBTN");
        const TBitmap& client = Picture(prefix + "_TITLE_CLIENT");
        const TBitmap& left = Picture(prefix + "_TITLE_LEFT");
        const int size = strip.Height();
        // Close, first frame: its top-left pixel lies outside the rounding.
        EXPECT_EQ(strip.GetPixel(15 * size, 0), client.GetPixel(client.Width() / 2, c.Top))
            << prefix;
        EXPECT_EQ(strip.GetPixel(16 * size - 1, size - 1),
                  client.GetPixel(client.Width() / 2, c.Top + size - 1))
            << prefix;
        // The control box sits over the left picture, 3 pixels in from the
        // window edge plus the style's offset.
        EXPECT_EQ(strip.GetPixel(0, 0), left.GetPixel(3 + c.Left, c.Top)) << prefix;
    }
}

TEST(StyleCatalogue, EveryFramePaintsSomething) {
    for (const TPictureSet::TEntry& e : All().Entries()) {
        const int w = e.Picture->Width() / e.Frames;
        for (int f = 0; f < e.Frames; ++f) {
            int painted = 0;
            for (int y = 0; y < e.Picture->Height(); ++y)
                for (int x = f * w; x < (f + 1) * w; ++x)
                    painted += e.Picture->GetPixel(x, y) != Magenta;
            EXPECT_GT(painted * 8, w * e.Picture->Height()) << e.Name << " frame " << f + 1;
        }
    }
}

TEST(StyleCatalogue, ImageListsHoldTheirCount) {
    EXPECT_EQ(All().Find("APP_IMAGELIST16")->Frames, AppImageCount16);
    EXPECT_EQ(Picture("APP_IMAGELIST16").Width(), 16 * AppImageCount16);
    EXPECT_EQ(All().Find("APP_IMAGELIST24")->Frames, AppImageCount24);
}

TEST(StyleCatalogue, PaintingTwiceGivesTheSamePixels) {
    TPictureSet again;
    MakeAllPictures(again);
    ASSERT_EQ(again.Entries().size(), All().Entries().size());
    for (size_t i = 0; i < again.Entries().size(); ++i) {
        const auto& a = again.Entries()[i];
        const auto& b = All().Entries()[i];
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_TRUE(a.Picture->SamePixels(*b.Picture)) << a.Name;
    }
}

TEST(StyleContactSheet, ShowsAGroupEnlargedAndCanHideTheKey) {
    TBitmap plain, keyed;
    TContactSheet(All(), 2, false, false).Render("PROTEIN", plain);
    TContactSheet(All(), 2, true, false).Render("PROTEIN", keyed);
    ASSERT_FALSE(plain.Empty());
    EXPECT_EQ(plain.Width(), keyed.Width());
    int plainKey = 0, keyedKey = 0;
    for (int y = 0; y < plain.Height(); ++y)
        for (int x = 0; x < plain.Width(); ++x) {
            plainKey += plain.GetPixel(x, y) == Magenta;
            keyedKey += keyed.GetPixel(x, y) == Magenta;
        }
    EXPECT_GT(plainKey, 0);
    EXPECT_EQ(keyedKey, 0);
    // The 441-pixel title picture, doubled, is the widest thing on it.
    EXPECT_GE(plain.Width(), 882);
    EXPECT_THROW(TContactSheet(All(), 2, false, false).Render("NOSUCHGROUP", plain),
                 std::invalid_argument);
}

} // namespace

// The built-in pictures as the executable carries them: every name the
// theme tables and the controls load, at the size the drawing code cuts,
// with the colour key where the controls draw keyed and nowhere else.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gui/graphics/TBitmap.h"
#include "platform/Resources.h"

#include <unistd.h>

namespace {

constexpr TColor Magenta = RGB(255, 0, 255);
const std::array<const char*, 5> Styles = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};

struct TExpected {
    const char* Part;
    int Sizes[5][2];
};

// Sizes in style order; 0 x 0 where the style shares MORE_SCROLLBUTTON.
const TExpected Table[] = {
    {"BUTTON", {{252, 23}, {54, 21}, {222, 21}, {222, 21}, {231, 27}}},
    {"CHECKBOX", {{60, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {"RADIOBUTTON", {{64, 17}, {52, 13}, {52, 13}, {52, 13}, {52, 13}}},
    {"TITLEBTN", {{306, 17}, {378, 21}, {342, 19}, {342, 19}, {342, 19}}},
    {"TITLE_LEFT", {{48, 23}, {35, 29}, {97, 32}, {441, 23}, {162, 33}}},
    {"TITLE_CLIENT", {{49, 23}, {37, 29}, {98, 32}, {1, 23}, {179, 33}}},
    {"TITLE_RIGHT", {{48, 23}, {35, 29}, {97, 32}, {1, 23}, {101, 33}}},
    {"PROGRESSBAR", {{13, 10}, {6, 10}, {1, 10}, {1, 10}, {1, 10}}},
    {"TRACKBAR_BAR", {{45, 5}, {45, 8}, {45, 4}, {45, 4}, {45, 4}}},
    {"TRACKBAR_SLIDER", {{11, 20}, {11, 21}, {11, 20}, {11, 20}, {11, 20}}},
    {"TRACKBAR_SLIDER_V", {{19, 11}, {22, 11}, {18, 11}, {18, 11}, {18, 11}}},
    {"SCROLLBAR_BUTTON", {{96, 22}, {96, 17}, {96, 16}, {96, 16}, {102, 16}}},
    {"SCROLLBAR_TRACK", {{33, 16}, {21, 16}, {21, 16}, {21, 16}, {21, 16}}},
    {"CHECKLIST", {{40, 11}, {44, 11}, {44, 11}, {44, 11}, {44, 11}}},
    {"SCROLLBUTTON", {{72, 18}, {72, 18}, {0, 0}, {0, 0}, {0, 0}}},
    {"TAB", {{36, 27}, {18, 18}, {12, 17}, {18, 17}, {18, 17}}},
    {"TAB_LINE", {{17, 7}, {8, 1}, {5, 5}, {10, 5}, {10, 5}}},
    {"SIDECHENNEL_HANDLE", {{7, 84}, {8, 86}, {8, 83}, {8, 83}, {8, 86}}},
    {"SIDECHENNEL_BAR", {{1, 21}, {1, 21}, {1, 20}, {1, 21}, {1, 21}}},
};

struct TFixed {
    const char* Name;
    int Width, Height;
};

// Loaded by fixed name by the frame, the menus and the combo box.
const TFixed FixedNames[] = {
    {"MACOS_MENU_BAR", 1, 22},         {"MACOS_MENU_SELECT", 1, 21},
    {"MACOS_FORM_BACKGROUND", 8, 8},   {"PROTEIN_FORM_BACKGROUND", 8, 8},
    {"MACOS_COMBOBOX_BUTTON", 16, 17}, {"WINXP_COMBOBOX_BUTTON", 16, 18},
    {"MENU_CHECKED", 16, 16},          {"MORE_SCROLLBUTTON", 72, 17},
};

// The main window's own pictures.
const TFixed AppNames[] = {
    {"APP_BTN_BACK", 24, 24},     {"APP_BTN_FORWARD", 24, 24},   {"APP_BTN_STOP", 24, 24},
    {"APP_BTN_REFRESH", 24, 24},  {"APP_BTN_FAVORITES", 24, 24}, {"APP_BTN_WEB", 24, 24},
    {"APP_BTN_CLEAR", 24, 24},    {"APP_BTN_FEEDBACK", 24, 24},  {"APP_BTN_GO", 20, 20},
    {"APP_BTN_FIND", 20, 20},     {"APP_BTN_LEFTHIDE", 23, 17},  {"APP_BTN_LEFTSHOW", 23, 17},
    {"APP_BTN_NEWPAGE", 23, 17},  {"APP_BTN_CLOSEPAGE", 23, 17}, {"APP_STATUSBAR", 16, 22},
    {"APP_IMAGELIST16", 656, 16}, {"APP_IMAGELIST24", 288, 24},
};

std::unique_ptr<TBitmap> Load(const std::string& name) {
    auto bytes = platform::FindResource(name);
    if (!bytes) return nullptr;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(*bytes);
    return bitmap;
}

std::unique_ptr<TBitmap> MustLoad(const std::string& name) {
    auto bitmap = Load(name);
    if (!bitmap) ADD_FAILURE() << "no resource " << name;
    return bitmap ? std::move(bitmap) : std::make_unique<TBitmap>();
}

std::string Name(int style, const std::string& part) {
    return std::string(Styles[style]) + "_" + part;
}

// Frame `index` (from 0) of `count` equal frames side by side.
std::unique_ptr<TBitmap> Frame(const TBitmap& strip, int count, int index) {
    const int w = strip.Width() / count;
    auto frame = std::make_unique<TBitmap>(w, strip.Height());
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < w; ++x)
            frame->SetPixel(x, y, strip.GetPixel(index * w + x, y));
    return frame;
}

int Count(const TBitmap& b, TColor colour) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.GetPixel(x, y) == colour;
    return n;
}

bool HasMagenta(const TBitmap& b) {
    return Count(b, Magenta) > 0;
}

TColor BottomLeft(const TBitmap& b) {
    return b.GetPixel(0, b.Height() - 1);
}

struct TAverage {
    double R = 0, G = 0, B = 0;
};

// Mean colour of the pixels that are not the key.
TAverage Average(const TBitmap& b) {
    TAverage a;
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.GetPixel(x, y);
            if (c == Magenta) continue;
            a.R += GetRValue(c), a.G += GetGValue(c), a.B += GetBValue(c);
            ++n;
        }
    if (n) a.R /= n, a.G /= n, a.B /= n;
    return a;
}

void ExpectDistinctFrames(const std::string& name, int count) {
    auto strip = MustLoad(name);
    std::vector<std::unique_ptr<TBitmap>> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(Frame(*strip, count, i));
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            EXPECT_FALSE(frames[i]->SamePixels(*frames[j]))
                << name << ": frames " << i + 1 << " and " << j + 1 << " are the same";
}

TEST(StylePictures, EveryTablePictureHasItsSize) {
    for (const TExpected& row : Table) {
        for (int s = 0; s < 5; ++s) {
            const std::string name = Name(s, row.Part);
            auto bitmap = Load(name);
            if (row.Sizes[s][0] == 0) {
                EXPECT_FALSE(bitmap) << name << " should be the shared MORE_SCROLLBUTTON";
                continue;
            }
            ASSERT_TRUE(bitmap) << "no resource " << name;
            EXPECT_EQ(bitmap->Width(), row.Sizes[s][0]) << name;
            EXPECT_EQ(bitmap->Height(), row.Sizes[s][1]) << name;
        }
    }
}

TEST(StylePictures, FixedAndProgramNamesHaveTheirSizes) {
    auto check = [](const TFixed& f) {
        auto bitmap = Load(f.Name);
        ASSERT_TRUE(bitmap) << "no resource " << f.Name;
        EXPECT_EQ(bitmap->Width(), f.Width) << f.Name;
        EXPECT_EQ(bitmap->Height(), f.Height) << f.Name;
    };
    for (const TFixed& f : FixedNames)
        check(f);
    for (const TFixed& f : AppNames)
        check(f);
}

TEST(StylePictures, ResourceNamesKeepTheirOwnSpelling) {
    // Names compare case-insensitively, so the lower-case form finds them too.
    EXPECT_TRUE(platform::FindResource("winxp_sidechennel_handle"));
    for (const std::string& name : platform::ResourceNames())
        EXPECT_EQ(name.find("SIDECHANNEL"), std::string::npos) << name;
}

TEST(StylePictures, TitleStripsHoldEighteenDistinctSquareFrames) {
    for (int s = 0; s < 5; ++s) {
        auto strip = MustLoad(Name(s, "TITLEBTN"));
        EXPECT_EQ(strip->Width() % 18, 0);
        EXPECT_EQ(strip->Width() / 18, strip->Height()) << Styles[s];
        ExpectDistinctFrames(Name(s, "TITLEBTN"), 18);
    }
}

// Close (16 to 18) is the red button of WinXP and the red light of MacOS;
// minimise (13 to 15) the yellow one and maximise (7 to 9) the green one.
TEST(StylePictures, TitleStripFramesFollowTheButtonOrder) {
    auto xp = MustLoad("WINXP_TITLEBTN");
    for (int i = 15; i < 18; ++i) {
        const TAverage a = Average(*Frame(*xp, 18, i));
        EXPECT_GT(a.R, a.B) << "WinXP frame " << i + 1 << " should be the red close button";
    }
    for (int i = 3; i < 15; ++i) {
        const TAverage a = Average(*Frame(*xp, 18, i));
        EXPECT_GT(a.B, a.R) << "WinXP frame " << i + 1 << " should be blue";
    }
    auto mac = MustLoad("MACOS_TITLEBTN");
    const TAverage close = Average(*Frame(*mac, 18, 15));
    const TAverage minimise = Average(*Frame(*mac, 18, 12));
    const TAverage maximise = Average(*Frame(*mac, 18, 6));
    EXPECT_GT(close.R, close.G + 20);
    EXPECT_GT(minimise.R, minimise.B + 20);
    EXPECT_GT(minimise.G, minimise.B + 20);
    EXPECT_GT(maximise.G, maximise.R + 10);
}

TEST(StylePictures, TitleButtonsAreKeyedExactlyInTheTransparentStyles) {
    // Item 6: MacOS, WinXP and DeepBlue draw their title buttons opaque;
    // Protein and BlueGlass key them on each frame's lower-left pixel.
    const bool keyed[5] = {false, false, false, true, true};
    for (int s = 0; s < 5; ++s) {
        auto strip = MustLoad(Name(s, "TITLEBTN"));
        if (!keyed[s]) {
            EXPECT_FALSE(HasMagenta(*strip)) << Styles[s];
            continue;
        }
        for (int i = 0; i < 18; ++i) {
            auto frame = Frame(*strip, 18, i);
            EXPECT_EQ(BottomLeft(*frame), Magenta) << Styles[s] << " frame " << i + 1;
            EXPECT_NE(frame->GetPixel(frame->Width() / 2, frame->Height() / 2), Magenta);
        }
    }
}

TEST(StylePictures, ButtonStripsHoldThreeStatesKeyedOnlyWhereTransparent) {
    // Item 2: MacOS and BlueGlass buttons are transparent; the others are
    // drawn with their corners as they are, so they must carry no key.
    const bool transparent[5] = {true, false, false, false, true};
    for (int s = 0; s < 5; ++s) {
        const std::string name = Name(s, "BUTTON");
        ExpectDistinctFrames(name, 3);
        auto strip = MustLoad(name);
        EXPECT_EQ(strip->Width() % 3, 0) << name;
        for (int i = 0; i < 3; ++i) {
            auto frame = Frame(*strip, 3, i);
            const TColor corner = frame->GetPixel(0, 0);
            const TColor centre = frame->GetPixel(frame->Width() / 2, frame->Height() / 2);
            EXPECT_NE(centre, Magenta) << name;
            if (transparent[s]) {
                EXPECT_EQ(corner, Magenta) << name << " frame " << i + 1;
                EXPECT_EQ(frame->GetPixel(frame->Width() - 1, frame->Height() - 1), Magenta);
            } else {
                EXPECT_FALSE(HasMagenta(*frame)) << name << " frame " << i + 1;
            }
        }
    }
}

TEST(StylePictures, MultiStateStripsHaveDistinctFrames) {
    for (int s = 0; s < 5; ++s) {
        ExpectDistinctFrames(Name(s, "CHECKBOX"), 4);
        ExpectDistinctFrames(Name(s, "RADIOBUTTON"), 4);
        ExpectDistinctFrames(Name(s, "CHECKLIST"), 4);
        ExpectDistinctFrames(Name(s, "SCROLLBAR_BUTTON"), 6);
        ExpectDistinctFrames(Name(s, "TAB"), 2);
    }
    ExpectDistinctFrames("MACOS_SCROLLBUTTON", 4);
    ExpectDistinctFrames("WINXP_SCROLLBUTTON", 4);
    ExpectDistinctFrames("MORE_SCROLLBUTTON", 4);
}

TEST(StylePictures, TabsAreKeyedOnTheirCornerButOpaqueInTheStretchedThird) {
    for (int s = 0; s < 5; ++s) {
        auto strip = MustLoad(Name(s, "TAB"));
        for (int i = 0; i < 2; ++i) {
            auto frame = Frame(*strip, 2, i);
            EXPECT_EQ(frame->GetPixel(0, 0), Magenta) << Styles[s] << " tab frame " << i + 1;
            const int third = frame->Width() / 3;
            for (int y = 0; y < frame->Height(); ++y)
                for (int x = third; x < 2 * third; ++x)
                    ASSERT_NE(frame->GetPixel(x, y), Magenta)
                        << Styles[s] << " tab frame " << i + 1 << " at " << x << "," << y;
        }
    }
}

TEST(StylePictures, TrackBarGrooveIsOpaqueWhereItIsStretched) {
    for (int s = 0; s < 5; ++s) {
        auto bar = MustLoad(Name(s, "TRACKBAR_BAR"));
        auto middle = Frame(*bar, 3, 1);
        EXPECT_FALSE(HasMagenta(*middle)) << Styles[s];
        EXPECT_EQ(bar->GetPixel(0, 0), Magenta) << Styles[s] << ": the caps are rounded";
        // The horizontal thumb is keyed on its lower-left pixel, the
        // vertical one is drawn opaque.
        EXPECT_EQ(BottomLeft(*MustLoad(Name(s, "TRACKBAR_SLIDER"))), Magenta) << Styles[s];
        EXPECT_FALSE(HasMagenta(*MustLoad(Name(s, "TRACKBAR_SLIDER_V")))) << Styles[s];
    }
}

TEST(StylePictures, ScrollBarPartsKeepTheirFaceWhenKeyedOnTheCorner) {
    // Arrow buttons are keyed on their top-left pixel (and, turned for a
    // horizontal bar, on what was their top-right one); the thumb is opaque.
    for (int s = 0; s < 5; ++s) {
        auto strip = MustLoad(Name(s, "SCROLLBAR_BUTTON"));
        for (int i = 0; i < 6; ++i) {
            auto frame = Frame(*strip, 6, i);
            const TColor key = frame->GetPixel(0, 0);
            EXPECT_EQ(frame->GetPixel(frame->Width() - 1, 0), key)
                << Styles[s] << " frame " << i + 1;
            EXPECT_LT(Count(*frame, key) * 10, frame->Width() * frame->Height())
                << Styles[s] << " frame " << i + 1 << " would lose its face to the key";
            EXPECT_FALSE(HasMagenta(*frame));
        }
        EXPECT_FALSE(HasMagenta(*MustLoad(Name(s, "SCROLLBAR_TRACK")))) << Styles[s];
    }
}

TEST(StylePictures, TabStripScrollButtonsAreKeyedOnTheirLowerLeftPixel) {
    for (const char* name : {"MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON"}) {
        auto strip = MustLoad(name);
        for (int i = 0; i < 4; ++i) {
            auto frame = Frame(*strip, 4, i);
            EXPECT_EQ(BottomLeft(*frame), Magenta) << name << " frame " << i + 1;
            EXPECT_NE(frame->GetPixel(frame->Width() / 2, frame->Height() / 2), Magenta);
        }
    }
}

TEST(StylePictures, StretchedAndTiledPicturesCarryNoKey) {
    std::vector<std::string> names = {"MACOS_MENU_BAR",        "MACOS_MENU_SELECT",
                                      "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND",
                                      "MACOS_COMBOBOX_BUTTON", "WINXP_COMBOBOX_BUTTON",
                                      "MENU_CHECKED",          "APP_STATUSBAR"};
    for (int s = 0; s < 5; ++s)
        for (const char* part : {"TITLE_LEFT", "TITLE_CLIENT", "TITLE_RIGHT", "PROGRESSBAR",
                                 "TAB_LINE", "SIDECHENNEL_BAR"})
            names.push_back(Name(s, part));
    for (const std::string& name : names)
        EXPECT_FALSE(HasMagenta(*MustLoad(name))) << name;
}

TEST(StylePictures, MenuCheckMarkIsDarkOnWhite) {
    auto mark = MustLoad("MENU_CHECKED");
    EXPECT_EQ(mark->GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(mark->GetPixel(15, 15), RGB(255, 255, 255));
    int dark = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const TColor c = mark->GetPixel(x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
        }
    EXPECT_GT(dark, 10);
}

TEST(StylePictures, WinXPTitleIsBlueAndItsRoundedCornerFollowsTheFrame) {
    auto client = MustLoad("WINXP_TITLE_CLIENT");
    const TColor body = client->GetPixel(client->Width() / 2, 14);
    EXPECT_GT(GetBValue(body), 200);
    EXPECT_LT(GetRValue(body), 40);
    // The top line is the frame's own colour, so the painted border and
    // the pictures meet without a seam.
    EXPECT_EQ(client->GetPixel(0, 0), RGB(0, 44, 200));
}

TEST(StylePictures, ProgramGlyphsAreKeyedOnTheirLowerLeftPixel) {
    for (const TFixed& f : AppNames) {
        if (std::string(f.Name) == "APP_STATUSBAR") continue;
        auto bitmap = MustLoad(f.Name);
        EXPECT_EQ(BottomLeft(*bitmap), Magenta) << f.Name;
        EXPECT_LT(Count(*bitmap, Magenta), bitmap->Width() * bitmap->Height()) << f.Name;
    }
}

TEST(StylePictures, MenuImageListHasADistinctImageAtEveryUsedIndex) {
    auto list = MustLoad("APP_IMAGELIST16");
    const int count = list->Width() / 16;
    EXPECT_GE(count, 41);
    const int used[] = {0, 7, 8, 10, 11, 12, 15, 30, 32, 35, 36, 37, 38, 40};
    std::vector<std::unique_ptr<TBitmap>> images;
    for (int index : used) {
        images.push_back(Frame(*list, count, index));
        EXPECT_GT(256 - Count(*images.back(), Magenta), 60) << "image " << index << " is too faint";
    }
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_FALSE(images[i]->SamePixels(*images[j])) << used[i] << " and " << used[j];
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StylePictures, LeftPaneButtonPicturesLieBesideTheExecutable) {
    const std::string dir = std::string(XF_BIN_DIR) + "/images/";
    TBitmap show, hide;
    show.LoadFromFile(dir + "show.bmp");
    hide.LoadFromFile(dir + "hide.bmp");
    EXPECT_EQ(show.Width(), 23);
    EXPECT_EQ(show.Height(), 17);
    EXPECT_EQ(hide.Width(), 23);
    EXPECT_EQ(hide.Height(), 17);
    EXPECT_FALSE(show.SamePixels(hide));
    // The layout's initial picture is the one for a visible pane.
    EXPECT_TRUE(hide.SamePixels(*MustLoad("APP_BTN_LEFTHIDE")));
}

TEST(StylePictures, PainterIsDeterministicAndMatchesWhatIsEmbedded) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("xf-stylepics-" + std::to_string(::getpid()));
    const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 \"") + XF_BIN_DIR +
                                "/xf_stylepics_gen\" --out \"" + dir.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    int compared = 0;
    for (const std::string& name : platform::ResourceNames()) {
        auto embedded = platform::FindResource(name);
        const auto path = dir / (name + ".bmp");
        if (!std::filesystem::exists(path)) continue;
        const auto painted = ReadBytes(path.string());
        EXPECT_TRUE(std::equal(embedded->begin(), embedded->end(), painted.begin(), painted.end()))
            << name << " painted differently from the embedded copy";
        ++compared;
    }
    std::filesystem::remove_all(dir);
    EXPECT_GT(compared, 100);
}

} // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ThemeFileTestSupport.h"
#include "ThemeTestSupport.h"
#include "gui/Exception.h"
#include "gui/TForm.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinThemes.h"
#include "skin/TskFileTheme.h"
#include "skin/TskFileThemeMgr.h"
#include "skin/TskThemeFileWriter.h"
#include "skin/TskThemeLookup.h"
#include "unit/gui/GuiTestSupport.h"

using namespace skinfile_test;
using namespace skintheme_test;

namespace {

// A skinned component by name: counts the file themes it is handed.
class TskThemeUserProbe : public TComponent {
    XF_CLASS(TskThemeUserProbe)
public:
    explicit TskThemeUserProbe(TComponent* owner) : TComponent(owner) {}
    TskFileTheme* FileTheme() const { return FTheme; }
    void SetFileTheme(TskFileTheme* theme) {
        FTheme = theme;
        ++Assignments;
    }
    int Assignments = 0;

private:
    TskFileTheme* FTheme = nullptr;
};

const TClassInfo& TskThemeUserProbe::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskThemeUserProbe>("TskThemeUserProbe", &TComponent::StaticClass())
            .Prop("FileTheme", &TskThemeUserProbe::FileTheme, &TskThemeUserProbe::SetFileTheme)
            .Build();
    return info;
}

// The same property on a class whose name does not mark it as skinned.
class TPlainThemeUser : public TskThemeUserProbe {
    XF_CLASS(TPlainThemeUser)
public:
    using TskThemeUserProbe::TskThemeUserProbe;
};

const TClassInfo& TPlainThemeUser::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPlainThemeUser>("TPlainThemeUser", &TskThemeUserProbe::StaticClass())
            .Build();
    return info;
}

std::vector<uint8_t> Picture(int width, int height, TColor first) {
    TBitmap b;
    FillCoordinates(b, width, height);
    b.SetPixel(0, 0, first);
    return b.SaveToBmp();
}

// A small skin: a 9 x 2 picture, a colour, an integer, a switch and a
// picture stream that is not a picture.
std::vector<uint8_t> SkinBytes(int32_t minWidth) {
    TskThemeFileWriter writer;
    writer.AddStream("ButtonImage", Picture(9, 2, clRed));
    writer.AddStream("CheckBoxImage", std::vector<uint8_t>{'B', 'M', 1, 2, 3});
    writer.AddInteger("FormBorderColor", RGB(1, 2, 3));
    writer.AddInteger("FormMinWidthInt", minWidth);
    writer.AddBool("ButtonTransparentBool", true);
    return writer.Build();
}

class ThemeLoadTest : public GuiTest {
protected:
    ThemeLoadTest() {
        for (const char* dir : {"exe", "win", "sys", "elsewhere"})
            std::filesystem::create_directory(FScratch.Path() / dir);
        FSavedFolders = TskFileTheme::SearchFolders;
        TskFileTheme::SearchFolders = [this] {
            // The program folder without its trailing separator: one is added.
            return TskThemeSearchFolders{FScratch.File("exe"), FScratch.File("win") + "/",
                                         FScratch.File("sys") + "/"};
        };
    }
    ~ThemeLoadTest() override { TskFileTheme::SearchFolders = FSavedFolders; }

    std::string WriteSkin(const std::string& relative, int32_t minWidth) {
        return FScratch.Write(relative, SkinBytes(minWidth));
    }

    TScratchDir FScratch;
    std::function<TskThemeSearchFolders()> FSavedFolders;
};

// Unique per test so that nothing in the working folder can match.
std::string BareName(const char* test) {
    return std::string("xf-skin-") + test + ".skn";
}

} // namespace

TEST_F(ThemeLoadTest, StartsEmptyAndAnswersNothing) {
    TskFileTheme theme(nullptr);
    EXPECT_EQ(theme.ThemeFile(), "");
    EXPECT_FALSE(theme.CanUse());
    EXPECT_EQ(theme.GetColor(ThemeItem::FormBorderColor), 0);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 0);
    EXPECT_FALSE(theme.GetBool(ThemeItem::ButtonTransparentBool));
    TBitmap picture;
    Fill(picture, 2, 2, Marker);
    theme.GetBitmap(ThemeItem::ButtonImage, &picture);
    theme.GetBitmapPart(ThemeItem::ButtonImage, &picture, 1, 3);
    EXPECT_EQ(CountPixelsOf(picture, Marker), 4);
}

TEST_F(ThemeLoadTest, FullPathLoadsAndAnswersFromTheFile) {
    const std::string path = WriteSkin("elsewhere/a.skn", 480);
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(path);
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.GetColor(ThemeItem::FormBorderColor), RGB(1, 2, 3));
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 480);
    EXPECT_TRUE(theme.GetBool(ThemeItem::ButtonTransparentBool));
    // Absent keys: -1 for numbers, false for switches.
    EXPECT_EQ(theme.GetColor(ThemeItem::MenuBarColor), -1);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormRoundCornerInt), -1);
    EXPECT_FALSE(theme.GetBool(ThemeItem::TitleBarButtonTransparentBool));
    EXPECT_EQ(theme.GetInt(0), -1);

    TBitmap picture;
    picture.SetTransparent(true);
    theme.GetBitmap(ThemeItem::ButtonImage, &picture);
    EXPECT_EQ(picture.Width(), 9);
    EXPECT_EQ(picture.GetPixel(0, 0), clRed);
    EXPECT_TRUE(picture.Transparent());
    theme.GetBitmapPart(ThemeItem::ButtonImage, &picture, 3, 3);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.GetPixel(0, 1), Coord(6, 1));

    TPicture held;
    int changes = 0;
    held.OnChange = [&] { ++changes; };
    theme.GetBitmapPart(ThemeItem::ButtonImage, &held, 2, 3);
    EXPECT_EQ(held.Bitmap().GetPixel(0, 0), Coord(3, 0));
    EXPECT_EQ(changes, 1);
}

TEST_F(ThemeLoadTest, MissingOrBrokenPicturesLeaveThePictureAlone) {
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(WriteSkin("elsewhere/b.skn", 1));
    TBitmap picture;
    Fill(picture, 2, 2, Marker);
    theme.GetBitmap(ThemeItem::CheckBoxImage, &picture);    // not a picture
    theme.GetBitmap(ThemeItem::RadioButtonImage, &picture); // absent
    theme.GetBitmap(ThemeItem::FormBorderColor, &picture);  // an integer entry
    theme.GetBitmapPart(ThemeItem::ButtonImage, &picture, 1, 0);
    theme.GetBitmap(ThemeItem::ButtonImage, static_cast<TBitmap*>(nullptr));
    EXPECT_EQ(CountPixelsOf(picture, Marker), 4);
}

TEST_F(ThemeLoadTest, BareNameBesideTheExecutableLoadsWithItsFullPath) {
    const std::string name = BareName("beside");
    WriteSkin("exe/" + name, 7);
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(name);
    EXPECT_EQ(theme.ThemeFile(), FScratch.File("exe") + "/" + name);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 7);

    // The bare name differs from the stored full path, so it loads again.
    WriteSkin("exe/" + name, 8);
    theme.SetThemeFile(name);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 8);
    // The stored value itself does not.
    WriteSkin("exe/" + name, 9);
    theme.SetThemeFile(theme.ThemeFile());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 8);
}

TEST_F(ThemeLoadTest, SearchOrderIsPathThenProgramThenWindowsThenSystemFolder) {
    const std::string name = BareName("order");
    WriteSkin("sys/" + name, 3);
    TskFileTheme theme(nullptr);
    theme.SetThemeFile("/no/such/folder/" + name);
    EXPECT_EQ(theme.ThemeFile(), FScratch.File("sys") + "/" + name);

    WriteSkin("win/" + name, 2);
    theme.SetThemeFile("C:\\Skins\\" + name); // the file-name part of a backslash path
    EXPECT_EQ(theme.ThemeFile(), FScratch.File("win") + "/" + name);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 2);

    WriteSkin("exe/" + name, 1);
    theme.SetThemeFile(name);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 1);

    const std::string direct = WriteSkin("elsewhere/" + name, 0);
    theme.SetThemeFile(direct);
    EXPECT_EQ(theme.ThemeFile(), direct);
}

TEST_F(ThemeLoadTest, BackslashPathsAreFoundAsTheyStand) {
    WriteSkin("elsewhere/c.skn", 5);
    const std::string written = FScratch.File("elsewhere") + "\\c.skn";
    TskFileTheme theme(nullptr);
    theme.SetThemeFile(written);
    EXPECT_EQ(theme.ThemeFile(), written);
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 5);
}

TEST_F(ThemeLoadTest, FoundNowhereChangesNothing) {
    TskFileTheme theme(nullptr);
    const std::string path = WriteSkin("elsewhere/d.skn", 4);
    theme.SetThemeFile(path);
    theme.SetThemeFile(BareName("nowhere"));
    std::filesystem::create_directory(FScratch.Path() / "exe" / BareName("folder"));
    theme.SetThemeFile(BareName("folder")); // a folder of that name is no file
    theme.SetThemeFile("");
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 4);
}

TEST_F(ThemeLoadTest, InvalidFileRaisesAndKeepsThePreviousOne) {
    TskFileTheme theme(nullptr);
    const std::string path = WriteSkin("elsewhere/e.skn", 6);
    theme.SetThemeFile(path);
    const std::string bad =
        FScratch.Write("elsewhere/bad.skn", std::string_view("StarSkinTb\0\0 not a skin", 23));
    try {
        theme.SetThemeFile(bad);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid skin file for StarSkin!");
    }
    EXPECT_EQ(theme.ThemeFile(), path);
    EXPECT_TRUE(theme.CanUse());
    EXPECT_EQ(theme.GetInt(ThemeItem::FormMinWidthInt), 6);
    EXPECT_TRUE(TskFileTheme::CheckThemeFile(path));
    EXPECT_FALSE(TskFileTheme::CheckThemeFile(bad));
}

TEST_F(ThemeLoadTest, HolderKeepsItsReaderWhenTheFileIsGone) {
    TskFileThemeMgr holder;
    const std::string path = WriteSkin("elsewhere/f.skn", 11);
    EXPECT_TRUE(holder.LoadThemeFile(path));
    std::filesystem::remove(path);
    EXPECT_FALSE(holder.LoadThemeFile(path));
    EXPECT_EQ(holder.GetInteger(ThemeItem::FormMinWidthInt), 11);
}

TEST_F(ThemeLoadTest, LoadingHandsTheThemeAgainToSkinnedUsersOfTheForm) {
    TForm form(nullptr);
    auto* theme = new TskFileTheme(&form);
    auto* other = new TskFileTheme(&form);
    auto* user = new TskThemeUserProbe(&form);
    auto* elsewhere = new TskThemeUserProbe(&form);
    auto* plain = new TPlainThemeUser(&form);
    auto* none = new TskThemeUserProbe(&form);
    user->SetFileTheme(theme);
    elsewhere->SetFileTheme(other);
    plain->SetFileTheme(theme);
    for (TskThemeUserProbe* probe : {user, elsewhere, static_cast<TskThemeUserProbe*>(plain), none})
        probe->Assignments = 0;

    theme->SetThemeFile(WriteSkin("elsewhere/g.skn", 1));
    EXPECT_EQ(user->Assignments, 1);
    EXPECT_EQ(user->FileTheme(), theme);
    EXPECT_EQ(elsewhere->Assignments, 0);
    EXPECT_EQ(plain->Assignments, 0); // its class name does not begin with "Tsk"
    EXPECT_EQ(none->Assignments, 0);

    theme->SetThemeFile(BareName("absent")); // nothing loaded, nobody told
    EXPECT_EQ(user->Assignments, 1);
}

TEST_F(ThemeLoadTest, ThemeOutsideAFormTellsNobody) {
    TComponent owner(nullptr);
    auto* theme = new TskFileTheme(&owner);
    auto* user = new TskThemeUserProbe(&owner);
    user->SetFileTheme(theme);
    theme->SetThemeFile(WriteSkin("elsewhere/h.skn", 1));
    EXPECT_TRUE(theme->CanUse());
    EXPECT_EQ(user->Assignments, 1);
}

TEST_F(ThemeLoadTest, StyleDecisionAndTheLookupThatFollowsIt) {
    TskFileTheme theme(nullptr);
    TskUIStyle style = TskUIStyle::MacOS;
    EXPECT_FALSE(UsingFileTheme(&theme, TskUIStyle::FromThemeFile, style));
    EXPECT_EQ(style, TskUIStyle::DeepBlue); // a theme without a file
    EXPECT_FALSE(UsingFileTheme(nullptr, TskUIStyle::FromThemeFile, style));
    EXPECT_EQ(style, TskUIStyle::DeepBlue);
    EXPECT_FALSE(UsingFileTheme(&theme, TskUIStyle::Protein, style));
    EXPECT_EQ(style, TskUIStyle::Protein);

    theme.SetThemeFile(WriteSkin("elsewhere/i.skn", 99));
    EXPECT_FALSE(UsingFileTheme(&theme, TskUIStyle::WinXP, style));
    EXPECT_EQ(style, TskUIStyle::WinXP);
    EXPECT_TRUE(UsingFileTheme(&theme, TskUIStyle::FromThemeFile, style));
    EXPECT_EQ(style, TskUIStyle::FromThemeFile);

    const TskThemeLookup fromFile(&theme, TskUIStyle::FromThemeFile);
    EXPECT_TRUE(fromFile.UsesFile());
    EXPECT_EQ(fromFile.Int(ThemeItem::FormMinWidthInt), 99);
    EXPECT_EQ(fromFile.Color(ThemeItem::MenuBarColor), -1);
    const TskThemeLookup builtIn(&theme, TskUIStyle::WinXP);
    EXPECT_EQ(builtIn.Int(ThemeItem::FormMinWidthInt), 150);
    EXPECT_EQ(builtIn.Color(ThemeItem::FormBorderColor), RGB(0, 44, 200));
    const TskThemeLookup fallback(nullptr, TskUIStyle::FromThemeFile);
    EXPECT_EQ(fallback.Style(), TskUIStyle::DeepBlue);
    EXPECT_EQ(fallback.Int(ThemeItem::FormMinWidthInt), 130);

    TBitmap picture;
    fromFile.Bitmap(ThemeItem::ButtonImage, &picture, 2, 3);
    EXPECT_EQ(picture.GetPixel(0, 0), Coord(3, 0));
}

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ThemeTestSupport.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"

using namespace skintheme_test;

namespace {

constexpr TskUIStyle AllBuiltIn[] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue,
                                     TskUIStyle::Protein, TskUIStyle::BlueGlass};

void EnsureWinXPTitleButtons() {
    EnsureResource("WINXP_TITLEBTN", [](TBitmap& b) {
        b.SetSize(378, 21);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 378; ++x)
                b.SetPixel(x, y, RGB(x & 0xFF, x >> 8, y));
    });
}

} // namespace

TEST(ThemeTables, StyleIdentifiersInValueOrder) {
    const TEnumTable& names = UIStyleNames();
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[0], (std::pair<std::string, int>("FromThemeFile", 0)));
    EXPECT_EQ(names[3], (std::pair<std::string, int>("DeepBlue", 3)));
    EXPECT_EQ(names[5], (std::pair<std::string, int>("BlueGlass", 5)));
}

TEST(ThemeTables, KeysAreDistinctAndOnlyForItemsOneToFortyTwo) {
    std::set<std::string_view> keys;
    for (int item = 1; item <= ThemeItemCount; ++item)
        keys.insert(ThemeItemKey(item));
    EXPECT_EQ(keys.size(), 42u);
    EXPECT_EQ(ThemeItemKey(1), "ButtonImage");
    EXPECT_EQ(ThemeItemKey(ThemeItem::FormBorderColor), "FormBorderColor");
    EXPECT_EQ(ThemeItemKey(41), "SideChannelHandleImage");
    EXPECT_EQ(ThemeItemKey(0), "");
    EXPECT_EQ(ThemeItemKey(43), "");
}

TEST(ThemeTables, BuiltInValuesOfTheStyles) {
    EXPECT_EQ(GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::FormBorderColor), RGB(0, 44, 200));
    EXPECT_EQ(GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::ControlFontColor), RGB(2, 70, 207));
    EXPECT_EQ(GetInsideThemeColor(TskUIStyle::MacOS, ThemeItem::MenuBackgroundColor), 0);
    EXPECT_EQ(GetInsideThemeColor(TskUIStyle::BlueGlass, ThemeItem::MenuSelectedBorderColor),
              RGB(94, 94, 236));
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::BlueGlass, ThemeItem::FormMinWidthInt), 270);
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::BlueGlass, ThemeItem::TitleBarButtonRightOffsetInt),
              -3);
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::WinXP, ThemeItem::FormRoundCornerInt), 13);
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::WinXP, ThemeItem::FormBorderWidthInt), 3);
    EXPECT_TRUE(GetInsideThemeBool(TskUIStyle::MacOS, ThemeItem::ButtonTransparentBool));
    EXPECT_FALSE(GetInsideThemeBool(TskUIStyle::WinXP, ThemeItem::ButtonTransparentBool));
    EXPECT_TRUE(GetInsideThemeBool(TskUIStyle::Protein, ThemeItem::TitleBarButtonTransparentBool));
    EXPECT_FALSE(
        GetInsideThemeBool(TskUIStyle::DeepBlue, ThemeItem::TitleBarButtonTransparentBool));
}

TEST(ThemeTables, WrongKindAnswers) {
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::WinXP, 16), -1);
    EXPECT_EQ(GetInsideThemeColor(TskUIStyle::WinXP, 14), 0);
    EXPECT_FALSE(GetInsideThemeBool(TskUIStyle::WinXP, 7));
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::WinXP, ThemeItem::ButtonImage), -1);
    EXPECT_EQ(GetInsideThemeColor(TskUIStyle::DeepBlue, ThemeItem::ButtonTransparentBool), 0);

    TBitmap picture;
    Fill(picture, 3, 2, Marker);
    GetInsideThemeBitmap(TskUIStyle::WinXP, ThemeItem::FormBorderColor, &picture);
    GetInsideThemeBitmap(TskUIStyle::WinXP, ThemeItem::FormMinWidthInt, &picture, 1, 2);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(CountPixelsOf(picture, Marker), 6);
    GetInsideThemeBitmap(TskUIStyle::WinXP, ThemeItem::ButtonImage, static_cast<TBitmap*>(nullptr));
}

TEST(ThemeTables, StylesWithoutATableBehaveAsIntegerMinusOne) {
    for (TskUIStyle style :
         {TskUIStyle::FromThemeFile, static_cast<TskUIStyle>(6), static_cast<TskUIStyle>(128)}) {
        EXPECT_EQ(ThemeItemKind(style, ThemeItem::FormBorderColor), TskThemeItemKind::Integer);
        EXPECT_EQ(GetInsideThemeInt(style, ThemeItem::FormMinWidthInt), -1);
        EXPECT_EQ(GetInsideThemeColor(style, ThemeItem::FormBorderColor), 0);
        EXPECT_FALSE(GetInsideThemeBool(style, 2));
        EXPECT_EQ(InsideThemePictureName(style, ThemeItem::ButtonImage), "");
    }
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::WinXP, 0), -1);
    EXPECT_EQ(GetInsideThemeInt(TskUIStyle::WinXP, 43), -1);
}

TEST(ThemeTables, StyleIsTakenModulo128) {
    const auto winXPHigh = static_cast<TskUIStyle>(128 + 2);
    EXPECT_EQ(GetInsideThemeInt(winXPHigh, ThemeItem::FormMinWidthInt), 150);
    EXPECT_EQ(GetInsideThemeColor(winXPHigh, ThemeItem::FormBorderColor), RGB(0, 44, 200));
    EXPECT_EQ(InsideThemePictureName(winXPHigh, ThemeItem::TitleBarButtonImage), "WINXP_TITLEBTN");
}

TEST(ThemeTables, PictureNamesFollowThePrefixRule) {
    const char* prefixes[] = {"MACOS_", "WINXP_", "DEEPBLUE_", "PROTEIN_", "BLUEGLASS_"};
    std::set<std::string> names;
    for (int s = 0; s < 5; ++s)
        for (int item = 1; item <= ThemeItemCount; ++item) {
            if (ThemeItemKind(AllBuiltIn[s], item) != TskThemeItemKind::Picture) continue;
            const std::string name(InsideThemePictureName(AllBuiltIn[s], item));
            names.insert(name);
            if (item == ThemeItem::ScrollButtonImage && s >= 2)
                EXPECT_EQ(name, "MORE_SCROLLBUTTON");
            else
                EXPECT_EQ(name.rfind(prefixes[s], 0), 0u) << name;
        }
    // 19 picture items in five styles, three of them sharing one name.
    EXPECT_EQ(names.size(), 19u * 5 - 2);
    EXPECT_TRUE(names.count("PROTEIN_SIDECHENNEL_HANDLE"));
    EXPECT_TRUE(names.count("MACOS_TRACKBAR_SLIDER_V"));
}

TEST(ThemeTables, TitleButtonFrameFromTheBuiltInStrip) {
    EnsureWinXPTitleButtons();
    TBitmap strip;
    ASSERT_TRUE(LoadResourceBitmap("WINXP_TITLEBTN", strip));
    ASSERT_EQ(strip.Width(), 378);
    TBitmap picture;
    picture.SetTransparent(true);
    GetInsideThemeBitmap(TskUIStyle::WinXP, ThemeItem::TitleBarButtonImage, &picture, 13, 18);
    ASSERT_EQ(picture.Width(), 21);
    ASSERT_EQ(picture.Height(), 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            ASSERT_EQ(picture.GetPixel(x, y), strip.GetPixel(12 * 21 + x, y)) << x << "," << y;
    EXPECT_TRUE(picture.Transparent());

    TPicture whole;
    int changes = 0;
    whole.OnChange = [&] { ++changes; };
    GetInsideThemeBitmap(TskUIStyle::WinXP, ThemeItem::TitleBarButtonImage, &whole);
    EXPECT_EQ(whole.Width(), 378);
    EXPECT_EQ(changes, 1);
}

TEST(ThemeTables, MissingResourceLeavesTheBitmapAlone) {
    TBitmap picture;
    Fill(picture, 2, 2, Marker);
    EXPECT_FALSE(LoadResourceBitmap("NO_SUCH_SKIN_PICTURE", picture));
    EXPECT_EQ(CountPixelsOf(picture, Marker), 4);
}

// The seven skin files beside the program: valid, and each answers every
// item of the style it was made from, recoloured.
#include <gtest/gtest.h>

#include <string>

#include "gui/graphics/TBitmap.h"
#include "skin/SkinThemes.h"
#include "skin/TskFileTheme.h"
#include "skin/TskThemeFileReader.h"
#include "tools/skins/TSkinRecipe.h"

namespace {

const TSkinRecipe& Recipe(const std::string& file) {
    for (const TSkinRecipe& recipe : SkinRecipes())
        if (recipe.File == file) return recipe;
    throw std::runtime_error("no recipe " + file);
}

} // namespace

TEST(ShippedSkinsTest, RecolouringKeepsTheKeySystemColoursAndGreys) {
    for (const TSkinRecipe& recipe : SkinRecipes()) {
        EXPECT_EQ(Recolor(recipe, RGB(255, 0, 255)), RGB(255, 0, 255)) << recipe.File;
        EXPECT_EQ(Recolor(recipe, clBtnFace), clBtnFace) << recipe.File;
        TColor grey = Recolor(recipe, RGB(128, 128, 128));
        EXPECT_EQ(GetRValue(grey), GetGValue(grey)) << recipe.File;
        EXPECT_EQ(GetGValue(grey), GetBValue(grey)) << recipe.File;
    }
    TColor green = Recolor(Recipe("Xpgreen.skn"), RGB(40, 80, 220));
    EXPECT_GT(GetGValue(green), GetRValue(green));
    EXPECT_GT(GetGValue(green), GetBValue(green));
    TColor gold = Recolor(Recipe("md_asgold.skn"), RGB(40, 80, 220));
    EXPECT_GT(GetRValue(gold), GetBValue(gold));
    EXPECT_EQ(Recolor(Recipe("MacOS.skn"), RGB(12, 34, 56)), RGB(12, 34, 56)); // kept as it is
}

TEST(ShippedSkinsTest, EverySkinFileAnswersTheItemsOfItsStyle) {
    ASSERT_EQ(SkinRecipes().size(), 7u);
    for (const TSkinRecipe& recipe : SkinRecipes()) {
        SCOPED_TRACE(recipe.File);
        const std::string path = std::string(XF_BIN_DIR) + "/Skins/" + recipe.File;
        ASSERT_TRUE(IsValidThemeFile(path));
        TskFileTheme theme(nullptr);
        theme.SetThemeFile(path);
        ASSERT_TRUE(theme.CanUse());
        int pictures = 0;
        for (int item = 1; item <= ThemeItemCount; ++item) {
            SCOPED_TRACE(std::string(ThemeItemKey(item)));
            switch (ThemeItemKind(recipe.Base, item)) {
            case TskThemeItemKind::Picture: {
                TBitmap base, shipped;
                GetInsideThemeBitmap(recipe.Base, item, &base, 0, 0);
                theme.GetBitmap(item, &shipped);
                ASSERT_EQ(shipped.Width(), base.Width());
                ASSERT_EQ(shipped.Height(), base.Height());
                if (base.Empty()) break;
                ++pictures;
                for (TPoint p : {TPoint{0, 0}, TPoint{base.Width() / 2, base.Height() / 2}})
                    EXPECT_EQ(shipped.GetPixel(p.X, p.Y), Recolor(recipe, base.GetPixel(p.X, p.Y)));
                break;
            }
            case TskThemeItemKind::Color:
                EXPECT_EQ(theme.GetColor(item), Recolor(recipe, GetInsideThemeColor(recipe.Base, item)));
                break;
            case TskThemeItemKind::Boolean:
                EXPECT_EQ(theme.GetBool(item), GetInsideThemeBool(recipe.Base, item));
                break;
            case TskThemeItemKind::Integer:
                if (ThemeItemKey(item).ends_with("Int")) {
                    EXPECT_EQ(theme.GetInt(item), GetInsideThemeInt(recipe.Base, item));
                }
                break;
            }
        }
        EXPECT_GE(pictures, 15);
    }
}

// The notice shown over a fullscreen page: its text is drawn inside a frame
// in the current skin's colours and it goes by itself.
#include <gtest/gtest.h>


#include "gui/TApplication.h"
#include "gui/graphics/TBitmap.h"
#include "skin/TskHintWindow.h"
#include "skin/TskThemeLookup.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

class SkinnedHintTest : public ControlFixture {
protected:
    TskHintWindow* Show(TskUIStyle style) {
        auto* hint = new TskHintWindow(FForm);
        hint->ShowHint("按 Esc 键退出全屏", TRect::FromSize(0, 0, 1000, 700), 3000, nullptr, style);
        FApp->ProcessMessages();
        return hint;
    }
};

} // namespace

TEST_F(SkinnedHintTest, TextInTheSkinsMenuColoursInsideItsBorder) {
    for (TskUIStyle style : {TskUIStyle::WinXP, TskUIStyle::DeepBlue, TskUIStyle::MacOS}) {
        TskHintWindow* hint = Show(style);
        TskThemeLookup theme(nullptr, style);
        const TBitmap& buffer = hint->BackBuffer();
        ASSERT_GT(buffer.Width(), 60);
        EXPECT_EQ(buffer.GetPixel(0, 0), ColorToRGB(theme.Color(ThemeItem::FormBorderColor)));
        EXPECT_EQ(buffer.GetPixel(buffer.Width() - 1, buffer.Height() - 1),
                  ColorToRGB(theme.Color(ThemeItem::FormBorderColor)));
        EXPECT_EQ(buffer.GetPixel(2, 2), ColorToRGB(theme.Color(ThemeItem::MenuBackgroundColor)));
        TColor back = ColorToRGB(theme.Color(ThemeItem::MenuBackgroundColor));
        int text = 0;
        for (int y = 2; y < buffer.Height() - 2; ++y)
            for (int x = 2; x < buffer.Width() - 2; ++x) text += buffer.GetPixel(x, y) != back;
        EXPECT_GT(text, 100) << "the text shows against the background, whatever the style's colours";
        // Centred near the top of the area, never wider than it.
        EXPECT_EQ(hint->Left() + hint->Width() / 2, 500);
        EXPECT_GT(hint->Top(), 0);
        delete hint;
    }
}

TEST_F(SkinnedHintTest, GoesAfterItsTime) {
    TskHintWindow* hint = Show(TskUIStyle::WinXP);
    EXPECT_TRUE(hint->Visible());
    FHost.AdvanceClock(2900);
    FApp->ProcessMessages();
    EXPECT_TRUE(hint->Visible());
    FHost.AdvanceClock(200);
    FApp->ProcessMessages();
    EXPECT_FALSE(hint->Visible());
}

// The skinned tab strip and body of the page control on the headless host:
// sizes from the style's pictures, measured and cut tabs, the scroll
// buttons and the pointer over them, clicks on the recorded widths, and the
// colours a style gives the control and its pages. Most cases use a skin
// file of one-colour pictures so that every pixel says what was drawn.
#include <cstdlib>
#include <filesystem>

#include "PageControlTestSupport.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskEdit.h"
#include "skin/TskFileTheme.h"
#include "skin/TskThemeFileWriter.h"

namespace {

// Two 6 x 10 tab frames (the active one with a magenta top-left pixel), a
// 3 x 2 bar and four 5 x 6 scroll-button frames whose lower-left pixel is
// their transparent colour.
constexpr TColor kActive = RGB(200, 0, 0), kInactive = RGB(0, 0, 200), kBar = RGB(0, 200, 0);
constexpr TColor kButtonFrame[4] = {RGB(10, 10, 10), RGB(20, 20, 20), RGB(30, 30, 30),
                                    RGB(40, 40, 40)};
constexpr TColor kButtonKey = RGB(1, 2, 3);
constexpr TColor kBorder = RGB(9, 9, 90), kBody = RGB(250, 240, 230), kFormColor = RGB(7, 77, 7);
constexpr int kWidth = 300;
// Strip width minus two 5-pixel buttons minus 2: where a cut tab ends.
constexpr int kCutEdge = kWidth - 12;

std::vector<uint8_t> Picture(int w, int h, const std::function<TColor(int, int)>& color) {
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.SetPixel(x, y, color(x, y));
    return bmp.SaveToBmp();
}

class SkinnedTabsTest : public PageControlTest {
protected:
    SkinnedTabsTest() {
        FForm->SetColor(kFormColor);
        FTheme = new TskFileTheme(FForm);
        FTheme->SetThemeFile(WriteSkin());
        FPages->SetFileTheme(FTheme);
        FPages->SetUIStyle(TskUIStyle::FromThemeFile);
    }
    ~SkinnedTabsTest() override {
        std::error_code ec;
        std::filesystem::remove_all(FDir, ec);
    }

    std::string WriteSkin() {
        std::string pattern = (std::filesystem::temp_directory_path() / "xf-tabs-XXXXXX").string();
        FDir = mkdtemp(pattern.data());
        TskThemeFileWriter writer;
        writer.AddStream("TabControlTabImage", Picture(12, 10, [](int x, int y) {
                             if (x == 0 && y == 0) return SkinTransparentColor;
                             return x < 6 ? kActive : kInactive;
                         }));
        writer.AddStream("TabControlBarImage", Picture(3, 2, [](int, int) { return kBar; }));
        writer.AddStream("ScrollButtonImage", Picture(20, 6, [](int x, int y) {
                             return x % 5 == 0 && y == 5 ? kButtonKey : kButtonFrame[x / 5];
                         }));
        writer.AddInteger("ControlBorderColor", static_cast<int32_t>(kBorder));
        writer.AddInteger("ControlBackgroundColor", static_cast<int32_t>(kBody));
        const std::string path = FDir + "/tabs.skn";
        writer.SaveToFile(path);
        return path;
    }

    TskTabControlTopPanel* Strip() { return FPages->Strip(); }
    // Pages added before the form is shown: nothing is scrolled yet.
    void AddHidden(int count, const std::string& caption = "") {
        for (int i = 0; i < count; ++i)
            AddSheet(caption);
    }
    void Show() {
        FForm->Show();
        FApp->ProcessMessages();
        WatchControl(FPages);
        TakeLog();
    }
    // A pixel of the strip as the form shows it.
    TColor At(int x, int y) {
        FApp->ProcessMessages();
        TPoint origin = Strip()->ClientOrigin();
        return FForm->BackBuffer().GetPixel(origin.X + x, origin.Y + y);
    }
    TPoint InWindow(int x, int y) {
        TPoint origin = Strip()->ClientOrigin();
        return {origin.X + x, origin.Y + y};
    }
    void PointerAt(int x, int y) {
        FHost.SetCursorPos(Strip()->ClientToScreen({x, y}));
        Strip()->Invalidate();
        FApp->ProcessMessages();
    }
    void Press(int x, int y, uint32_t down = WM_LBUTTONDOWN, uint32_t up = WM_LBUTTONUP,
               WPARAM keys = MK_LBUTTON) {
        FHost.MouseEvent(FForm->HostWindow(), WM_MOUSEMOVE, InWindow(x, y));
        FHost.MouseEvent(FForm->HostWindow(), down, InWindow(x, y), keys);
        FHost.MouseEvent(FForm->HostWindow(), up, InWindow(x, y));
        FApp->ProcessMessages();
    }
    // Columns of the tab that show something other than its own colour
    // between its top and bottom rows: where the caption was drawn.
    std::pair<int, int> CaptionColumns(int left, int right, TColor face) {
        int first = -1, last = -1;
        for (int x = left; x < right; ++x)
            for (int y = 1; y < 9; ++y)
                if (At(x, y) != face) {
                    if (first < 0) first = x;
                    last = x;
                }
        return {first, last};
    }

    TskFileTheme* FTheme;
    std::string FDir;
};

TEST_F(SkinnedTabsTest, TheStripIsAsHighAsTheTabAndBarPicturesAndThePagesSitInsideTheBody) {
    EXPECT_EQ(FPages->StripHeight(), 12);
    EXPECT_EQ(Strip()->ButtonWidth(), 5);
    EXPECT_EQ(Strip()->ButtonHeight(), 6);
    TskTabSheet* page = AddSheet("a");
    EXPECT_EQ(Strip()->BoundsRect(), TRect(0, 0, kWidth, 12));
    EXPECT_EQ(page->BoundsRect(), TRect(3, 15, kWidth - 3, 200 - 3));

    FPages->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(FPages->StripHeight(), 19);
    EXPECT_EQ(Strip()->ButtonWidth(), 18);
    EXPECT_EQ(Strip()->ButtonHeight(), 18);
    EXPECT_EQ(page->Top(), 22);
    FPages->SetUIStyle(TskUIStyle::DeepBlue);
    EXPECT_EQ(FPages->StripHeight(), 22);
    EXPECT_EQ(Strip()->ButtonHeight(), 17);
    FPages->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(FPages->StripHeight(), 34);
    FPages->SetWidth(250);
    EXPECT_EQ(Strip()->BoundsRect(), TRect(0, 0, 250, 34));
}

TEST_F(SkinnedTabsTest, TheStyleGivesBorderAndBodyColoursToTheControlAndItsPages) {
    TskTabSheet* page = AddSheet("a");
    EXPECT_EQ(FPages->BorderColor(), kBorder);
    EXPECT_EQ(FPages->Color(), kBody);
    EXPECT_EQ(page->Color(), kBody);
    EXPECT_EQ(page->BorderColor(), kBorder);

    FPages->SetUIStyle(TskUIStyle::WinXP); // white, not its control colour
    EXPECT_EQ(FPages->Color(), clWhite);
    EXPECT_EQ(FPages->BorderColor(), RGB(104, 104, 104));
    EXPECT_EQ(page->Color(), clWhite);
    FPages->SetUIStyle(TskUIStyle::Protein);
    EXPECT_EQ(FPages->Color(), RGB(251, 251, 251));
    EXPECT_EQ(FPages->BorderColor(), RGB(0, 0, 0));

    FPages->SetUIStyle(TskUIStyle::FromThemeFile);
    delete FTheme;
    EXPECT_EQ(FPages->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(FPages->Color(), RGB(232, 232, 232));
    EXPECT_EQ(FPages->StripHeight(), 22);
}

TEST_F(SkinnedTabsTest, TheStyleReachesTheChildrenOfThePagesButNotOtherChildren) {
    TskTabSheet* page = AddSheet("a");
    auto* onPage = new TskEdit(FForm);
    onPage->SetParent(page);
    auto* beside = new TskEdit(FForm);
    beside->SetParent(FPages);
    page->SetAlign(TAlign::alNone);
    FPages->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(onPage->Theme().UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(onPage->Theme().FileTheme(), FTheme);
    EXPECT_EQ(onPage->BorderColor(), RGB(104, 104, 104));
    EXPECT_NE(beside->Theme().UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(page->Align(), TAlign::alClient);
    EXPECT_EQ(Strip()->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(Strip()->FileTheme(), FTheme);
}

TEST_F(SkinnedTabsTest, TabsBarAndSideLinesArePaintedOverWhatLiesBehind) {
    AddHidden(3);
    FPages->SetActivePageIndex(0);
    Show();
    EXPECT_EQ(At(5, 5), kFormColor);  // the margin shows the form
    EXPECT_EQ(At(10, 1), kFormColor); // the active picture's magenta corner
    EXPECT_EQ(At(10, 0), kFormColor); // the active tab stands a pixel lower
    EXPECT_EQ(At(12, 5), kActive);
    EXPECT_EQ(At(50, 10), kActive); // over the bar
    EXPECT_EQ(At(90, 0), kInactive);
    EXPECT_EQ(At(100, 9), kInactive);
    EXPECT_EQ(At(100, 10), kBar);
    EXPECT_EQ(At(kWidth - 2, 11), kBar);
    EXPECT_EQ(At(0, 10), kBorder);
    EXPECT_EQ(At(kWidth - 1, 11), kBorder);
    EXPECT_EQ(At(0, 9), kFormColor);
    EXPECT_EQ(At(260, 5), kFormColor); // right of the last tab
    EXPECT_FALSE(Strip()->Overflow());
    EXPECT_EQ(At(kWidth - 4, 3), kFormColor); // no scroll buttons
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Strip()->RecordedWidth(i), 80) << i; // empty captions
    EXPECT_EQ(Strip()->TabHeight(), 10);
    // The body below: border on three sides, filled with the body colour.
    TRect body = FPages->WindowRectInForm();
    EXPECT_EQ(FForm->BackBuffer().GetPixel(body.Left, body.Top + 12), kBorder);
    EXPECT_EQ(FForm->BackBuffer().GetPixel(body.Right - 1, body.Bottom - 1), kBorder);
    EXPECT_EQ(FForm->BackBuffer().GetPixel(body.Left + 1, body.Bottom - 2), kBody);
}

TEST_F(SkinnedTabsTest, TheLastTabMayUseTheButtonsRoomAnyOtherIsCutBeforeThem) {
    // Three tabs of 80 from 10; a fourth would end at 330.
    AddHidden(3);
    FPages->SetActivePageIndex(0);
    FPages->SetWidth(kWidth + 40); // 330 is exactly 10 short of the edge
    Show();
    AddSheet("");
    FApp->ProcessMessages();
    FPages->SetActivePageIndex(0);
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->FirstShown(), 0);
    EXPECT_FALSE(Strip()->Overflow()); // the last one reaches W - 10
    EXPECT_EQ(Strip()->RecordedWidth(3), 80);

    FPages->SetWidth(kWidth);
    FApp->ProcessMessages();
    EXPECT_TRUE(Strip()->Overflow());
    EXPECT_EQ(Strip()->RecordedWidth(3), kCutEdge - 250);
    EXPECT_EQ(At(kCutEdge - 1, 5), kInactive);
    EXPECT_EQ(At(kCutEdge + 2, 3), kButtonFrame[2]); // back button
    EXPECT_EQ(At(kCutEdge + 7, 3), kButtonFrame[0]); // forward button
    EXPECT_EQ(At(kCutEdge, 6), kFormColor);          // a frame's lower-left pixel
    EXPECT_EQ(Strip()->ForwardButtonRect(), TRect(kWidth - 7, 1, kWidth - 2, 7));
}

TEST_F(SkinnedTabsTest, ACutTabShowsItsCaptionFromTheLeftAndTabsAfterItAreNotDrawn) {
    AddHidden(3);
    AddSheet("WWWWWWWWWWWW");
    AddSheet("");
    FPages->SetActivePageIndex(0);
    FForm->Font().SetColor(clYellow);
    FPages->Font().SetColor(clYellow);
    Show();
    ASSERT_TRUE(Strip()->Overflow());
    auto [first, last] = CaptionColumns(250, kCutEdge, kInactive);
    EXPECT_GE(first, 260);
    EXPECT_LE(first, 263);
    EXPECT_LT(last, kCutEdge - 4);
    EXPECT_EQ(Strip()->RecordedWidth(4), -1);
    // A whole tab centres its caption.
    FPages->PageAt(1)->SetCaption("W");
    FApp->ProcessMessages();
    const int w = Strip()->RecordedWidth(1);
    auto [from, to] = CaptionColumns(90, 90 + w, kInactive);
    EXPECT_NEAR((from - 90) - (90 + w - 1 - to), 0, 2);
}

TEST_F(SkinnedTabsTest, ThePointerOverAScrollButtonShowsItsHoverFrame) {
    AddHidden(4);
    FPages->SetActivePageIndex(0);
    Show();
    PointerAt(kWidth - 4, 3);
    EXPECT_EQ(Strip()->HoverButton(), 1);
    EXPECT_EQ(At(kWidth - 4, 3), kButtonFrame[1]);
    EXPECT_EQ(At(kCutEdge + 2, 3), kButtonFrame[2]);
    PointerAt(kWidth - 2, 7); // both edges count as inside
    EXPECT_EQ(Strip()->HoverButton(), 1);
    PointerAt(kCutEdge + 1, 3);
    EXPECT_EQ(Strip()->HoverButton(), -1);
    EXPECT_EQ(At(kCutEdge + 2, 3), kButtonFrame[3]);
    EXPECT_EQ(At(kWidth - 4, 3), kButtonFrame[0]);
    PointerAt(100, 5);
    EXPECT_EQ(Strip()->HoverButton(), 0);

    // While tabs overflow, moving over the strip is enough to repaint.
    FHost.MouseEvent(FForm->HostWindow(), WM_MOUSEMOVE, InWindow(100, 5));
    FApp->ProcessMessages();
    FHost.MouseEvent(FForm->HostWindow(), WM_MOUSEMOVE, InWindow(kWidth - 4, 3));
    FApp->ProcessMessages();
    EXPECT_EQ(At(kWidth - 4, 3), kButtonFrame[1]);
}

TEST_F(SkinnedTabsTest, TheScrollButtonsMoveTheFirstShownTabWithinItsRange) {
    AddHidden(4);
    FPages->SetActivePageIndex(0);
    Show();
    Press(kCutEdge + 2, 3); // back at the start
    EXPECT_EQ(Strip()->FirstShown(), 0);
    Press(kWidth - 4, 3);
    EXPECT_EQ(Strip()->FirstShown(), 1);
    EXPECT_FALSE(Strip()->Overflow()); // tabs 1 to 3 fit
    EXPECT_EQ(At(12, 5), kInactive);
    // Scrolled with nothing cut: the buttons still follow the pointer.
    FHost.MouseEvent(FForm->HostWindow(), WM_MOUSEMOVE, InWindow(kCutEdge + 2, 3));
    FApp->ProcessMessages();
    EXPECT_EQ(At(kCutEdge + 2, 3), kButtonFrame[3]);
    Press(kWidth - 4, 3); // forward without overflow: no change
    EXPECT_EQ(Strip()->FirstShown(), 1);
    EXPECT_EQ(FPages->ActivePageIndex(), 0);
    EXPECT_EQ(TakeLog(), TLog({"click", "click", "click"}));
    Press(kCutEdge + 2, 3);
    EXPECT_EQ(Strip()->FirstShown(), 0);
    EXPECT_EQ(At(12, 5), kActive);
}

TEST_F(SkinnedTabsTest, ClicksHitTheTabsAsLastDrawnWithStrictEdges) {
    AddHidden(5);
    FPages->SetActivePageIndex(0);
    Show();
    Press(95, 9);
    EXPECT_EQ(FPages->ActivePageIndex(), 1);
    EXPECT_EQ(TakeLog(), TLog({"changing", "hide ", "show ", "tabactive 1", "change", "click"}));
    Press(170, 5);  // the left edge of tab 2 belongs to no tab
    Press(175, 10); // below the tab height
    Press(175, 0);
    EXPECT_EQ(FPages->ActivePageIndex(), 1);
    Press(175, 5, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON);
    Press(175, 5, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    EXPECT_EQ(FPages->ActivePageIndex(), 1);
    EXPECT_EQ(Strip()->TabIndex(), 1);

    // Scrolled by two: the tab at the margin is tab 2.
    Press(kWidth - 4, 3);
    Press(kWidth - 4, 3);
    ASSERT_EQ(Strip()->FirstShown(), 2);
    Press(20, 5);
    EXPECT_EQ(FPages->ActivePageIndex(), 2);
}

TEST_F(SkinnedTabsTest, SelectingATabBeyondTheLastWholeOneScrollsItIntoView) {
    AddHidden(5);
    FPages->SetActivePageIndex(0);
    Show();
    FPages->SetActivePageIndex(4);
    EXPECT_EQ(Strip()->FirstShown(), 2);
    EXPECT_FALSE(Strip()->Overflow());
    EXPECT_EQ(At(12, 5), kInactive); // tab 2 at the margin
    EXPECT_EQ(At(172, 5), kActive);  // tab 4 whole at 170
    // Going back left does not scroll back.
    FPages->SetActivePageIndex(0);
    EXPECT_EQ(Strip()->FirstShown(), 2);

    // A tab wider than the room: the strip scrolls past it.
    FPages->PageAt(3)->SetCaption(std::string(200, 'W'));
    FPages->SetActivePageIndex(3);
    EXPECT_EQ(Strip()->FirstShown(), 4);
}

// Three 80-pixel tabs fit the 300-pixel strip, a fourth is cut. Closing
// tabs from the right (as "close all pages" does) must not leave the strip
// scrolled with room to spare, nor the buttons shown once every tab fits.
TEST_F(SkinnedTabsTest, RemovedTabsScrollTheStripBackSoThatNoRoomIsWasted) {
    Show();
    std::vector<TskTabSheet*> sheets;
    for (int i = 0; i < 17; ++i)
        sheets.push_back(AddSheet(""));
    FApp->ProcessMessages();
    ASSERT_EQ(Strip()->FirstShown(), 14);

    delete sheets[16];
    sheets.pop_back();
    FApp->ProcessMessages();
    EXPECT_EQ(FPages->ActivePageIndex(), 15);
    EXPECT_EQ(Strip()->FirstShown(), 13); // tabs 13 to 15 fill the row again

    while (sheets.size() > 1) {
        delete sheets.back();
        sheets.pop_back();
        FApp->ProcessMessages();
    }
    EXPECT_EQ(Strip()->FirstShown(), 0);
    for (int i = 0; i < 2; ++i)
        sheets.push_back(AddSheet(""));
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->FirstShown(), 0);
    EXPECT_FALSE(Strip()->Overflow());
    EXPECT_EQ(At(12, 5), kInactive); // the first tab at the margin
    EXPECT_NE(At(kCutEdge + 2, 3), kButtonFrame[2]); // no back button
    EXPECT_NE(At(kWidth - 4, 3), kButtonFrame[0]);   // no forward button
    EXPECT_EQ(Strip()->TabAtPos({20, 5}), 0);
}

TEST_F(SkinnedTabsTest, AWiderStripScrollsBackButAForwardClickIsKept) {
    AddHidden(5);
    FPages->SetActivePageIndex(0);
    Show();
    FPages->SetActivePageIndex(4);
    ASSERT_EQ(Strip()->FirstShown(), 2);
    FPages->SetWidth(kWidth + 80); // room for a fourth tab
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->FirstShown(), 1);
    FPages->SetWidth(kWidth + 400);
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->FirstShown(), 0);
    EXPECT_FALSE(Strip()->Overflow());

    // Scrolled forward by hand until nothing is cut: the next paints keep it.
    FPages->SetWidth(kWidth);
    FPages->SetActivePageIndex(0);
    FApp->ProcessMessages();
    Press(kWidth - 4, 3);
    Press(kWidth - 4, 3);
    EXPECT_EQ(Strip()->FirstShown(), 2);
    Strip()->Invalidate();
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->FirstShown(), 2);
}

TEST_F(SkinnedTabsTest, EveryTabCanBeClickedPastSixtyFour) {
    Show();
    for (int i = 0; i < 70; ++i)
        AddSheet("");
    FApp->ProcessMessages();
    EXPECT_EQ(FPages->ActivePageIndex(), 69);
    EXPECT_EQ(Strip()->RecordedWidth(69), 80);
    EXPECT_EQ(Strip()->FirstShown(), 67);
    Press(20, 5);
    EXPECT_EQ(FPages->ActivePageIndex(), 67);
    Press(175, 5);
    EXPECT_EQ(FPages->ActivePageIndex(), 69);
}

} // namespace

TEST_F(SkinnedTabsTest, ASpeakerWidensItsTabAndAClickOnItIsNoSelection) {
    AddHidden(3);
    FPages->SetActivePageIndex(0);
    std::vector<int> soundClicks;
    FPages->OnTabSoundClick = [&](TObject*, int index) { soundClicks.push_back(index); };
    FPages->PageAt(1)->SetSound(TTabSound::Playing);
    Show();
    EXPECT_EQ(Strip()->RecordedWidth(0), 80);
    EXPECT_EQ(Strip()->RecordedWidth(1), 80 + TskTabControlTopPanel::SoundWidth);
    EXPECT_EQ(Strip()->SoundRect(0), TRect());
    const TRect speaker = Strip()->SoundRect(1);
    EXPECT_EQ(speaker, TRect(96, 0, 96 + TskTabControlTopPanel::SoundWidth, 10));
    auto drawn = [&] {
        int count = 0;
        for (int x = speaker.Left; x < speaker.Right; ++x)
            for (int y = 1; y < 9; ++y) count += At(x, y) != kInactive;
        return count;
    };
    const int playing = drawn();
    EXPECT_GT(playing, 10);

    Press(100, 5);
    EXPECT_EQ(soundClicks, std::vector<int>({1}));
    EXPECT_EQ(FPages->ActivePageIndex(), 0);
    Press(150, 5);
    EXPECT_EQ(FPages->ActivePageIndex(), 1);
    EXPECT_EQ(soundClicks.size(), 1u);

    // Muted: crossed instead of waves; tab 2 still starts after the wider tab.
    FPages->PageAt(1)->SetSound(TTabSound::Muted);
    FPages->PageAt(2)->SetSound(TTabSound::Muted);
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->SoundRect(2).Left, 10 + 80 + 80 + TskTabControlTopPanel::SoundWidth + 6);
    Press(Strip()->SoundRect(2).Left + 3, 5);
    EXPECT_EQ(soundClicks, std::vector<int>({1, 2}));

    // The sound follows its page when another page goes.
    delete FPages->PageAt(0);
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->TabSound(0), TTabSound::Muted);
    EXPECT_EQ(Strip()->TabSound(1), TTabSound::Muted);
    FPages->PageAt(0)->SetSound(TTabSound::None);
    FApp->ProcessMessages();
    EXPECT_EQ(Strip()->RecordedWidth(0), 80);
    EXPECT_EQ(Strip()->SoundRect(0), TRect());
}

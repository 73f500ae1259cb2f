#include "ControlTestSupport.h"
#include "gui/TScrollBar.h"

namespace {

class ScrollBarTest : public ControlFixture {
protected:
    ScrollBarTest() {
        FBar = new TScrollBar(FForm);
        FBar->SetKind(TScrollBarKind::sbVertical);
        FBar->SetBounds(100, 0, 16, 216);
        FBar->SetParent(FForm);
        FBar->SetParams(0, 0, 99);
        FBar->SetPageSize(10);
        FBar->OnChange = [this](TObject*) { ++FChanges; };
        ShowForm();
    }
    TPoint At(TPoint client) { return {100 + client.X, client.Y}; }

    TScrollBar* FBar;
    int FChanges = 0;
};

} // namespace

TEST_F(ScrollBarTest, ThumbLengthAndPlaceFollowPageAndPosition) {
    EXPECT_EQ(FBar->TrackRect(), TRect(0, 16, 16, 200));
    EXPECT_EQ(FBar->ThumbLength(), 184 * 10 / 100);
    EXPECT_EQ(FBar->MaxPosition(), 90);
    EXPECT_EQ(FBar->ThumbRect().Top, 16);
    FBar->SetPosition(90);
    EXPECT_EQ(FBar->ThumbRect().Bottom, 200);
    FBar->SetPosition(500);
    EXPECT_EQ(FBar->Position(), 90);
    FBar->SetMax(5); // the whole range fits one page: no thumb
    FBar->SetPageSize(10);
    EXPECT_TRUE(FBar->ThumbRect().IsEmpty());
    EXPECT_EQ(FBar->Position(), 0);
}

TEST_F(ScrollBarTest, ArrowsStepAndRepeatWhileHeld) {
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, At({8, 205}), MK_LBUTTON);
    FApp->ProcessMessages();
    EXPECT_EQ(FBar->Position(), 1);
    FHost.AdvanceClock(400);
    FApp->ProcessMessages();
    EXPECT_EQ(FBar->Position(), 2);
    FHost.AdvanceClock(100);
    FApp->ProcessMessages();
    FHost.AdvanceClock(100);
    FApp->ProcessMessages();
    EXPECT_EQ(FBar->Position(), 4);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, At({8, 205}));
    FHost.AdvanceClock(1000);
    FApp->ProcessMessages();
    EXPECT_EQ(FBar->Position(), 4);
    EXPECT_EQ(FChanges, 4);
    Click(At({8, 5}));
    EXPECT_EQ(FBar->Position(), 3);
}

TEST_F(ScrollBarTest, TrackPagesAndThumbDrags) {
    Click(At({8, 150}));
    EXPECT_EQ(FBar->Position(), 10);
    std::vector<int> codes;
    FBar->OnScroll = [&](TObject*, int code, int&) { codes.push_back(code); };
    TRect thumb = FBar->ThumbRect();
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, At({8, thumb.Top + 2}), MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_MOUSEMOVE, At({8, thumb.Top + 2 + 83}), MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, At({8, thumb.Top + 2 + 83}));
    FApp->ProcessMessages();
    // 83 pixels of a 166-pixel span over 90 positions.
    EXPECT_EQ(FBar->Position(), 10 + 45);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes.front(), SB_THUMBTRACK);
    EXPECT_EQ(codes.back(), SB_THUMBPOSITION);
}

// Minimised and maximised forms on the headless host, with and without a
// window manager: what the form asks of the window system and how it
// follows what the window system does on its own.
#include "ControlTestSupport.h"

namespace {

class WindowStateTest : public ControlFixture {
protected:
    WindowStateTest() {
        FHost.SetWorkArea({0, 0, 1280, 1000});
        FForm->SetBounds(50, 40, 400, 300);
    }
    const THeadlessHost::TWindowState& HostState() { return *FHost.Window(Window()); }
    void WindowManager(bool minimized, bool maximized) {
        FHost.WindowManagerState(Window(), minimized, maximized);
        FApp->ProcessMessages();
    }
};

} // namespace

TEST_F(WindowStateTest, MinimisingKeepsTheWindowForTheTaskListWhichGivesItBack) {
    ShowForm();
    FForm->SetWindowState(TWindowState::wsMinimized);
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsMinimized);
    EXPECT_TRUE(HostState().Minimized);
    EXPECT_TRUE(HostState().Visible); // minimised, not withdrawn
    EXPECT_TRUE(FForm->Visible());
    WindowManager(false, false);
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(FForm->BoundsRect(), TRect::FromSize(50, 40, 400, 300));
    // The program may restore it itself as well.
    FForm->SetWindowState(TWindowState::wsMinimized);
    FForm->SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(HostState().Minimized);
    EXPECT_EQ(FForm->BoundsRect(), TRect::FromSize(50, 40, 400, 300));
}

TEST_F(WindowStateTest, AMaximisedWindowComesBackMaximisedAndStillRestoresToWhereItWas) {
    ShowForm();
    FForm->SetWindowState(TWindowState::wsMaximized);
    FForm->SetWindowState(TWindowState::wsMinimized);
    WindowManager(false, true);
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(FForm->BoundsRect(), TRect(0, 0, 1280, 1000));
    FForm->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(FForm->BoundsRect(), TRect::FromSize(50, 40, 400, 300));
}

TEST_F(WindowStateTest, WithoutAWindowManagerMinimisingLeavesTheWindowAsItIs) {
    FHost.SetWindowManager(false);
    ShowForm();
    FForm->SetWindowState(TWindowState::wsMinimized);
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsNormal);
    EXPECT_FALSE(HostState().Minimized);
    EXPECT_TRUE(HostState().Visible);
    // Maximising needs none: the form takes the work area itself.
    FForm->SetWindowState(TWindowState::wsMaximized);
    EXPECT_EQ(HostState().Bounds, TRect(0, 0, 1280, 1000));
    EXPECT_FALSE(HostState().Maximized);
}

TEST_F(WindowStateTest, MaximisingTellsTheWindowManagerWhichFollowsItOnItsOwnToo) {
    ShowForm();
    FForm->SetWindowState(TWindowState::wsMaximized);
    EXPECT_TRUE(HostState().Maximized);
    EXPECT_EQ(HostState().MaximizedArea, TRect(0, 0, 1280, 1000));
    FForm->SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(HostState().Maximized);
    // The window manager maximises (its keys, a double click on its frame).
    WindowManager(false, true);
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(FForm->BoundsRect(), TRect(0, 0, 1280, 1000));
    WindowManager(false, false);
    EXPECT_EQ(FForm->BoundsRect(), TRect::FromSize(50, 40, 400, 300));
}

TEST_F(WindowStateTest, AFormDesignedMinimisedShowsNormalWithoutAWindowManager) {
    FHost.SetWindowManager(false);
    FForm->SetWindowState(TWindowState::wsMinimized);
    ShowForm();
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsNormal);
    EXPECT_TRUE(HostState().Visible);
}

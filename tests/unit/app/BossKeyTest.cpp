// The boss key on the headless host with the scripted browser: the chord
// pressed from another program's window hides the main window and silences
// every tab; pressed again, it gives back the window, the tab and the sound.
#include "AppTestSupport.h"

#include "app/TBossKey.h"
#include "app/TFrmInternetOptions.h"
#include "app/TStateDump.h"
#include "gui/TEdit.h"
#include "gui/TLabel.h"
#include "gui/TSpeedButton.h"
#include "platform/Registry.h"
#include "services/TBossKeySetting.h"

class BossKeyTest : public AppTest {
protected:
    // Three tabs: the first plays, the second was muted by the user, the
    // third (active) is quiet.
    TFrmMain& StartWithThreeTabs() {
        TFrmMain& form = Start();
        form.OpenTab("about:blank");
        form.OpenTab("about:blank");
        Settle();
        EngineOf(TabBrowser(0)).PlayAudio(true);
        form.SetTabMuted(form.PclParent->PageAt(1), true);
        Settle();
        return form;
    }
    bool Press(int key = 'Z', TShiftState shift = ssCtrl | ssAlt) {
        bool held = FHost.PressGlobalKey(key, shift);
        Settle();
        return held;
    }
    bool Shown(TFrmMain& form) { return FHost.Window(form.HostWindow())->Visible; }
    bool Muted(int page) { return EngineOf(TabBrowser(page)).Muted(); }
    void StoreChord(const std::string& text) {
        platform::Registry reg(FRegistry);
        reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(std::string("\\") + TBossKeySetting::KeyPath, true));
        reg.WriteString(TBossKeySetting::ValueName, text);
    }
};

TEST_F(BossKeyTest, HidesAndSilencesThenGivesBackTheWindowTheTabAndOnlyItsOwnMutes) {
    TFrmMain& form = StartWithThreeTabs();
    ASSERT_EQ(form.PclParent->ActivePageIndex(), 2);
    const TRect bounds = form.BoundsRect();
    EXPECT_EQ(FHost.GlobalKey(), 'Z');
    EXPECT_EQ(FHost.GlobalKeyShift(), TShiftState(ssCtrl | ssAlt));

    ASSERT_TRUE(Press());
    EXPECT_FALSE(Shown(form));
    EXPECT_TRUE(Muted(0) && Muted(1) && Muted(2));
    EXPECT_EQ(form.PclParent->PageAt(0)->Sound(), TTabSound::Muted);
    EXPECT_TRUE(TBossKey::Of(&form)->Hidden());
    EXPECT_NE(TStateDump::Build(form).find(
                  "\"bossKey\":{\"chord\":\"Ctrl+Alt+Z\",\"grabbed\":true,\"hidden\":true"),
              std::string::npos);

    // A page closing itself meanwhile moved the selection; the chord puts it back.
    form.PclParent->SetActivePageIndex(0);
    Settle();
    ASSERT_TRUE(Press());
    EXPECT_TRUE(Shown(form));
    EXPECT_EQ(FHost.ActiveWindow(), form.HostWindow());
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 2);
    EXPECT_FALSE(Muted(0)) << "the playing tab has its sound back";
    EXPECT_TRUE(Muted(1)) << "muted by the user before, it stays muted";
    EXPECT_FALSE(Muted(2));
    EXPECT_EQ(form.PclParent->PageAt(0)->Sound(), TTabSound::Playing);
    EXPECT_EQ(FHost.WindowBounds(form.HostWindow()), bounds);
    EXPECT_FALSE(TBossKey::Of(&form)->Hidden());

    // Another round starts afresh from what the user has now.
    form.SetTabMuted(form.PclParent->PageAt(1), false);
    form.SetTabMuted(form.PclParent->PageAt(2), true);
    Press();
    Press();
    EXPECT_FALSE(Muted(0) || Muted(1));
    EXPECT_TRUE(Muted(2));
}

TEST_F(BossKeyTest, AMaximisedWindowComesBackMaximisedAndAClosedTabIsForgotten) {
    TFrmMain& form = StartWithThreeTabs();
    form.SetWindowState(TWindowState::wsMaximized);
    Settle();
    const TRect maximised = form.BoundsRect();
    Press();
    // The window manager drops the state of a window taken off the screen.
    FHost.WindowManagerState(form.HostWindow(), false, false);
    Settle();
    ASSERT_EQ(form.WindowState(), TWindowState::wsNormal);
    // The playing tab goes while the window is hidden.
    form.PclParent->SetActivePageIndex(0);
    form.N1Click(nullptr);
    form.PclParent->SetActivePageIndex(2);
    form.N1Click(nullptr);
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 2);
    Press();
    EXPECT_TRUE(Shown(form));
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
    EXPECT_TRUE(FHost.Window(form.HostWindow())->Maximized);
    EXPECT_EQ(form.BoundsRect(), maximised);
    EXPECT_TRUE(Muted(1)) << "the user's mute stays";
}

TEST_F(BossKeyTest, ADialogOpenOverTheWindowGoesAndComesBackOnTopWithIt) {
    TFrmMain& form = Start();
    TFrmInternetOptions dialog(nullptr);
    dialog.Show();
    Settle();
    TFrmInternetOptions closed(nullptr);
    closed.Show();
    Settle();
    closed.Close();
    Settle();
    ASSERT_TRUE(FHost.Window(dialog.HostWindow())->Visible);

    Press();
    EXPECT_FALSE(Shown(form));
    EXPECT_FALSE(FHost.Window(dialog.HostWindow())->Visible);
    EXPECT_TRUE(dialog.Visible()) << "still open for the program";

    Press();
    EXPECT_TRUE(Shown(form));
    EXPECT_TRUE(FHost.Window(dialog.HostWindow())->Visible);
    EXPECT_EQ(FHost.ActiveWindow(), dialog.HostWindow()) << "the dialog keeps the keyboard";
    EXPECT_FALSE(FHost.Window(closed.HostWindow())->Visible) << "a closed dialog stays closed";

    // Closed while the window was hidden, it is not brought back.
    Press();
    dialog.Close();
    Settle();
    Press();
    EXPECT_TRUE(Shown(form));
    EXPECT_FALSE(FHost.Window(dialog.HostWindow())->Visible);
    EXPECT_EQ(FHost.ActiveWindow(), form.HostWindow());
}

TEST_F(BossKeyTest, OnlyTheHeldChordCountsAndTheStoredOneIsTakenAtStart) {
    StoreChord("shift+ctrl+f9");
    TFrmMain& form = Start();
    EXPECT_EQ(TBossKey::Of(&form)->Chord().Text(), "Shift+Ctrl+F9");
    EXPECT_FALSE(Press('Z', ssCtrl | ssAlt));
    EXPECT_FALSE(Press(VK_F1 + 8, ssCtrl));
    EXPECT_TRUE(Shown(form));
    EXPECT_TRUE(Press(VK_F1 + 8, ssCtrl | ssShift));
    EXPECT_FALSE(Shown(form));
}

TEST_F(BossKeyTest, ADamagedStoredChordFallsBackToTheDefault) {
    StoreChord("Z");
    TFrmMain& form = Start();
    EXPECT_EQ(TBossKey::Of(&form)->Chord().Text(), "Ctrl+Alt+Z");
    EXPECT_EQ(FHost.GlobalKey(), 'Z');
}

TEST_F(BossKeyTest, TheOptionsDialogSetsTheChordAndRefusesWhatIsNone) {
    TFrmMain& form = Start();
    TFrmInternetOptions dialog(nullptr);
    EXPECT_EQ(dialog.edtBossKey->Text(), "Ctrl+Alt+Z");
    EXPECT_EQ(dialog.labBossStatus->Caption(), "");

    dialog.edtBossKey->SetText("B");
    dialog.btnBossKey->Click();
    EXPECT_EQ(dialog.labBossStatus->Caption(),
              "无法识别“B”：组合键须含 Ctrl 或 Alt，如 Ctrl+Alt+Z。");
    EXPECT_EQ(FHost.GlobalKey(), 'Z');

    dialog.edtBossKey->SetText(" alt+shift+b ");
    dialog.btnBossKey->Click();
    EXPECT_EQ(dialog.edtBossKey->Text(), "Shift+Alt+B");
    EXPECT_EQ(dialog.labBossStatus->Caption(), "老板键已设为 Shift+Alt+B。");
    EXPECT_EQ(TBossKeySetting().Read().Text(), "Shift+Alt+B");
    EXPECT_FALSE(Press('Z', ssCtrl | ssAlt)) << "the old chord is given up";
    EXPECT_TRUE(Press('B', ssShift | ssAlt));
    EXPECT_FALSE(Shown(form));
}

TEST_F(BossKeyTest, WithoutAGlobalGrabTheDialogSaysWhyAndTheProgramGoesOn) {
    FHost.SetGlobalKeyAnswer(TGlobalKeyGrab::Taken);
    TFrmMain& form = Start();
    TBossKey* bossKey = TBossKey::Of(&form);
    EXPECT_FALSE(bossKey->Grabbed());
    EXPECT_NE(
        TStateDump::Build(form).find("\"bossKey\":{\"chord\":\"Ctrl+Alt+Z\",\"grabbed\":false"),
        std::string::npos);
    TFrmInternetOptions dialog(nullptr);
    EXPECT_EQ(dialog.labBossStatus->Caption(),
              "老板键无法在此桌面上全局使用：另一个程序已占用 Ctrl+Alt+Z。");

    FHost.SetGlobalKeyAnswer(TGlobalKeyGrab::Unsupported);
    dialog.edtBossKey->SetText("Ctrl+Alt+X");
    dialog.btnBossKey->Click();
    EXPECT_EQ(dialog.labBossStatus->Caption(),
              "老板键无法在此桌面上全局使用：此桌面不允许程序使用全局快捷键（没有 X11 显示）。");
    EXPECT_EQ(TBossKeySetting().Read().Text(), "Ctrl+Alt+X") << "kept for a desktop that allows it";
    EXPECT_TRUE(FHost.MessageBoxes().empty());
}

TEST_F(BossKeyTest, APageThatStartsPlayingWhileHiddenIsSilencedWithTheRest) {
    TFrmMain& form = StartWithThreeTabs();
    Press();
    // A quiet tab starts a tune, and a page opens a new tab that plays.
    EngineOf(TabBrowser(2)).PlayAudio(true);
    form.OpenBackgroundTab("about:blank");
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 4);
    EXPECT_TRUE(Muted(2));
    EngineOf(TabBrowser(3)).PlayAudio(true);
    Settle();
    EXPECT_TRUE(Muted(3));
    Press();
    EXPECT_FALSE(Muted(0) || Muted(2) || Muted(3));
    EXPECT_TRUE(Muted(1));
    EXPECT_EQ(form.PclParent->PageAt(3)->Sound(), TTabSound::Playing);
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/TApplicationEvents.h"
#include "gui/TForm.h"
#include "gui/TTimer.h"

namespace {

// A window that records what reaches it.
class TRecorder : public TMessageTarget {
public:
    void WndProc(TMessage& m) override {
        Seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 1) throw Exception("页面出错了");
        m.Result = 7;
    }
    std::vector<uint32_t> Seen;
};

} // namespace

using ApplicationTest = GuiTest;

TEST_F(ApplicationTest, HooksSeeEveryMessageInCreationOrderBeforeItsWindow) {
    TRecorder window;
    HWND hwnd = FApp->AllocateHandle(&window);
    std::string order;
    TComponent owner(nullptr);
    auto* first = new TApplicationEvents(&owner);
    auto* second = new TApplicationEvents(&owner);
    first->OnMessage = [&](TMsg& msg, bool& handled) {
        order += "1";
        if (msg.message == WM_KEYDOWN) handled = true;
    };
    second->OnMessage = [&](TMsg& msg, bool& handled) {
        order += handled ? "2h" : "2";
        EXPECT_EQ(msg.hwnd, hwnd);
    };
    FApp->PostMessage(hwnd, WM_USER + 5);
    FApp->PostMessage(hwnd, WM_KEYDOWN, VK_TAB);
    FApp->ProcessMessages();
    EXPECT_EQ(order, "1212h");
    // The handled key never reached the window.
    EXPECT_EQ(window.Seen, (std::vector<uint32_t>{WM_USER + 5}));
    FApp->ReleaseHandle(hwnd);
}

TEST_F(ApplicationTest, AnEscapedErrorIsReportedAndTheLoopGoesOn) {
    TRecorder window;
    HWND hwnd = FApp->AllocateHandle(&window);
    FApp->PostMessage(hwnd, WM_USER + 1);
    FApp->PostMessage(hwnd, WM_USER + 2);
    FApp->ProcessMessages();
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Text, "页面出错了");
    EXPECT_EQ(FHost.MessageBoxes()[0].Caption, "test");
    EXPECT_EQ(window.Seen, (std::vector<uint32_t>{WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(FApp->SendMessage(hwnd, WM_USER + 3), 7);
    FApp->ReleaseHandle(hwnd);
}

TEST_F(ApplicationTest, MessagesToAReleasedHandleAreDropped) {
    auto* window = new TRecorder;
    HWND hwnd = FApp->AllocateHandle(window);
    FApp->PostMessage(hwnd, WM_USER);
    FApp->ReleaseHandle(hwnd);
    delete window;
    FApp->ProcessMessages(); // must not touch the freed window
    EXPECT_EQ(FApp->SendMessage(hwnd, WM_USER), 0);
}

TEST_F(ApplicationTest, TimerFiresOnTheVirtualClockThroughTheQueue) {
    TComponent owner(nullptr);
    auto* timer = new TTimer(&owner);
    timer->SetInterval(10000);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    auto* hook = new TApplicationEvents(&owner);
    int timerMessages = 0;
    hook->OnMessage = [&](TMsg& msg, bool&) {
        if (msg.message == WM_TIMER) ++timerMessages;
    };
    FHost.AdvanceClock(9999);
    FApp->ProcessMessages();
    EXPECT_EQ(ticks, 0);
    FHost.AdvanceClock(1);
    FApp->ProcessMessages();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timerMessages, 1);
    FHost.AdvanceClock(10000);
    FApp->ProcessMessages();
    EXPECT_EQ(ticks, 2);
}

TEST_F(ApplicationTest, DisablingATimerInItsHandlerMakesItOneShot) {
    TComponent owner(nullptr);
    auto* timer = new TTimer(&owner);
    timer->SetInterval(100);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) {
        ++ticks;
        timer->SetEnabled(false);
    };
    for (int i = 0; i < 5; ++i) {
        FHost.AdvanceClock(100);
        FApp->ProcessMessages();
    }
    EXPECT_EQ(ticks, 1);
}

TEST_F(ApplicationTest, ATimerWhoseMessageIsStillQueuedIsNotPostedAgain) {
    TComponent owner(nullptr);
    auto* timer = new TTimer(&owner);
    timer->SetInterval(10);
    int ticks = 0;
    timer->OnTimer = [&](TObject*) { ++ticks; };
    TRecorder window;
    HWND hwnd = FApp->AllocateHandle(&window);
    // A handler that runs long: the clock passes three intervals meanwhile.
    auto* hook = new TApplicationEvents(&owner);
    hook->OnMessage = [&](TMsg& msg, bool&) {
        if (msg.message == WM_USER + 9) FHost.AdvanceClock(35);
    };
    FHost.AdvanceClock(10);
    FApp->PostMessage(hwnd, WM_USER + 9);
    FApp->ProcessMessages();
    EXPECT_EQ(ticks, 1); // three intervals passed, one WM_TIMER
    FApp->ReleaseHandle(hwnd);
}

TEST_F(ApplicationTest, QueuedCallbacksRunInOrderAfterWhatIsQueued) {
    TRecorder window;
    HWND hwnd = FApp->AllocateHandle(&window);
    std::string order;
    FApp->PostMessage(hwnd, WM_USER + 4);
    FApp->Queue([&] { order += "a" + std::to_string(window.Seen.size()); });
    FApp->Queue([&] { order += "b"; });
    FApp->ProcessMessages();
    EXPECT_EQ(order, "a1b");
    FApp->ReleaseHandle(hwnd);
}

TEST_F(ApplicationTest, KeyDownWithACharacterIsTranslatedToWmChar) {
    TRecorder window;
    HWND hwnd = FApp->AllocateHandle(&window);
    TMsg msg;
    msg.hwnd = hwnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'A';
    msg.Char = u'a';
    FApp->PostMsg(msg);
    FApp->PostMessage(hwnd, WM_KEYUP, 'A');
    FApp->ProcessMessages();
    EXPECT_EQ(window.Seen, (std::vector<uint32_t>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    FApp->ReleaseHandle(hwnd);
}

TEST_F(ApplicationTest, MessageBoxAnswersAreScriptedAndLogged) {
    FHost.QueueMessageBoxAnswer(IDNO);
    int answer = FApp->MessageBox("您确定退出整个星帆吗！", "确认退出", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(FApp->MessageBox("x", "y", MB_YESNO), IDYES);
    ASSERT_EQ(FHost.MessageBoxes().size(), 2u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Flags, MB_YESNO | MB_ICONQUESTION);
}

TEST(ApplicationLifetime, FormsOwnedByOtherFormsGoOnceWithTheApplication) {
    RegisterStandardClasses();
    THeadlessHost host;
    auto app = std::make_unique<TApplication>(&host);
    auto* main = new TForm(nullptr);
    auto* dialog = new TForm(main);
    dialog->SetName("frmabout");
    app->SetMainForm(main);
    EXPECT_EQ(app->Forms().size(), 2u);
    app.reset(); // ASan reports a second delete of the dialog if it happens
    SUCCEED();
}

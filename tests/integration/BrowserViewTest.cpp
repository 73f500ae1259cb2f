// The browser's native view in its window, the keyboard focus, and keys
// offered to the page by the application's hook.
#include "BrowserTestSupport.h"
#include "gui/TApplicationEvents.h"

using namespace browsertest;

namespace {

class BrowserViewTest : public BrowserTest {
protected:
    BrowserViewTest() {
        FOther = new TWinControl(FForm);
        FOther->SetBounds(0, 0, 10, 10);
        FOther->SetTabStop(true);
        FOther->SetParent(FForm);
        FOther->OnKeyDown = [this](TObject*, int& key, TShiftState) { FOtherKeys.push_back(key); };
    }

    // The keyboard hook of the main window: Tab, Enter and the extended
    // editing keys are offered to the active page first; a key the page
    // does not take goes straight to its window.
    void InstallKeyHook(TWebBrowser* active) {
        auto* hook = new TApplicationEvents(FForm);
        hook->OnMessage = [this, active](TMsg& msg, bool& handled) {
            handled = false;
            if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return;
            int key = static_cast<int>(msg.wParam);
            bool extended = msg.lParam & KF_EXTENDED_BIT;
            bool forwarded = key == VK_TAB || key == VK_RETURN ||
                             (extended && (key == VK_BACK || key == VK_LEFT || key == VK_RIGHT ||
                                           key == VK_DELETE));
            if (!forwarded) return;
            handled = true;
            if (active->Application()->TranslateAccelerator(msg) == S_OK) return;
            FApp->TranslateMessage(msg);
            FApp->DispatchMessage(msg);
        };
    }
    void Key(int key, LPARAM data = 0) {
        FHost.KeyEvent(Window(), WM_KEYDOWN, key, data);
        FHost.KeyEvent(Window(), WM_KEYUP, key, data | (LPARAM(3) << 30));
        Pump();
    }
    std::vector<uintptr_t> PageKeys(TWebBrowser* browser) {
        std::vector<uintptr_t> keys;
        for (const auto& k : Fake(browser).Keys())
            if (k.Message == WM_KEYDOWN) keys.push_back(k.WParam);
        return keys;
    }

    TWinControl* FOther = nullptr;
    std::vector<int> FOtherKeys;
};

} // namespace

TEST_F(BrowserViewTest, TheViewFollowsTheControlInItsWindow) {
    void* view = FForm->webMain->Engine().NativeView();
    const auto* placed = FHost.NativeView(view);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->Window, FForm->HostWindow());
    EXPECT_EQ(placed->Rect, (TRect{200, 0, 640, 480}));
    EXPECT_TRUE(placed->Visible);

    FForm->webSide->SetWidth(250);
    EXPECT_EQ(FHost.NativeView(view)->Rect, (TRect{250, 0, 640, 480}));
    FForm->webMain->Hide();
    EXPECT_FALSE(FHost.NativeView(view)->Visible);
    FForm->webMain->Show();
    EXPECT_TRUE(FHost.NativeView(view)->Visible);
    FForm->Hide();
    EXPECT_FALSE(FHost.NativeView(view)->Visible);
    FForm->Show();

    delete FForm->webMain;
    FForm->webMain = nullptr;
    EXPECT_EQ(FHost.NativeView(view), nullptr);
}

TEST_F(BrowserViewTest, AViewWaitsForItsWindowToShow) {
    TForm hidden(nullptr);
    auto* browser = new TWebBrowser(&hidden);
    browser->SetParent(&hidden);
    browser->SetAlign(TAlign::alClient);
    EXPECT_EQ(FHost.NativeView(browser->Engine().NativeView()), nullptr);
    hidden.SetBounds(0, 0, 300, 200);
    hidden.Show();
    const auto* placed = FHost.NativeView(browser->Engine().NativeView());
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->Window, hidden.HostWindow());
    EXPECT_TRUE(placed->Visible);
}

TEST_F(BrowserViewTest, FocusGoesToTheViewAndAClickIntoThePageMakesItTheActiveControl) {
    FOther->SetFocus();
    FForm->webMain->SetFocus();
    EXPECT_EQ(FHost.FocusedView, FForm->webMain->Engine().NativeView());
    EXPECT_TRUE(Fake(FForm->webMain).HasFocus());

    FOther->SetFocus();
    Fake(FForm->webSide).ClickIntoPage();
    EXPECT_EQ(FForm->ActiveControl(), FOther); // not from inside the engine's callback
    Pump();
    EXPECT_EQ(FForm->ActiveControl(), FForm->webSide);
}

TEST_F(BrowserViewTest, TabAndEnterGoToTheFocusedPageAndNotToTheWindow) {
    InstallKeyHook(FForm->webMain);
    FForm->webMain->SetFocus();
    Key(VK_TAB);
    Key(VK_RETURN);
    Key(VK_LEFT, KF_EXTENDED_BIT);
    EXPECT_EQ(PageKeys(FForm->webMain), (std::vector<uintptr_t>{VK_TAB, VK_RETURN, VK_LEFT}));
    // Tab did not move the focus to the next control.
    EXPECT_EQ(FForm->ActiveControl(), FForm->webMain);
    // Keys the hook leaves alone reach the page through its window.
    Key('A');
    EXPECT_EQ(PageKeys(FForm->webMain).back(), uintptr_t('A'));
}

TEST_F(BrowserViewTest, KeysForAnotherControlAreNotThePages) {
    InstallKeyHook(FForm->webMain);
    FOther->SetFocus();
    Key(VK_RETURN);
    Key(VK_TAB);
    EXPECT_TRUE(PageKeys(FForm->webMain).empty());
    EXPECT_EQ(FOtherKeys.front(), VK_RETURN);
    // Tab went on to the window's own handling and moved the focus.
    EXPECT_NE(FForm->ActiveControl(), FOther);

    TMsg msg;
    msg.hwnd = FOther->Handle();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    EXPECT_EQ(FForm->webMain->Application()->TranslateAccelerator(msg), S_FALSE);
    msg.hwnd = FForm->webMain->Handle();
    msg.message = WM_TIMER;
    EXPECT_EQ(FForm->webMain->Application()->TranslateAccelerator(msg), S_FALSE);
}

TEST_F(BrowserViewTest, AShortcutOfTheWindowDoesNotSwallowAKeyOfTheFocusedPage) {
    int shortcuts = 0;
    TCustomForm::ShortCutHandler = [&](TCustomForm*, int key, TShiftState shift) {
        if (key != 'C' || !(shift & ssCtrl)) return false;
        ++shortcuts;
        return true;
    };
    FForm->webMain->SetFocus();
    FHost.KeyEvent(Window(), WM_KEYDOWN, VK_CONTROL);
    Key('C');
    FHost.KeyEvent(Window(), WM_KEYUP, VK_CONTROL);
    Pump();
    TCustomForm::ShortCutHandler = nullptr;
    EXPECT_EQ(shortcuts, 1);
    std::vector<uintptr_t> keys = PageKeys(FForm->webMain);
    EXPECT_NE(std::find(keys.begin(), keys.end(), uintptr_t('C')), keys.end());
}

TEST_F(BrowserViewTest, CtrlFOpensTheFindBarOfTheFocusedPage) {
    FForm->webMain->SetFocus();
    Key('F');
    EXPECT_FALSE(Fake(FForm->webMain).FindBarShown());
    FHost.KeyEvent(Window(), WM_KEYDOWN, VK_CONTROL);
    Key('F');
    FHost.KeyEvent(Window(), WM_KEYUP, VK_CONTROL);
    Pump();
    EXPECT_TRUE(Fake(FForm->webMain).FindBarShown());
    EXPECT_FALSE(Fake(FForm->webSide).FindBarShown());
}

TEST_F(BrowserViewTest, TheLayoutClassIsRegisteredWithItsEvents) {
    const TClassInfo* cls = FindClass("TWebBrowser");
    ASSERT_NE(cls, nullptr);
    for (const char* event : {"OnBeforeNavigate2", "OnNewWindow2", "OnTitleChange",
                              "OnStatusTextChange", "OnDocumentComplete"}) {
        const TPropInfo* prop = cls->FindProperty(event);
        ASSERT_NE(prop, nullptr) << event;
        EXPECT_EQ(prop->Kind, TPropKind::Event);
    }
    EXPECT_TRUE(FForm->webMain->TabStop());
}

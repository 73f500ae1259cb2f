// The browser control's events on the scripted engine: what arrives, in
// which order, and when.
#include "BrowserTestSupport.h"
#include "gui/TApplicationEvents.h"

using namespace browsertest;
using platform::TFakeAction;
using platform::TFakePage;
using Strings = std::vector<std::string>;

namespace {

TFakePage Titled(const std::string& title) {
    TFakePage page;
    page.Title = title;
    return page;
}

TFakeAction Script(TFakeAction::TKind kind, const std::string& arg = "") {
    return {kind, arg};
}

} // namespace

TEST_F(BrowserTest, NavigateReturnsAtOnceAndTheEventsFollowFromTheQueue) {
    FFactory.AddPage("http://game.example/", Titled("星帆游戏"));
    FForm->webMain->Navigate("game.example/");
    EXPECT_TRUE(FForm->Log.empty());
    EXPECT_EQ(FForm->webMain->LocationURL(), "http://game.example/");
    Pump();
    EXPECT_EQ(LogOf(FForm->webMain), (Strings{"navigate:http://game.example/", "title:星帆游戏",
                                              "complete:http://game.example/"}));
    EXPECT_EQ(FForm->webMain->LocationName(), "星帆游戏");
    EXPECT_TRUE(LogOf(FForm->webSide).empty());
}

TEST_F(BrowserTest, ABlankPageIsNamedByItsAddress) {
    EXPECT_EQ(FForm->webMain->LocationURL(), "about:blank");
    FForm->webMain->Navigate("about:blank");
    Pump();
    EXPECT_EQ(LogOf(FForm->webMain),
              (Strings{"navigate:about:blank", "title:about:blank", "complete:about:blank"}));
    EXPECT_EQ(FForm->webMain->LocationName(), "about:blank");
}

TEST_F(BrowserTest, AHandlerMayDestroyItsBrowserFromAQueuedEvent) {
    TFakePage page = Titled("first");
    page.OnLoad = {Script(TFakeAction::TKind::SetTitle, "second"),
                   Script(TFakeAction::TKind::StatusText, "never shown")};
    FFactory.AddPage("http://a.example/", page);
    FForm->TitleChange = [&](TWebBrowser* browser, const std::string&) {
        if (browser == FForm->webMain) {
            FForm->webMain = nullptr;
            delete browser;
        }
    };
    TWebBrowser* main = FForm->webMain;
    void* view = main->Engine().NativeView();
    main->Navigate("http://a.example/");
    Pump();
    // The first title ran the handler, which freed the control; what the
    // page did after that never reached a handler.
    EXPECT_EQ(FForm->Log, (Strings{"webMain navigate:http://a.example/", "webMain title:first"}));
    EXPECT_EQ(FHost.NativeView(view), nullptr);
}

TEST_F(BrowserTest, CancellingBeforeNavigateKeepsThePage) {
    FFactory.AddPage("file:///opt/xf/Fav.htm", Titled("我的收藏夹"));
    FForm->webSide->Navigate("/opt/xf/Fav.htm");
    Pump();
    FForm->BeforeNavigate = [](TWebBrowser*, const std::string& url, bool& cancel) {
        cancel = url.find("Fav") == std::string::npos;
    };
    ClearLog();
    Fake(FForm->webSide).ClickLink("http://www.example.com/news");
    Pump();
    EXPECT_EQ(FForm->Log, (Strings{"webSide navigate:http://www.example.com/news"}));
    EXPECT_EQ(FForm->webSide->LocationURL(), "file:///opt/xf/Fav.htm");
    EXPECT_EQ(Fake(FForm->webSide).History(), (Strings{"file:///opt/xf/Fav.htm"}));
    EXPECT_FALSE(Fake(FForm->webSide).Loading());
}

TEST_F(BrowserTest, FrameNavigationsAreReportedToo) {
    TFakePage page = Titled("有框架");
    page.Frames = {"http://ads.example/frame1", "http://ads.example/frame2"};
    FFactory.AddPage("http://portal.example/", page);
    Strings cancelled;
    FForm->BeforeNavigate = [&](TWebBrowser*, const std::string& url, bool& cancel) {
        cancel = url.find("frame1") != std::string::npos;
    };
    FForm->webMain->Navigate("http://portal.example/");
    Pump();
    EXPECT_EQ(LogOf(FForm->webMain),
              (Strings{"navigate:http://portal.example/", "navigate:http://ads.example/frame1",
                       "navigate:http://ads.example/frame2", "title:有框架",
                       "complete:http://portal.example/"}));
}

TEST_F(BrowserTest, AnErrorInASynchronousHandlerIsReportedLaterAndTheEngineGoesOn) {
    FForm->BeforeNavigate = [](TWebBrowser*, const std::string&, bool&) {
        throw Exception("处理导航时出错");
    };
    FForm->webMain->Navigate("http://b.example/");
    Pump();
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Text, "处理导航时出错");
    // The failed handler did not cancel: the page loaded.
    EXPECT_EQ(LogOf(FForm->webMain).back(), "complete:http://b.example/");
}

TEST_F(BrowserTest, NewWindowOpensInTheBrowserWhoseAutomationObjectTheHandlerGives) {
    TFakePage opener = Titled("大厅");
    opener.OnLoad = {Script(TFakeAction::TKind::OpenWindow, "http://game.example/room")};
    FFactory.AddPage("http://game.example/", opener);
    FFactory.AddPage("http://game.example/room", Titled("房间"));
    TWebBrowser* tab = nullptr;
    FForm->NewWindow = [&](TWebBrowser*, IBrowserAutomation*& ppDisp, bool&) {
        // What a new tab does: a new browser on the pending address, then
        // its automation object handed back.
        tab = new TWebBrowser(FForm);
        tab->SetName("webTab");
        tab->SetBounds(200, 0, 440, 480);
        tab->SetParent(FForm);
        tab->OnBeforeNavigate2 = [&](TObject* s, const std::string& u, bool& c) {
            FForm->WebBeforeNavigate2(s, u, c);
        };
        tab->OnTitleChange = [&](TObject* s, const std::string& t) { FForm->WebTitleChange(s, t); };
        tab->Navigate("about:blank");
        ppDisp = tab->Application();
    };
    FForm->webMain->Navigate("http://game.example/");
    Pump();
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->LocationURL(), "http://game.example/room");
    // The popup's own request loaded there; the pending blank page never did.
    EXPECT_EQ(LogOf(tab), (Strings{"navigate:http://game.example/room", "title:房间"}));
    EXPECT_EQ(Fake(tab).Opener(), &Fake(FForm->webMain));
    // The page lives in a view of its own, which the control put in place.
    const auto* view = FHost.NativeView(tab->Engine().NativeView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Rect, tab->WindowRectInForm());
    EXPECT_TRUE(view->Visible);
}

TEST_F(BrowserTest, NewWindowWithoutATargetOrCancelledIsRefused) {
    TFakePage opener;
    opener.OnLoad = {Script(TFakeAction::TKind::OpenWindow, "http://x.example/a")};
    FFactory.AddPage("http://x.example/", opener);
    int created = FFactory.CreatedCount();
    FForm->webMain->Navigate("http://x.example/");
    Pump();
    FForm->NewWindow = [&](TWebBrowser*, IBrowserAutomation*& ppDisp, bool& cancel) {
        ppDisp = FForm->webSide->Application();
        cancel = true;
    };
    FForm->webMain->Refresh();
    Pump();
    EXPECT_EQ(
        Fake(FForm->webMain).Commands(),
        (Strings{"PopupRefused http://x.example/a", "Refresh", "PopupRefused http://x.example/a"}));
    EXPECT_EQ(FForm->webSide->LocationURL(), "about:blank");
    EXPECT_EQ(FFactory.CreatedCount(), created);
}

TEST_F(BrowserTest, APageThatClosesItselfPostsWmCloseToTheControl) {
    TFakePage page;
    page.OnLoad = {Script(TFakeAction::TKind::CloseWindow)};
    FFactory.AddPage("http://close.example/", page);
    std::vector<HWND> closes;
    auto* hook = new TApplicationEvents(FForm);
    hook->OnMessage = [&](TMsg& msg, bool&) {
        if (msg.message == WM_CLOSE) closes.push_back(msg.hwnd);
    };
    FForm->webMain->Navigate("http://close.example/");
    Pump();
    EXPECT_EQ(closes, std::vector<HWND>{FForm->webMain->Handle()});
    EXPECT_TRUE(FForm->Visible()); // the message went on to the control, which stays
    EXPECT_EQ(FForm->webMain->LocationURL(), "http://close.example/");

    // A page the user came to by navigating may not close its window.
    closes.clear();
    FForm->webMain->Navigate("http://other.example/");
    Pump();
    FForm->webMain->Navigate("http://close.example/");
    Pump();
    EXPECT_TRUE(closes.empty());
}

TEST_F(BrowserTest, StatusTextComesThroughTheQueue) {
    FForm->webMain->Navigate("http://s.example/");
    Pump();
    ClearLog();
    Fake(FForm->webMain).HoverLink("http://s.example/game?id=1");
    EXPECT_TRUE(FForm->Log.empty());
    Pump();
    Fake(FForm->webMain).HoverLink("");
    Fake(FForm->webMain).RunScript(Script(TFakeAction::TKind::StatusText, "欢迎"));
    Pump();
    EXPECT_EQ(FForm->Log, (Strings{"webMain status:http://s.example/game?id=1",
                                   "webMain status:", "webMain status:欢迎"}));
}

TEST_F(BrowserTest, EventsQueuedForADestroyedBrowserAreDropped) {
    FForm->webMain->Navigate("http://s.example/");
    Pump();
    ClearLog();
    TWebBrowser* main = FForm->webMain;
    Fake(main).HoverLink("http://s.example/x");
    Fake(main).RunScript(Script(TFakeAction::TKind::SetTitle, "late"));
    FForm->webMain = nullptr;
    delete main;
    Pump();
    EXPECT_TRUE(FForm->Log.empty());
}

TEST_F(BrowserTest, ADeadPageShowsTheErrorPageInThatBrowserOnly) {
    FFactory.AddPage("http://a.example/", Titled("甲"));
    FForm->webMain->Navigate("http://a.example/");
    FForm->webSide->Navigate("http://a.example/");
    Pump();
    ClearLog();
    Fake(FForm->webMain).Crash();
    Pump();
    EXPECT_EQ(FForm->Log,
              (Strings{"webMain title:无法显示网页", "webMain complete:http://a.example/"}));
    EXPECT_EQ(FForm->webSide->LocationName(), "甲");
    ASSERT_TRUE(FForm->webMain->Document().BodyOuterHTML.has_value());
    EXPECT_NE(FForm->webMain->Document().BodyOuterHTML->find("http://a.example/"),
              std::string::npos);
    FForm->webMain->Refresh();
    Pump();
    EXPECT_EQ(FForm->webMain->LocationName(), "甲");
}

TEST_F(BrowserTest, WithoutAnEngineFactoryNoBrowserCanBeMade) {
    platform::SetBrowserEngineFactory(nullptr);
    EXPECT_THROW(TWebBrowser browser(nullptr), EComponentError);
    platform::SetBrowserEngineFactory(&FFactory);
}

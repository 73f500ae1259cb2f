// The browser control over the WebKit engine in a real window of the GTK
// host: the events the control reports for real pages, and when.
#include <gtest/gtest.h>

#include <memory>

#include "WebKitTestSupport.h"
#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TApplicationEvents.h"
#include "gui/TForm.h"
#include "gui/TWebBrowser.h"
#include "gui/host/gtk/TGtkHost.h"
#include "platform/browser/webkit/TWebKitEngine.h"
#include "platform/browser/webkit/TWebKitFactory.h"

using namespace e2e;
using platform::TWebKitEngine;
using Strings = std::vector<std::string>;

namespace {

class WebBrowserAdapterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterStandardClasses();
        gHost = new TGtkHost;
        gFactory = new platform::TWebKitFactory;
    }
    static void TearDownTestSuite() {
        delete gFactory;
        delete gHost;
    }

    WebBrowserAdapterTest() : FApp(std::make_unique<TApplication>(gHost)) {
        platform::SetBrowserEngineFactory(gFactory);
        FForm = new TForm(nullptr);
        FForm->SetBounds(0, 0, 800, 600);
        FMain = AddBrowser("webMain", 0, 0, 400, 600);
        FForm->Show();
    }
    ~WebBrowserAdapterTest() override {
        delete FForm;
        FApp.reset();
        platform::SetBrowserEngineFactory(nullptr);
    }

    // A browser logging every event as "<name> <event>:<value>".
    TWebBrowser* AddBrowser(const std::string& name, int x, int y, int w, int h) {
        auto* browser = new TWebBrowser(FForm);
        browser->SetName(name);
        browser->SetBounds(x, y, w, h);
        browser->SetParent(FForm);
        browser->OnBeforeNavigate2 = [this, name](TObject*, const std::string& url, bool&) {
            // Answered inside WebKit's own callback.
            FInsideOnNavigate = FInsideOnNavigate && TWebKitEngine::InsideCallback();
            FLog.push_back(name + " navigate:" + url);
        };
        browser->OnTitleChange = [this, name](TObject*, const std::string& title) {
            // Queued: never inside WebKit's callback.
            FOutsideOnQueued = FOutsideOnQueued && !TWebKitEngine::InsideCallback();
            FLog.push_back(name + " title:" + title);
        };
        browser->OnStatusTextChange = [this, name](TObject*, const std::string& text) {
            FOutsideOnQueued = FOutsideOnQueued && !TWebKitEngine::InsideCallback();
            FLog.push_back(name + " status:" + text);
        };
        browser->OnDocumentComplete = [this, name](TObject*, IBrowserAutomation*,
                                                   const std::string& url) {
            FOutsideOnQueued = FOutsideOnQueued && !TWebKitEngine::InsideCallback();
            FLog.push_back(name + " complete:" + url);
        };
        return browser;
    }
    bool Logged(const std::string& line, int timeoutMs = 10000) {
        return Run([&] { return std::find(FLog.begin(), FLog.end(), line) != FLog.end(); },
                   timeoutMs);
    }
    bool Run(const std::function<bool()>& done, int timeoutMs = 10000) {
        return RunUntil(
            [&] {
                FApp->ProcessMessages();
                return done();
            },
            timeoutMs);
    }

    static TGtkHost* gHost;
    static platform::TWebKitFactory* gFactory;
    std::unique_ptr<TApplication> FApp;
    TForm* FForm = nullptr;
    TWebBrowser* FMain = nullptr;
    Strings FLog;
    bool FInsideOnNavigate = true;
    bool FOutsideOnQueued = true;
};

TGtkHost* WebBrowserAdapterTest::gHost = nullptr;
platform::TWebKitFactory* WebBrowserAdapterTest::gFactory = nullptr;

TEST_F(WebBrowserAdapterTest, TitleEventsOfARealPageComeFromTheQueue) {
    FMain->Navigate(PagePath("title.htm"));
    ASSERT_TRUE(Logged("webMain title:改过的标题"));
    EXPECT_EQ(FLog.front(), "webMain navigate:" + PageURL("title.htm"));
    EXPECT_NE(std::find(FLog.begin(), FLog.end(), "webMain title:第一页"), FLog.end());
    EXPECT_NE(std::find(FLog.begin(), FLog.end(), "webMain complete:" + PageURL("title.htm")),
              FLog.end());
    EXPECT_TRUE(FInsideOnNavigate);
    EXPECT_TRUE(FOutsideOnQueued);
    EXPECT_EQ(FMain->LocationName(), "改过的标题");
    // Read at a safe point: a fresh answer from the page.
    auto body = FMain->Document().BodyOuterHTML;
    ASSERT_TRUE(body.has_value());
    EXPECT_NE(body->find("这一页加载后会改自己的标题。"), std::string::npos);
}

TEST_F(WebBrowserAdapterTest, WindowOpenAndTargetBlankOpenInTheBrowserTheHandlerNames) {
    std::vector<TWebBrowser*> tabs;
    FMain->OnNewWindow2 = [&](TObject*, IBrowserAutomation*& ppDisp, bool&) {
        TWebBrowser* tab = AddBrowser("webTab" + std::to_string(tabs.size()), 400, 0, 400, 600);
        tab->Navigate("about:blank");
        tabs.push_back(tab);
        ppDisp = tab->Application();
    };
    FMain->Navigate(PageURL("open.htm"));
    ASSERT_TRUE(Logged("webTab0 title:弹出页:有打开者"));
    EXPECT_TRUE(Logged("webMain title:打开窗口:已打开"));
    EXPECT_EQ(tabs[0]->LocationURL(), PageURL("popup.htm"));

    FMain->Navigate(PageURL("blank_target.htm"));
    ASSERT_TRUE(Logged("webTab1 title:弹出页:无打开者"));
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[1]->LocationURL(), PageURL("popup.htm"));
    EXPECT_TRUE(FOutsideOnQueued);
}

TEST_F(WebBrowserAdapterTest, APageClosingItselfPostsWmCloseToTheControl) {
    std::vector<HWND> closes;
    auto* hook = new TApplicationEvents(FForm);
    hook->OnMessage = [&](TMsg& msg, bool&) {
        if (msg.message == WM_CLOSE) closes.push_back(msg.hwnd);
    };
    FMain->Navigate(PageURL("close.htm"));
    ASSERT_TRUE(Run([&] { return !closes.empty(); }));
    EXPECT_EQ(closes, std::vector<HWND>{FMain->Handle()});
}

TEST_F(WebBrowserAdapterTest, HoverShowsStatusTextAndAClickFocusesTheBrowser) {
    TWinControl* other = new TWinControl(FForm);
    other->SetBounds(500, 500, 20, 20);
    other->SetTabStop(true);
    other->SetParent(FForm);
    other->SetFocus();
    FMain->Navigate(PageURL("hover.htm"));
    ASSERT_TRUE(Logged("webMain complete:" + PageURL("hover.htm")));
    Run([] { return false; }, 300);
    Xdotool({"mousemove", "100", "100"});
    ASSERT_TRUE(Logged("webMain status:http://www.example.invalid/game?id=7"));
    Xdotool({"mousemove", "100", "250"});
    ASSERT_TRUE(Run([&] { return FLog.back() == "webMain status:"; }));
    EXPECT_EQ(FForm->ActiveControl(), other);
    Xdotool({"click", "1"});
    ASSERT_TRUE(Run([&] { return FForm->ActiveControl() == FMain; }));
    EXPECT_TRUE(FMain->Engine().HasFocus());
    Xdotool({"mousemove", "700", "700"});
    EXPECT_TRUE(FOutsideOnQueued);
}

TEST_F(WebBrowserAdapterTest, TheViewIsPlacedOverTheControl) {
    FMain->Navigate(PageURL("body.htm"));
    ASSERT_TRUE(Logged("webMain complete:" + PageURL("body.htm")));
    auto* view = static_cast<GtkWidget*>(FMain->Engine().NativeView());
    Run([] { return false; }, 200);
    GtkAllocation a;
    gtk_widget_get_allocation(view, &a);
    EXPECT_EQ(a.width, 400);
    EXPECT_EQ(a.height, 600);
    EXPECT_TRUE(gtk_widget_get_visible(view));
    FMain->SetBounds(100, 50, 300, 200);
    Run([] { return false; }, 200);
    gtk_widget_get_allocation(view, &a);
    int x = -1, y = -1;
    gtk_widget_translate_coordinates(view, gtk_widget_get_toplevel(view), 0, 0, &x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(a.width, 300);
    EXPECT_EQ(a.height, 200);
    FMain->Hide();
    EXPECT_FALSE(gtk_widget_get_visible(view));
}

} // namespace

// What the real engine tells its owner about windows and rights a page
// asks for: whether the user's click asked for a window, and each right
// the page wants, answered by the owner now or later.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "TTestWebServer.h"
#include "WebKitTestSupport.h"
#include "platform/browser/webkit/TWebKitEngine.h"
#include "platform/browser/webkit/TWebKitFactory.h"

using namespace e2e;
using platform::IBrowserEngine;
using platform::TPermissionKind;
using platform::TWebKitEngine;
using platform::TWebKitFactory;

namespace {

// A page that asks for a right when it loads, or when the view is clicked
// (the whole view is the button), and names the outcome in its title.
std::string AskingPage(const std::string& ask, bool onClick) {
    std::string run =
        onClick ? "document.getElementById('b').onclick = function () {" + ask + "};" : ask;
    return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>waiting</title></head>"
           "<body style='margin:0'><button id='b' style='width:400px;height:300px'>go</button>"
           "<script>function said(t) { document.title = t; }\n" +
           run + "</script></body></html>";
}

constexpr const char* kNotify = "Notification.requestPermission().then(said);";
constexpr const char* kLocate =
    "navigator.geolocation.getCurrentPosition(function () { said('located'); },"
    " function (e) { said(e.code == 1 ? 'refused' : 'allowed but unknown'); });";
constexpr const char* kLockPointer =
    "document.addEventListener('pointerlockchange', function () {"
    " said(document.pointerLockElement ? 'locked' : 'unlocked'); });"
    "document.addEventListener('pointerlockerror', function () { said('lock refused'); });"
    "document.body.requestPointerLock();";

class WebKitPermissionsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gFactory = new TWebKitFactory; }
    static void TearDownTestSuite() {
        delete gFactory;
        gFactory = nullptr;
    }

    // An engine whose permission requests are kept for the test to answer.
    std::unique_ptr<TWebKitEngine> MakeEngine(TEventLog& log) {
        platform::TBrowserEvents events = log.Events();
        events.PermissionRequest = [this](TPermissionKind kind, std::function<void(bool)> answer) {
            FKinds.push_back(kind);
            FAnswers.push_back(std::move(answer));
        };
        auto engine = std::unique_ptr<TWebKitEngine>(
            static_cast<TWebKitEngine*>(gFactory->CreateEngine(std::move(events)).release()));
        FWindow.Put(engine->NativeView(), 0, 0, 400, 300);
        return engine;
    }
    void ClickView() {
        RunFor(300);
        Xdotool({"mousemove", "200", "150", "click", "1"});
    }

    static TWebKitFactory* gFactory;
    TTestWindow FWindow;
    TTestWebServer FServer;
    std::vector<TPermissionKind> FKinds;
    std::vector<std::function<void(bool)>> FAnswers;
};

TWebKitFactory* WebKitPermissionsTest::gFactory = nullptr;

TEST_F(WebKitPermissionsTest, WindowsTellWhetherTheUserAskedForThem) {
    FServer.Add("/storm.htm",
                "<!DOCTYPE html><html><head><title>s</title></head><body style='margin:0'>"
                "<a href='pop.htm?click' target='_blank' style='display:block;height:300px'>x</a>"
                "<script>var w = window.open('pop.htm?load');"
                "document.title = w ? 'opened' : 'refused';</script></body></html>");
    FServer.Add("/pop.htm", "<html><body>pop</body></html>");
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(FServer.URL("/storm.htm"));
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("refused"); }));
    ASSERT_EQ(log.WindowGestures, std::vector<bool>{false});
    ClickView();
    ASSERT_TRUE(RunUntil([&] { return log.WindowGestures.size() == 2; }));
    EXPECT_TRUE(log.WindowGestures[1]);
    EXPECT_EQ(log.Lines.back(), "newwindow:" + FServer.URL("/pop.htm?click"));
}

// Each kind of request reaches the owner as its kind; the page waits for
// the answer and gets exactly what the owner said. (The engine itself
// refuses notifications asked for without the user's click.)
TEST_F(WebKitPermissionsTest, RequestsWaitForTheOwnersAnswer) {
    FServer.Add("/notify.htm", AskingPage(kNotify, true));
    FServer.Add("/locate.htm", AskingPage(kLocate, false));
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(FServer.URL("/locate.htm"));
    ASSERT_TRUE(RunUntil([&] { return FAnswers.size() == 1; }))
        << ::testing::PrintToString(log.Titles);
    EXPECT_EQ(FKinds[0], TPermissionKind::Geolocation);
    RunFor(300);
    EXPECT_EQ(engine->LocationName(), "waiting"); // no answer yet, none given
    FAnswers[0](false);
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("refused"); }));

    engine->Navigate(FServer.URL("/notify.htm"));
    ASSERT_TRUE(RunUntil([&] {
        return engine->LocationURL() == FServer.URL("/notify.htm") &&
               log.Titles.back() == "waiting";
    }));
    ClickView();
    ASSERT_TRUE(RunUntil([&] { return FAnswers.size() == 2; }))
        << ::testing::PrintToString(log.Titles);
    EXPECT_EQ(FKinds[1], TPermissionKind::Notifications);
    FAnswers[1](true);
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("granted"); }));
}

// An answer the owner drops without a word refuses the page.
TEST_F(WebKitPermissionsTest, ADroppedAnswerRefuses) {
    FServer.Add("/locate.htm", AskingPage(kLocate, false));
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(FServer.URL("/locate.htm"));
    ASSERT_TRUE(RunUntil([&] { return FAnswers.size() == 1; }));
    FAnswers.clear();
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("refused"); }));
}

// A game locks the pointer on the player's click without a question. (A
// page that tries by itself is refused by the engine before anyone could
// be asked.)
TEST_F(WebKitPermissionsTest, PointerLockFollowsTheUsersClickWithoutAQuestion) {
    FServer.Add("/lock.htm", AskingPage(kLockPointer, true));
    FServer.Add("/lockload.htm", AskingPage(kLockPointer, false));
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(FServer.URL("/lockload.htm"));
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("lock refused"); }));
    engine->Navigate(FServer.URL("/lock.htm"));
    ASSERT_TRUE(RunUntil([&] {
        return engine->LocationURL() == FServer.URL("/lock.htm") && log.Titles.back() == "waiting";
    }));
    ClickView();
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("locked"); }))
        << ::testing::PrintToString(log.Titles);
    EXPECT_TRUE(FKinds.empty());
    Xdotool({"key", "Escape"}); // gives the pointer back
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("unlocked"); }));
}

} // namespace

// What the real engine lets a page reach, and how it tells the page's own
// navigations from those of its frames. Pages come from a web server on
// 127.0.0.1 and from files in a folder of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "TTestWebServer.h"
#include "WebKitTestSupport.h"
#include "platform/browser/webkit/TWebKitEngine.h"
#include "platform/browser/webkit/TAppScheme.h"
#include "platform/browser/webkit/TWebKitFactory.h"

using namespace e2e;
using platform::TWebKitEngine;
using platform::TWebKitFactory;

namespace {

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string FileURL(const std::string& path) {
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    std::string result = uri;
    g_free(uri);
    return result;
}

int Count(const std::vector<std::string>& list, const std::string& item) {
    return static_cast<int>(std::count(list.begin(), list.end(), item));
}

class PageIsolationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gFactory = new TWebKitFactory(false); }
    static void TearDownTestSuite() {
        delete gFactory;
        gFactory = nullptr;
    }
    void SetUp() override {
        gchar* folder = g_dir_make_tmp("xf-isolation-XXXXXX", nullptr);
        FFolder = folder;
        g_free(folder);
    }
    void TearDown() override {
        FEngines.clear();
        std::string command = "rm -rf '" + FFolder + "'";
        EXPECT_EQ(system(command.c_str()), 0);
    }

    TWebKitEngine& MakeEngine(TEventLog& log) {
        FEngines.emplace_back(static_cast<TWebKitEngine*>(gFactory->CreateEngine(log.Events()).release()));
        FWindow.Put(FEngines.back()->NativeView(), 0, 0, 400, 300);
        return *FEngines.back();
    }
    bool TitleIs(const TEventLog& log, const std::string& title, int timeoutMs = 10000) {
        return RunUntil([&] { return !log.Titles.empty() && log.Titles.back() == title; }, timeoutMs);
    }
    // Runs `script` in the page and answers its string result.
    std::string Evaluate(TWebKitEngine& engine, const std::string& script) {
        struct TAnswer {
            bool Done = false;
            std::string Text;
        } answer;
        webkit_web_view_evaluate_javascript(
            engine.WebView(), script.c_str(), -1, nullptr, nullptr, nullptr,
            [](GObject* source, GAsyncResult* result, gpointer data) {
                auto* answer = static_cast<TAnswer*>(data);
                JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
                if (value) {
                    gchar* text = jsc_value_to_string(value);
                    answer->Text = text ? text : "";
                    g_free(text);
                    g_object_unref(value);
                }
                answer->Done = true;
            },
            &answer);
        EXPECT_TRUE(RunUntil([&] { return answer.Done; }));
        return answer.Text;
    }

    static TWebKitFactory* gFactory;
    TTestWindow FWindow;
    TTestWebServer FServer;
    std::string FFolder;
    std::vector<std::unique_ptr<TWebKitEngine>> FEngines;
};

TWebKitFactory* PageIsolationTest::gFactory = nullptr;

// A page opened from disk tries every way of reading what is not its own:
// a file beside it, a mode-600 file, a system file, a file in a frame, and
// a reply of a web server that does not share it.
TEST_F(PageIsolationTest, ALocalPageReadsNeitherOtherFilesNorCrossOriginReplies) {
    FServer.Add("/secret", "SECRET from the server", "text/plain");
    WriteFile(FFolder + "/secret.txt", "SECRET beside the page");
    WriteFile(FFolder + "/private.txt", "SECRET of mode 600");
    chmod((FFolder + "/private.txt").c_str(), 0600);
    WriteFile(FFolder + "/other.htm", "<html><body>SECRET in a frame</body></html>");
    WriteFile(FFolder + "/thief.htm", R"(<!DOCTYPE html><html><head><title>start</title></head><body>
<iframe id="frame" src="other.htm"></iframe>
<script>
var results = {};
var names = ["beside", "private", "system", "frame", "server"];
function done(name, text) {
  results[name] = text && text.indexOf(name == "system" ? "root:" : "SECRET") >= 0 ? "read" : "blocked";
  if (names.every(function (n) { return n in results; }))
    document.title = names.map(function (n) { return n + ":" + results[n]; }).join(" ");
}
function xhr(name, url) {
  try {
    var x = new XMLHttpRequest();
    x.open("GET", url);
    x.onload = function () { done(name, x.responseText); };
    x.onerror = function () { done(name, ""); };
    x.send();
  } catch (e) { done(name, ""); }
}
xhr("beside", "secret.txt");
xhr("private", "private.txt");
xhr("system", "file:///etc/passwd");
fetch(")" + FServer.URL("/secret") + R"(").then(function (r) { return r.text(); })
  .then(function (t) { done("server", t); }, function () { done("server", ""); });
document.getElementById("frame").onload = function () {
  try { done("frame", this.contentDocument.body.textContent); } catch (e) { done("frame", ""); }
};
</script></body></html>)");
    TEventLog log;
    TWebKitEngine& engine = MakeEngine(log);
    engine.Navigate(FileURL(FFolder + "/thief.htm"));
    ASSERT_TRUE(RunUntil([&] { return !log.Titles.empty() && log.Titles.back().find("server:") != std::string::npos; }))
        << ::testing::PrintToString(log.Lines);
    EXPECT_EQ(log.Titles.back(),
              "beside:blocked private:blocked system:blocked frame:blocked server:blocked");
}

// The pages shipped beside the program work without reading local files:
// the search page takes its list from the program's own scheme (answered
// here with one game; the answer from the real lists has tests of its own),
// the feedback form answers in the page, the directory shows its links.
TEST_F(PageIsolationTest, TheShippedPagesStillWork) {
    std::string pages = XF_RESOURCE_PAGES;
    std::string asked;
    platform::TAppScheme::Register(gFactory->Context(), [&](const std::string& host, const std::string& query) {
        asked = host + "?" + query;
        platform::TAppSchemeReply reply;
        reply.Body = R"({"total":1,"games":[{"name":"中国象棋","class":"棋牌","url":"http://127.0.0.1/1.htm"}]})";
        return reply;
    });
    TEventLog log;
    TWebKitEngine& engine = MakeEngine(log);
    engine.Navigate(pages + "/Main.htm?Find=象棋");
    ASSERT_TRUE(RunUntil([&] { return !log.Titles.empty() && log.Titles.back().starts_with("搜索：象棋 - 找到"); }))
        << ::testing::PrintToString(log.Lines);
    EXPECT_EQ(Evaluate(engine, "document.querySelectorAll('#results tbody tr').length > 0 ? 'found' : 'none'"), "found");
    EXPECT_EQ(Evaluate(engine, "document.getElementById('count').textContent.indexOf('找到') == 0"), "true");
    EXPECT_EQ(asked, "games?find=%E8%B1%A1%E6%A3%8B");

    engine.Navigate(pages + "/星帆用户反馈.htm");
    ASSERT_TRUE(RunUntil([&] { return log.Completed.size() >= 2; }));
    Evaluate(engine, "document.getElementById('text').value = 'x'; document.querySelector('button[type=submit]').click(); 1");
    EXPECT_EQ(Evaluate(engine, "getComputedStyle(document.getElementById('done')).display"), "block");

    engine.Navigate(pages + "/left.htm");
    ASSERT_TRUE(RunUntil([&] { return log.Completed.size() >= 3; }));
    EXPECT_EQ(Evaluate(engine, "document.querySelectorAll('a[href*=R_Class]').length > 0"), "true");
}

// Eight frames of a page are eight navigations of frames, not of the page;
// so is a link followed inside a frame. The page's own links, scripts and
// the owner's Navigate are the page's. Cancelling either kind keeps what was
// there.
TEST_F(PageIsolationTest, FramesAreToldFromThePageAndEitherCanBeCancelled) {
    std::string frames;
    for (int i = 1; i <= 8; ++i)
        frames += "<iframe src=\"/frame?" + std::to_string(i) + "\"></iframe>";
    FServer.Add("/page", "<html><head><title>有框架的页</title></head><body>" + frames +
                             "<a id=\"own\" href=\"/next\">下一页</a></body></html>");
    FServer.Add("/frame", "<html><body><a id=\"inner\" href=\"/inner\">框架里的链接</a></body></html>");
    FServer.Add("/inner", "<html><body>inner</body></html>");
    FServer.Add("/next", "<html><head><title>下一页</title></head><body>next</body></html>");
    TEventLog log;
    TWebKitEngine& engine = MakeEngine(log);
    engine.Navigate(FServer.URL("/page"));
    ASSERT_TRUE(TitleIs(log, "有框架的页"));
    ASSERT_TRUE(RunUntil([&] { return log.FrameNavigations.size() == 8; }))
        << ::testing::PrintToString(log.Lines);
    EXPECT_EQ(log.PageNavigations, std::vector<std::string>{FServer.URL("/page")});
    EXPECT_EQ(Count(log.FrameNavigations, FServer.URL("/frame?8")), 1);

    // A link inside a frame.
    Evaluate(engine, "frames[2].document.getElementById('inner').click(); 1");
    ASSERT_TRUE(RunUntil([&] { return log.FrameNavigations.size() == 9; }));
    EXPECT_EQ(log.FrameNavigations.back(), FServer.URL("/inner"));
    EXPECT_EQ(log.PageNavigations.size(), 1u);

    // A frame's navigation refused: the frame keeps its page.
    log.Cancel = [&](const std::string& url) { return url == FServer.URL("/inner"); };
    Evaluate(engine, "frames[3].document.getElementById('inner').click(); 1");
    ASSERT_TRUE(RunUntil([&] { return log.FrameNavigations.size() == 10; }));
    RunFor(300);
    EXPECT_EQ(Evaluate(engine, "frames[3].location.pathname"), "/frame");

    // The page's own link, refused: nothing of it is shown.
    log.Cancel = [&](const std::string& url) { return url == FServer.URL("/next"); };
    Evaluate(engine, "document.getElementById('own').click(); 1");
    ASSERT_TRUE(RunUntil([&] { return log.PageNavigations.size() == 2; }));
    EXPECT_EQ(log.PageNavigations.back(), FServer.URL("/next"));
    RunFor(500);
    EXPECT_EQ(engine.LocationURL(), FServer.URL("/page"));
    EXPECT_EQ(engine.LocationName(), "有框架的页");
    EXPECT_EQ(Evaluate(engine, "frames.length"), "8");

    // Let through, it loads.
    log.Cancel = nullptr;
    Evaluate(engine, "document.getElementById('own').click(); 1");
    ASSERT_TRUE(TitleIs(log, "下一页"));
    EXPECT_EQ(log.PageNavigations.size(), 3u);
    EXPECT_EQ(log.FrameNavigations.size(), 10u);
}

} // namespace

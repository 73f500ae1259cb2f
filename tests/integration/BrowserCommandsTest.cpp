// Operations of the browser control: history, the standard commands and the
// document, on the scripted engine.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "BrowserTestSupport.h"

using namespace browsertest;
using platform::TFakePage;
using Strings = std::vector<std::string>;

namespace {

TFakePage Page(const std::string& title, const std::string& body) {
    TFakePage page;
    page.Title = title;
    page.Body = body;
    return page;
}

std::string ErrorText(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "xf-browser-" + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class BrowserCommandsTest : public BrowserTest {
protected:
    BrowserCommandsTest() {
        FFactory.AddPage("http://a.example/", Page("甲页", "<body><p>甲 text</p></body>"));
        FFactory.AddPage("http://b.example/", Page("乙页", "<body>乙</body>"));
        Browser()->Navigate("http://a.example/");
        Pump();
    }
    TWebBrowser* Browser() { return FForm->webMain; }
    const Strings& Commands() { return Fake(Browser()).Commands(); }
};

} // namespace

TEST_F(BrowserCommandsTest, BackAndForwardMoveInTheHistoryAndFailWithoutAPage) {
    EXPECT_EQ(ErrorText([&] { Browser()->GoBack(); }), "无法后退：没有上一个网页。");
    EXPECT_EQ(ErrorText([&] { Browser()->GoForward(); }), "无法前进：没有下一个网页。");
    Browser()->Navigate("http://b.example/");
    Pump();
    Browser()->GoBack();
    Pump();
    EXPECT_EQ(Browser()->LocationURL(), "http://a.example/");
    EXPECT_EQ(Browser()->LocationName(), "甲页");
    Browser()->GoForward();
    Pump();
    EXPECT_EQ(Browser()->LocationURL(), "http://b.example/");
    EXPECT_EQ(ErrorText([&] { Browser()->GoForward(); }), "无法前进：没有下一个网页。");
    // Going back is a navigation like any other for the handlers.
    ClearLog();
    Browser()->GoBack();
    Pump();
    EXPECT_EQ(LogOf(Browser()).front(), "navigate:http://a.example/");
}

TEST_F(BrowserCommandsTest, AFailingCommandInAHandlerReachesTheDefaultErrorReport) {
    FForm->webSide->OnTitleChange = [](TObject* sender, const std::string&) {
        static_cast<TWebBrowser*>(sender)->GoBack();
    };
    FForm->webSide->Navigate("http://b.example/");
    Pump();
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Text, "无法后退：没有上一个网页。");
}

TEST_F(BrowserCommandsTest, ZoomSetsTheLevelAndReadsBackTheOneInForce) {
    TValue v = int64_t(1);
    Browser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, v, &v);
    EXPECT_EQ(std::get<int64_t>(v), 1);
    EXPECT_EQ(Fake(Browser()).ZoomLevel(), 1);
    TValue out;
    Browser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, TValue{}, &out);
    EXPECT_EQ(std::get<int64_t>(out), 1);
    for (int64_t bad : {int64_t(-1), int64_t(5)}) {
        TValue in = bad;
        EXPECT_THROW(Browser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, in, &out),
                     Exception);
    }
    EXPECT_THROW(Browser()->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER,
                                   TValue{std::string("2")}, &out),
                 Exception);
    EXPECT_EQ(Fake(Browser()).ZoomLevel(), 1);
    // Each browser has its own level.
    EXPECT_EQ(Fake(FForm->webSide).ZoomLevel(), 2);
}

TEST_F(BrowserCommandsTest, StandardCommandsReachTheEngineWithTheirOptions) {
    Browser()->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DONTPROMPTUSER);
    Browser()->ExecWB(OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_PAGESETUP, OLECMDEXECOPT_DODEFAULT, TValue{}, nullptr);
    Browser()->ExecWB(OLECMDID_SELECTALL, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_COPY, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_CUT, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_PASTE, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_STOP, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_REFRESH, OLECMDEXECOPT_PROMPTUSER);
    Browser()->ExecWB(OLECMDID_REFRESH, OLECMDEXECOPT_DONTPROMPTUSER,
                      TValue{int64_t(OLECMDIDF_REFRESH_COMPLETELY)});
    EXPECT_EQ(Commands(),
              (Strings{"Print prompt", "Print", "PrintPreview", "PageSetup", "SelectAll", "Copy",
                       "Cut", "Paste 甲 text", "Stop", "Refresh", "Refresh completely"}));
    EXPECT_EQ(FFactory.Clipboard(), "甲 text");
}

TEST_F(BrowserCommandsTest, UnknownCommandsAndOptionsAreErrors) {
    EXPECT_EQ(ErrorText([&] { Browser()->ExecWB(99, OLECMDEXECOPT_PROMPTUSER); }),
              "浏览器不支持这个命令：99");
    EXPECT_THROW(Browser()->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_SHOWHELP), Exception);
    EXPECT_THROW(Browser()->ExecWB(OLECMDID_PRINT, -1), Exception);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(BrowserCommandsTest, SaveAsAsksForAFileAndSavesThePage) {
    std::string path = TempPath("save.htm");
    std::remove(path.c_str());
    FHost.QueueFileDialogResult(true, path);
    Browser()->ExecWB(OLECMDID_SAVEAS, OLECMDEXECOPT_PROMPTUSER);
    ASSERT_EQ(FHost.FileDialogs().size(), 1u);
    EXPECT_TRUE(FHost.FileDialogs()[0].Save);
    EXPECT_EQ(FHost.FileDialogs()[0].FileName, "甲页.htm");
    EXPECT_NE(ReadFile(path).find("<body><p>甲 text</p></body>"), std::string::npos);

    // Cancelled: nothing written.
    std::remove(path.c_str());
    FHost.QueueFileDialogResult(false, "");
    Browser()->ExecWB(OLECMDID_SAVEAS, OLECMDEXECOPT_PROMPTUSER);
    EXPECT_FALSE(std::ifstream(path).good());

    // A name given without prompting is used as it is.
    Browser()->ExecWB(OLECMDID_SAVEAS, OLECMDEXECOPT_DONTPROMPTUSER, TValue{path});
    EXPECT_EQ(FHost.FileDialogs().size(), 2u);
    EXPECT_TRUE(std::ifstream(path).good());
    std::remove(path.c_str());

    FHost.QueueFileDialogResult(true, "/nonexistent-folder/page.htm");
    EXPECT_EQ(ErrorText([&] { Browser()->ExecWB(OLECMDID_SAVEAS, OLECMDEXECOPT_PROMPTUSER); }),
              "无法保存网页：/nonexistent-folder/page.htm");
}

TEST_F(BrowserCommandsTest, PropertiesShowTitleAddressTypeAndSize) {
    Browser()->ExecWB(OLECMDID_PROPERTIES, OLECMDEXECOPT_PROMPTUSER);
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Caption, "属性");
    EXPECT_EQ(FHost.MessageBoxes()[0].Text,
              "标题：甲页\n地址：http://a.example/\n类型：text/html\n大小：28 字节");
    FForm->webSide->ExecWB(OLECMDID_PROPERTIES, OLECMDEXECOPT_PROMPTUSER);
    EXPECT_EQ(FHost.MessageBoxes()[1].Text,
              "标题：about:blank\n地址：about:blank\n类型：未知\n大小：未知");
}

TEST_F(BrowserCommandsTest, DocumentGivesTheBodyMarkupOnly) {
    TBrowserDocument document = Browser()->Document();
    EXPECT_EQ(document.URL, "http://a.example/");
    EXPECT_EQ(document.BodyOuterHTML, std::optional<std::string>("<body><p>甲 text</p></body>"));
    // Nothing loaded: no body to give.
    EXPECT_FALSE(FForm->webSide->Document().BodyOuterHTML.has_value());
    TFakePage picture;
    picture.Body.reset();
    picture.MimeType = "image/png";
    FFactory.AddPage("http://a.example/logo.png", picture);
    Browser()->Navigate("http://a.example/logo.png");
    Pump();
    EXPECT_FALSE(Browser()->Document().BodyOuterHTML.has_value());
}

TEST_F(BrowserCommandsTest, TypedAddressesAndPathsBecomeAbsolute) {
    Browser()->Navigate("  www.xingfan.example\r\n");
    EXPECT_EQ(Browser()->LocationURL(), "http://www.xingfan.example");
    Browser()->Navigate("/opt/星帆/Main.htm?Find=连连 看&x=1");
    EXPECT_EQ(Browser()->LocationURL(), "file:///opt/%E6%98%9F%E5%B8%86/Main.htm?Find=连连 看&x=1");
    Browser()->Navigate("");
    EXPECT_EQ(Browser()->LocationURL(), "about:blank");
    Pump();
}

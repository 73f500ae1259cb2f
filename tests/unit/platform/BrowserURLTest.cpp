#include <gtest/gtest.h>

#include "platform/browser/BrowserURL.h"
#include "platform/browser/ErrorPage.h"
#include "platform/browser/OleCommands.h"
#include "platform/browser/TextZoom.h"

using namespace platform;

TEST(BrowserURLTest, TypedAddressesBecomeAbsolute) {
    EXPECT_EQ(NormalizeURL("www.xingfan.example"), "http://www.xingfan.example");
    EXPECT_EQ(NormalizeURL(" \twww.a.example/x?y=1 \r\n"), "http://www.a.example/x?y=1");
    EXPECT_EQ(NormalizeURL("localhost:8080/game"), "http://localhost:8080/game");
    EXPECT_EQ(NormalizeURL("127.0.0.1:8080"), "http://127.0.0.1:8080");
    EXPECT_EQ(NormalizeURL(""), "about:blank");
    EXPECT_EQ(NormalizeURL("   "), "about:blank");
}

TEST(BrowserURLTest, AbsoluteAddressesStayAsTheyAre) {
    for (const char* url :
         {"http://a.example/", "HTTPS://A.example/x", "about:blank", "javascript:void(0)",
          "mailto:service@xingfan.example", "file:///opt/xf/left.htm", "ftp://files.example/a.txt",
          "data:text/html,<b>x</b>"})
        EXPECT_EQ(NormalizeURL(url), url) << url;
}

TEST(BrowserURLTest, PathsBecomeFileAddressesWithTheirQueryAsWritten) {
    EXPECT_EQ(NormalizeURL("/opt/xf/left.htm"), "file:///opt/xf/left.htm");
    // The search text after "?Find=" is passed on unchanged, blanks and all.
    EXPECT_EQ(NormalizeURL("/opt/xf/Main.htm?Find=a b&c"), "file:///opt/xf/Main.htm?Find=a b&c");
    EXPECT_EQ(NormalizeURL("/opt/星帆/星帆用户反馈.htm"),
              "file:///opt/%E6%98%9F%E5%B8%86/"
              "%E6%98%9F%E5%B8%86%E7%94%A8%E6%88%B7%E5%8F%8D%E9%A6%88.htm");
    EXPECT_EQ(FilePathToURL("/a b/#x%.htm"), "file:///a%20b/%23x%25.htm");
}

TEST(BrowserURLTest, SchemeIsOnlyWhatPrecedesTheFirstColon) {
    EXPECT_EQ(URLScheme("HTTP://x"), "http");
    EXPECT_EQ(URLScheme("view-source:http://x"), "view-source");
    EXPECT_EQ(URLScheme("1http://x"), "");
    EXPECT_EQ(URLScheme(":x"), "");
    EXPECT_EQ(URLScheme("no colon"), "");
    EXPECT_EQ(URLScheme("a b:c"), "");
}

TEST(BrowserURLTest, OnlySchemesTheViewCannotShowAreExternal) {
    EXPECT_TRUE(IsExternalURL("tencent://message/?uin=1"));
    EXPECT_TRUE(IsExternalURL("mailto:service@xingfan.example"));
    EXPECT_TRUE(IsExternalURL("MAILTO:a@b"));
    EXPECT_TRUE(IsExternalURL("steam://run/1"));
    for (const char* shown : {"http://a.example/", "HTTPS://a.example/", "file:///tmp/a.htm",
                              "about:blank", "data:text/html,x", "blob:http://a/1",
                              "javascript:void(0)", "resource:///x"})
        EXPECT_FALSE(IsExternalURL(shown)) << shown;
    // Relative addresses and text that only looks like a scheme.
    for (const char* relative : {"go.htm?R_Left='http://x'", "/a:b", "", "a b:c", "1x:y"})
        EXPECT_FALSE(IsExternalURL(relative)) << relative;
}

TEST(BrowserURLTest, SuggestedFileNames) {
    EXPECT_EQ(SuggestedFileName("星帆游戏", "http://a.example/"), "星帆游戏.htm");
    EXPECT_EQ(SuggestedFileName("a/b: c?", "http://a.example/"), "a_b_ c_.htm");
    EXPECT_EQ(SuggestedFileName("page.html", "http://a.example/"), "page.html");
    // A title that is only the address names nothing: the path does.
    EXPECT_EQ(
        SuggestedFileName("http://a.example/dir/list.htm?x=1", "http://a.example/dir/list.htm?x=1"),
        "list.htm");
    EXPECT_EQ(SuggestedFileName("", "http://a.example/"), "index.htm");
    EXPECT_EQ(SuggestedFileName("...", "about:blank"), "index.htm");
    // Long titles are cut without splitting a character.
    std::string longTitle;
    for (int i = 0; i < 100; ++i)
        longTitle += "游";
    std::string name = SuggestedFileName(longTitle, "http://a.example/");
    EXPECT_LE(name.size(), 124u);
    EXPECT_EQ((name.size() - 4) % 3, 0u);
}

TEST(BrowserURLTest, HtmlEscapeCoversTheMarkupCharacters) {
    EXPECT_EQ(HtmlEscape("<a href=\"x\">'&'</a>"),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    std::string page = ErrorPageHTML("http://x/?a=<b>", "原因 & 说明");
    EXPECT_NE(page.find("<title>无法显示网页</title>"), std::string::npos);
    EXPECT_NE(page.find("http://x/?a=&lt;b&gt;"), std::string::npos);
    EXPECT_NE(page.find("原因 &amp; 说明"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
}

TEST(TextZoomTest, LevelsAndFactorsRoundTrip) {
    EXPECT_DOUBLE_EQ(TextZoomFactor(2), 1.0);
    for (int level = TEXT_ZOOM_MIN_LEVEL; level <= TEXT_ZOOM_MAX_LEVEL; ++level) {
        EXPECT_TRUE(IsTextZoomLevel(level));
        EXPECT_EQ(TextZoomLevel(TextZoomFactor(level)), level);
        if (level > 0) EXPECT_GT(TextZoomFactor(level), TextZoomFactor(level - 1));
    }
    EXPECT_FALSE(IsTextZoomLevel(-1));
    EXPECT_FALSE(IsTextZoomLevel(5));
    EXPECT_DOUBLE_EQ(TextZoomFactor(9), TextZoomFactor(4));
    EXPECT_EQ(TextZoomLevel(1.3), 3);
    EXPECT_EQ(TextZoomLevel(0.1), 0);
    EXPECT_EQ(TextZoomLevel(7.0), 4);
}

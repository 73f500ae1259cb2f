// The WebKit engine with real pages: what it reports and what it does.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>

#include "WebKitTestSupport.h"
#include "platform/browser/ErrorPage.h"
#include "platform/browser/webkit/TWebKitEngine.h"
#include "platform/browser/webkit/TWebKitFactory.h"

using namespace e2e;
using platform::IBrowserEngine;
using platform::TWebKitEngine;
using platform::TWebKitFactory;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class WebKitEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gFactory = new TWebKitFactory; }
    static void TearDownTestSuite() {
        delete gFactory;
        gFactory = nullptr;
    }

    std::unique_ptr<TWebKitEngine> MakeEngine(TEventLog& log, int x = 0, int y = 0) {
        auto engine = std::unique_ptr<TWebKitEngine>(
            static_cast<TWebKitEngine*>(gFactory->CreateEngine(log.Events()).release()));
        FWindow.Put(engine->NativeView(), x, y, 400, 300);
        return engine;
    }
    bool Loaded(const TEventLog& log, const std::string& url, int timeoutMs = 10000) {
        return RunUntil([&] { return !log.Completed.empty() && log.Completed.back() == url; },
                        timeoutMs);
    }

    static TWebKitFactory* gFactory;
    TTestWindow FWindow;
};

TWebKitFactory* WebKitEngineTest::gFactory = nullptr;

TEST_F(WebKitEngineTest, ABlankViewAndItsFirstPage) {
    TEventLog log;
    auto engine = MakeEngine(log);
    EXPECT_EQ(engine->LocationURL(), "about:blank");
    EXPECT_FALSE(engine->BodyOuterHTML().has_value());
    engine->Navigate("about:blank");
    ASSERT_TRUE(Loaded(log, "about:blank"));
    // A page without a title is named by its address, as callers test.
    ASSERT_TRUE(RunUntil([&] { return !log.Titles.empty(); }));
    RunFor(100);
    EXPECT_EQ(log.Titles, std::vector<std::string>{"about:blank"});
    EXPECT_EQ(engine->LocationName(), "about:blank");
    EXPECT_EQ(log.Navigations, std::vector<std::string>{"about:blank"});
    EXPECT_FALSE(engine->CanGoBack());
}

TEST_F(WebKitEngineTest, AViewWhoseProcessWasReadyStartsLikeANewOne) {
    RunFor(1500); // the factory's spare view is ready by now
    TEventLog log;
    auto engine = MakeEngine(log);
    RunFor(300);
    EXPECT_TRUE(log.Lines.empty()); // nothing of its empty document
    EXPECT_EQ(engine->LocationURL(), "about:blank");
    EXPECT_FALSE(engine->BodyOuterHTML().has_value());
    engine->Navigate(PageURL("body.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("body.htm")));
    EXPECT_FALSE(engine->CanGoBack());
    EXPECT_EQ(log.Navigations, std::vector<std::string>{PageURL("body.htm")});
}

TEST_F(WebKitEngineTest, TitlesArriveInOrderAndAScriptChangeIsReported) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PagePath("title.htm")); // a path, as the program passes its local pages
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("改过的标题"); }));
    EXPECT_EQ(log.Titles.front(), "第一页") << ::testing::PrintToString(log.Lines);
    EXPECT_EQ(engine->LocationURL(), PageURL("title.htm"));
    EXPECT_EQ(engine->LocationName(), "改过的标题");
    // Never an empty title, although WebKit clears it at every load.
    for (const std::string& t : log.Titles)
        EXPECT_FALSE(t.empty());

    engine->Navigate(PageURL("notitle.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("notitle.htm")));
    ASSERT_TRUE(RunUntil([&] { return log.Titles.back() == PageURL("notitle.htm"); }));
    EXPECT_TRUE(engine->CanGoBack());
    engine->GoBack();
    ASSERT_TRUE(Loaded(log, PageURL("title.htm")));
    EXPECT_TRUE(engine->CanGoForward());
}

TEST_F(WebKitEngineTest, CancellingBeforeNavigateKeepsThePageAndFramesAreReported) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("frames.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("frames.htm")));
    RunFor(200);
    // The sub-frame's navigation is reported like the page's own.
    EXPECT_NE(std::find(log.Navigations.begin(), log.Navigations.end(), PageURL("notitle.htm")),
              log.Navigations.end());

    engine->Navigate(PageURL("links.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("links.htm")));
    log.Cancel = [](const std::string& url) { return url.find("body.htm") != std::string::npos; };
    webkit_web_view_evaluate_javascript(engine->WebView(), "follow()", -1, nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
    ASSERT_TRUE(RunUntil([&] { return log.Navigations.back() == PageURL("body.htm"); }));
    RunFor(300);
    EXPECT_EQ(engine->LocationURL(), PageURL("links.htm"));
    EXPECT_EQ(log.Completed.back(), PageURL("links.htm"));
    EXPECT_EQ(engine->LocationName(), "链接页");
}

TEST_F(WebKitEngineTest, LocalPagesLinkToLocalFilesAndToWebPages) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("links.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("links.htm")));
    webkit_web_view_evaluate_javascript(engine->WebView(), "follow()", -1, nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
    ASSERT_TRUE(Loaded(log, PageURL("body.htm")));
    engine->GoBack();
    ASSERT_TRUE(Loaded(log, PageURL("links.htm")));
    webkit_web_view_evaluate_javascript(engine->WebView(), "followWeb()", -1, nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
    // Nothing listens there: the link was followed and its failure shown.
    bool shown = RunUntil([&] { return log.HasTitle(std::string(platform::kErrorPageTitle)); });
    ASSERT_TRUE(shown) << ::testing::PrintToString(log.Lines);
    EXPECT_EQ(log.Navigations.back(), "http://127.0.0.1:59999/game.htm");
    EXPECT_EQ(engine->LocationURL(), "http://127.0.0.1:59999/game.htm");
}

TEST_F(WebKitEngineTest, WindowOpenPutsThePopupIntoTheViewTheHandlerGives) {
    TEventLog openerLog, popupLog;
    auto opener = MakeEngine(openerLog);
    std::unique_ptr<TWebKitEngine> popup;
    void* popupViewBefore = nullptr;
    openerLog.NewWindow = [&](const std::string&) -> IBrowserEngine* {
        // Inside WebKit's create: a wait for the page must not block here.
        auto start = std::chrono::steady_clock::now();
        opener->BodyOuterHTML();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
        popup = MakeEngine(popupLog, 400, 0);
        popup->Navigate("about:blank"); // what a new tab loads first
        popupViewBefore = popup->NativeView();
        return popup.get();
    };
    opener->Navigate(PageURL("open.htm"));
    ASSERT_TRUE(RunUntil([&] { return popupLog.HasTitle("弹出页:有打开者"); }));
    EXPECT_TRUE(RunUntil([&] { return openerLog.HasTitle("打开窗口:已打开"); }));
    EXPECT_EQ(popup->NativeView(), popupViewBefore); // the host keeps its widget
    EXPECT_EQ(popup->LocationURL(), PageURL("popup.htm"));
    // The popup's own request is what loaded there, reported by its view.
    EXPECT_EQ(popupLog.Navigations.back(), PageURL("popup.htm"));
    EXPECT_EQ(popupLog.Completed.back(), PageURL("popup.htm"));
}

TEST_F(WebKitEngineTest, RefusedWindowMakesWindowOpenReturnNull) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("open.htm"));
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle("打开窗口:被拒绝"); }));
    EXPECT_EQ(log.Lines.end() - std::find(log.Lines.begin(), log.Lines.end(),
                                          "newwindow:" + PageURL("popup.htm")) >
                  0,
              true);
}

TEST_F(WebKitEngineTest, TargetBlankLinkAsksForANewWindow) {
    TEventLog openerLog, popupLog;
    auto opener = MakeEngine(openerLog);
    std::unique_ptr<TWebKitEngine> popup;
    openerLog.NewWindow = [&](const std::string& url) -> IBrowserEngine* {
        EXPECT_EQ(url, PageURL("popup.htm"));
        popup = MakeEngine(popupLog, 400, 0);
        return popup.get();
    };
    opener->Navigate(PageURL("blank_target.htm"));
    ASSERT_TRUE(RunUntil([&] { return popup && popupLog.Completed.size() > 0; }));
    EXPECT_EQ(popup->LocationURL(), PageURL("popup.htm"));
    // target=_blank means no opener for the new page.
    EXPECT_TRUE(RunUntil([&] { return popupLog.HasTitle("弹出页:无打开者"); }));
}

TEST_F(WebKitEngineTest, APageThatClosesItselfAsksItsOwner) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("close.htm"));
    ASSERT_TRUE(RunUntil([&] { return log.Closes == 1; }));
    EXPECT_EQ(engine->LocationURL(), PageURL("close.htm")); // the view stays until its owner acts
}

TEST_F(WebKitEngineTest, HoveringALinkShowsItsAddressAndLeavingClearsIt) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("hover.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("hover.htm")));
    RunFor(300);
    Xdotool({"mousemove", "100", "100"});
    ASSERT_TRUE(RunUntil([&] { return !log.Status.empty(); }));
    EXPECT_EQ(log.Status.back(), "http://www.example.invalid/game?id=7");
    Xdotool({"mousemove", "100", "250"});
    ASSERT_TRUE(RunUntil([&] { return log.Status.back().empty(); }));
    Xdotool({"mousemove", "700", "700"});
}

TEST_F(WebKitEngineTest, BodyMarkupZoomAndSaving) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("body.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("body.htm")));
    auto body = engine->BodyOuterHTML();
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(*body,
              "<body id=\"main\"><p>段落 apple</p><p>Apple pie and APPLE juice</p>\n</body>");

    engine->SetZoomLevel(4);
    EXPECT_EQ(engine->ZoomLevel(), 4);
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(engine->WebView()), 1.5);
    engine->Navigate(PageURL("title.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("title.htm")));
    EXPECT_EQ(engine->ZoomLevel(), 4); // the level stays with the view
    EXPECT_THROW(engine->SetZoomLevel(5), platform::BrowserError);

    engine->Navigate(PageURL("body.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("body.htm")));
    std::string target = std::string(g_get_tmp_dir()) + "/xf-webkit-save-test.htm";
    std::remove(target.c_str());
    engine->SaveAs(target);
    ASSERT_TRUE(RunUntil([&] { return g_file_test(target.c_str(), G_FILE_TEST_EXISTS); }));
    RunFor(100);
    EXPECT_EQ(ReadFile(target), ReadFile(PagePath("body.htm")));
    std::remove(target.c_str());

    engine->SaveAs("/nonexistent-folder/x.htm");
    ASSERT_TRUE(RunUntil([&] { return !log.Failures.empty(); }));
    EXPECT_NE(log.Failures[0].find("/nonexistent-folder/x.htm"), std::string::npos);

    platform::TPageInfo info = engine->PageInfo();
    EXPECT_EQ(info.Title, "正文");
    EXPECT_EQ(info.MimeType, "text/html");
    EXPECT_EQ(info.Size, static_cast<int64_t>(ReadFile(PagePath("body.htm")).size()));
}

TEST_F(WebKitEngineTest, FindBarSearchesThePage) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("body.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("body.htm")));
    EXPECT_FALSE(engine->FindBar().Visible());
    engine->Focus();
    // Ctrl+F as the keyboard delivers it to the focused view.
    GdkEvent* key = gdk_event_new(GDK_KEY_PRESS);
    key->key.window =
        GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(engine->WebView()))));
    key->key.keyval = GDK_KEY_f;
    key->key.state = GDK_CONTROL_MASK;
    gdk_event_set_device(
        key, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    gtk_widget_event(GTK_WIDGET(engine->WebView()), key);
    gdk_event_free(key);
    EXPECT_TRUE(engine->FindBar().Visible());
    EXPECT_TRUE(engine->HasFocus()); // the find bar is part of the page's view
    engine->FindBar().SetText("apple");
    ASSERT_TRUE(RunUntil([&] { return !engine->FindBar().Status().empty(); }));
    EXPECT_EQ(engine->FindBar().Status(), "找到 3 处");
    engine->FindBar().SetText("banana");
    ASSERT_TRUE(RunUntil([&] { return engine->FindBar().Status() == "找不到“banana”"; }));
    engine->FindBar().Hide();
    EXPECT_FALSE(engine->FindBar().Visible());
}

TEST_F(WebKitEngineTest, SelectAllAndCopyPutThePageTextOnTheClipboard) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("body.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("body.htm")));
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, "old", -1);
    engine->EditCommand(platform::TEditCommand::SelectAll);
    engine->EditCommand(platform::TEditCommand::Copy);
    std::string text;
    ASSERT_TRUE(RunUntil([&] {
        gchar* now = gtk_clipboard_wait_for_text(clipboard);
        text = now ? now : "";
        g_free(now);
        return text != "old";
    }));
    EXPECT_NE(text.find("段落 apple"), std::string::npos);
}

TEST_F(WebKitEngineTest, PrintPreviewAndSilentPrintWriteAPdf) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PageURL("body.htm"));
    ASSERT_TRUE(Loaded(log, PageURL("body.htm")));
    std::string preview;
    gFactory->SetPreviewHandler([&](const std::string& path) { preview = path; });
    engine->PrintPreview();
    ASSERT_TRUE(RunUntil([&] { return !preview.empty(); }, 20000));
    EXPECT_EQ(ReadFile(preview).substr(0, 4), "%PDF");
    std::remove(preview.c_str());
    gFactory->SetPreviewHandler(nullptr);

    // Printing without the dialog uses the settings in force.
    std::string target = std::string(g_get_tmp_dir()) + "/xf-webkit-print-test.pdf";
    std::remove(target.c_str());
    GtkPrintSettings* settings = gtk_print_settings_copy(gFactory->PrintSettings());
    gchar* uri = g_filename_to_uri(target.c_str(), nullptr, nullptr);
    gtk_print_settings_set_printer(settings, TWebKitEngine::FilePrinterName());
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    gFactory->SetPrintSettings(settings);
    g_free(uri);
    g_object_unref(settings);
    engine->Print(false);
    ASSERT_TRUE(RunUntil([&] { return ReadFile(target).size() > 4; }, 20000));
    RunFor(300);
    EXPECT_EQ(ReadFile(target).substr(0, 4), "%PDF");
    std::remove(target.c_str());
    EXPECT_TRUE(log.Failures.empty());
}

TEST_F(WebKitEngineTest, ADeadProcessShowsTheErrorPageInThatViewOnly) {
    TEventLog firstLog, secondLog;
    auto first = MakeEngine(firstLog);
    auto second = MakeEngine(secondLog, 400, 0);
    first->Navigate(PageURL("body.htm"));
    second->Navigate(PageURL("notitle.htm"));
    ASSERT_TRUE(Loaded(firstLog, PageURL("body.htm")));
    ASSERT_TRUE(Loaded(secondLog, PageURL("notitle.htm")));
    webkit_web_view_terminate_web_process(first->WebView());
    ASSERT_TRUE(
        RunUntil([&] { return firstLog.HasTitle(std::string(platform::kErrorPageTitle)); }));
    EXPECT_EQ(first->LocationURL(), PageURL("body.htm"));
    auto body = first->BodyOuterHTML();
    ASSERT_TRUE(body.has_value());
    EXPECT_NE(body->find("进程"), std::string::npos);
    // The error page was ours: no navigation of the page's owner.
    EXPECT_EQ(firstLog.Navigations.back(), PageURL("body.htm"));

    // The other view goes on.
    second->Navigate(PageURL("title.htm"));
    ASSERT_TRUE(RunUntil([&] { return secondLog.HasTitle("第一页"); }));
    EXPECT_FALSE(secondLog.HasTitle(std::string(platform::kErrorPageTitle)));
    // Refreshing the error page opens the page again.
    first->Refresh(false);
    ASSERT_TRUE(RunUntil([&] { return firstLog.Titles.back() == "正文"; }));
}

TEST_F(WebKitEngineTest, AMissingFileShowsTheErrorPage) {
    TEventLog log;
    auto engine = MakeEngine(log);
    engine->Navigate(PagePath("no-such-page.htm"));
    ASSERT_TRUE(RunUntil([&] { return log.HasTitle(std::string(platform::kErrorPageTitle)); }));
    EXPECT_EQ(engine->LocationURL(), PageURL("no-such-page.htm"));
}

} // namespace

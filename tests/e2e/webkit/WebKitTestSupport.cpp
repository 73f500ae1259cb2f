#include "WebKitTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace e2e {

std::string PagePath(const std::string& name) {
    return std::string(XF_WEBKIT_PAGES) + "/" + name;
}

std::string PageURL(const std::string& name) {
    gchar* uri = g_filename_to_uri(PagePath(name).c_str(), nullptr, nullptr);
    std::string result = uri;
    g_free(uri);
    return result;
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    gint64 deadline = g_get_monotonic_time() + gint64(timeoutMs) * 1000;
    while (!done()) {
        if (g_get_monotonic_time() > deadline) return false;
        if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(1000);
    }
    return true;
}

void RunFor(int ms) {
    gint64 end = g_get_monotonic_time() + gint64(ms) * 1000;
    RunUntil([&] { return g_get_monotonic_time() > end; }, ms + 1000);
}

void Xdotool(const std::vector<std::string>& args) {
    std::vector<gchar*> argv;
    argv.push_back(const_cast<gchar*>("xdotool"));
    for (const std::string& a : args)
        argv.push_back(const_cast<gchar*>(a.c_str()));
    argv.push_back(nullptr);
    GError* error = nullptr;
    gboolean ok = g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr,
                                nullptr, nullptr, &error);
    EXPECT_TRUE(ok) << (error ? error->message : "");
    if (error) g_error_free(error);
}

TTestWindow::TTestWindow(int width, int height) {
    FWindow = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(FWindow), width, height);
    gtk_window_move(GTK_WINDOW(FWindow), 0, 0);
    FFixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(FWindow), FFixed);
    gtk_widget_show_all(FWindow);
    gtk_window_present(GTK_WINDOW(FWindow));
}

TTestWindow::~TTestWindow() {
    gtk_widget_destroy(FWindow);
}

void TTestWindow::Put(void* view, int x, int y, int width, int height) {
    GtkWidget* widget = GTK_WIDGET(view);
    gtk_widget_set_size_request(widget, width, height);
    gtk_fixed_put(GTK_FIXED(FFixed), widget, x, y);
    gtk_widget_show(widget);
}

void TTestWindow::Remove(void* view) {
    gtk_container_remove(GTK_CONTAINER(FFixed), GTK_WIDGET(view));
}

platform::TBrowserEvents TEventLog::Events() {
    platform::TBrowserEvents events;
    events.BeforeNavigate = [this](const std::string& url, bool mainFrame) {
        Lines.push_back((mainFrame ? "navigate:" : "frame:") + url);
        Navigations.push_back(url);
        (mainFrame ? PageNavigations : FrameNavigations).push_back(url);
        return Cancel ? Cancel(url) : false;
    };
    events.NewWindow = [this](const std::string& url, bool userGesture) -> platform::IBrowserEngine* {
        Lines.push_back("newwindow:" + url);
        WindowGestures.push_back(userGesture);
        return NewWindow ? NewWindow(url) : nullptr;
    };
    events.TitleChange = [this](const std::string& title) {
        Lines.push_back("title:" + title);
        Titles.push_back(title);
    };
    events.StatusTextChange = [this](const std::string& text) {
        Lines.push_back("status:" + text);
        Status.push_back(text);
    };
    events.DocumentComplete = [this](const std::string& url) {
        Lines.push_back("complete:" + url);
        Completed.push_back(url);
    };
    events.CloseRequest = [this] {
        Lines.push_back("close");
        ++Closes;
    };
    events.FocusIn = [this] { ++FocusIns; };
    events.Failure = [this](const std::string& message) { Failures.push_back(message); };
    return events;
}

bool TEventLog::HasTitle(const std::string& title) const {
    return std::find(Titles.begin(), Titles.end(), title) != Titles.end();
}

} // namespace e2e

int main(int argc, char** argv) {
    setenv("GDK_BACKEND", "x11", 0);
    setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 0);
    setenv("GSETTINGS_BACKEND", "memory", 0);
    setenv("NO_AT_BRIDGE", "1", 0);
    // The views keep cookies and site data on disk: in a folder of the run.
    char folder[] = "/tmp/xf-e2e-webkit-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    setenv("XDG_DATA_HOME", (std::string(folder) + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (std::string(folder) + "/cache").c_str(), 1);
    if (!gtk_init_check(&argc, &argv)) {
        fprintf(stderr, "no display: run under scripts/desktop-session.sh\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return result;
}

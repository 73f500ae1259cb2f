#pragma once
// Real WebKit views under Xvfb: a window to put them in, the main loop run
// until something happened, and a log of what an engine reported.
#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/browser/IBrowserEngine.h"

namespace e2e {

// file:// address of a page in tests/e2e/webkit/pages.
std::string PageURL(const std::string& name);
std::string PagePath(const std::string& name);
// Runs the main loop until `done` or the time is up; returns `done()`.
bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000);
// Runs the main loop for a while regardless.
void RunFor(int ms);
// Starts xdotool with these arguments without waiting for it (waiting in
// the loop's thread would stall the display it talks to).
void Xdotool(const std::vector<std::string>& args);

// A top-level window at the screen's origin holding views at fixed places.
class TTestWindow {
public:
    TTestWindow(int width = 800, int height = 600);
    ~TTestWindow();
    void Put(void* view, int x, int y, int width, int height);
    void Remove(void* view);
    GtkWindow* Window() const { return GTK_WINDOW(FWindow); }

private:
    GtkWidget* FWindow;
    GtkWidget* FFixed;
};

// Everything an engine reports, in order, as "kind:value" lines.
struct TEventLog {
    std::vector<std::string> Lines;
    std::vector<bool> WindowGestures; // per new-window request: asked for by the user
    std::vector<std::string> Titles;
    std::vector<std::string> Navigations; // the page's and its frames', in order
    std::vector<std::string> PageNavigations;
    std::vector<std::string> FrameNavigations;
    std::vector<std::string> Status;
    std::vector<std::string> Completed;
    std::vector<std::string> Failures;
    int Closes = 0;
    int FocusIns = 0;
    // Answers before-navigate (both kinds); default: let it go.
    std::function<bool(const std::string&)> Cancel;
    // Answers a new-window request; default: refuse.
    std::function<platform::IBrowserEngine*(const std::string&)> NewWindow;

    platform::TBrowserEvents Events();
    bool HasTitle(const std::string& title) const;
};

} // namespace e2e

#pragma once
// The find bar over a web view: a search box with previous/next buttons and
// a match count, driving the view's find controller. WebKit has the search
// but no bar of its own.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>

namespace platform {

class TFindBar {
public:
    TFindBar();
    ~TFindBar();
    TFindBar(const TFindBar&) = delete;
    TFindBar& operator=(const TFindBar&) = delete;

    // The bar's own widget, to be put over the view (not owned by the caller).
    GtkWidget* Widget() const { return FBar; }
    // Searches in this view from now on; nullptr detaches.
    void Attach(WebKitWebView* view);

    // Shows the bar with the keyboard in its search box, the old text
    // selected. Showing it again only refocuses it.
    void Show();
    void Hide();
    bool Visible() const;
    bool HasFocus() const;

    // What the user would type and press.
    void SetText(const std::string& text);
    std::string Text() const;
    void FindNext();
    void FindPrevious();
    // "找到 3 处", "找不到“abc”" or "".
    std::string Status() const;

private:
    static void OnChanged(GtkSearchEntry* entry, gpointer self);
    static void OnActivate(GtkEntry* entry, gpointer self);
    static void OnNext(GtkWidget* widget, gpointer self);
    static void OnPrevious(GtkWidget* widget, gpointer self);
    static void OnStop(GtkWidget* widget, gpointer self);
    static gboolean OnEntryKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static void OnFound(WebKitFindController* controller, guint count, gpointer self);
    static void OnFailed(WebKitFindController* controller, gpointer self);
    void Search();
    void SetStatus(const std::string& text);
    WebKitFindController* Controller() const;

    GtkWidget* FBar = nullptr;
    GtkWidget* FEntry = nullptr;
    GtkWidget* FStatus = nullptr;
    WebKitWebView* FView = nullptr;
};

} // namespace platform

#pragma once
// One embedded browser view on WebKitGTK. The native view handed to the
// host is an overlay that holds the web view and our find bar above it;
// it stays the same for the engine's life, while the web view inside may be
// replaced by one related to an opener (a page that asked for a new window
// gets its own view, made by WebKit's rules).
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/browser/IBrowserEngine.h"
#include "platform/glib/GlibPtr.h"
#include "platform/browser/webkit/TFindBar.h"

namespace platform {

class TWebKitFactory;
// An answer the page gives later (a script result, a resource's size).
struct TWebKitDataRequest;

class TWebKitEngine : public IBrowserEngine {
public:
    // The name of GTK's print-to-file printer in the running locale.
    static const char* FilePrinterName();
    // `account`: the slot whose store the views use (0: the common one).
    TWebKitEngine(TWebKitFactory& factory, TBrowserEvents events, int account);
    ~TWebKitEngine() override;

    // IBrowserEngine
    void* NativeView() const override { return FContainer; }
    void Navigate(const std::string& url) override;
    bool CanGoBack() const override;
    bool CanGoForward() const override;
    void GoBack() override;
    void GoForward() override;
    void Refresh(bool bypassCache) override;
    void Stop() override;
    std::string LocationURL() const override;
    std::string LocationName() const override;
    std::optional<std::string> BodyOuterHTML() override;
    TPageInfo PageInfo() override;
    std::string SuggestedFileName() const override;
    void SaveAs(const std::string& fileName) override;
    void Print(bool prompt) override;
    void PrintPreview() override;
    void PageSetup() override;
    void EditCommand(TEditCommand command) override;
    void SetZoomLevel(int level) override;
    int ZoomLevel() const override;
    void ShowFindBar() override;
    void Focus() override;
    bool HasFocus() const override;
    bool DeliverKey(const TBrowserKey& key) override;
    bool TryClose() override;
    void ExitFullScreen() override;
    void Snapshot(TSnapshotDone done) override;
    bool PlayingAudio() const override;
    bool Muted() const override { return FMuted; }
    void SetMuted(bool muted) override;

    WebKitWebView* WebView() const { return FView; }
    TFindBar& FindBar() { return *FFindBar; }
    // True while any engine is inside a WebKit callback: nothing may wait for
    // the web process then.
    static bool InsideCallback();
    // Waits up to `timeoutMs` for `done`, running the main loop; false when
    // the time ran out or waiting is not safe here.
    static bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

private:
    void CreateView(WebKitWebView* relatedTo);
    void DestroyView();
    void ConnectView();
    GtkWidget* AcceptWindow(WebKitWebView* opener);
    void ReportTitle(const std::string& title);
    void ProbeTitle();
    static void OnTitleProbe(GObject* source, GAsyncResult* result, gpointer data);
    void ShowErrorPage(const std::string& url, const std::string& reason);
    bool ReportNavigation(const std::string& url, bool mainFrame);
    gboolean DecideResponse(WebKitResponsePolicyDecision* decision);
    void PageLoadStarted();
    bool ReportPageStart(const std::string& uri);
    void ShowStatus(const std::string& text);
    void HandToDesktop(const std::string& uri);
    bool TakeExternal(WebKitNavigationAction* action, const std::string& uri);
    GtkWindow* ParentWindow() const;
    WebKitPrintOperation* NewPrintOperation();

    static gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer self);
    static void OnTitle(GObject* view, GParamSpec* property, gpointer self);
    static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView* view, WebKitLoadEvent event, gchar* uri,
                                 GError* error, gpointer self);
    static void OnMouseTarget(WebKitWebView* view, WebKitHitTestResult* hit, guint modifiers,
                              gpointer self);
    static void OnClose(WebKitWebView* view, gpointer self);
    static void OnTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason,
                             gpointer self);
    static gboolean OnPrintRequest(WebKitWebView* view, WebKitPrintOperation* op, gpointer self);
    static gboolean OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnFocusIn(GtkWidget* widget, GdkEvent* event, gpointer self);
    static void OnContainerFocus(GtkWidget* widget, gpointer self);
    static gboolean OnErrorPageIdle(gpointer self);
    static void OnDownloadStarted(WebKitWebContext* context, WebKitDownload* download,
                                  gpointer self);

    // The user's gestures and what the page asks of the window
    // (TWebKitEngineGestures.cpp, TWebKitEnginePage.cpp).
    void ConnectGestures();
    void RunPageKey(int action);
    void MoveUnlessEditing(bool back);
    void OpenNewWindow();
    void RunSoon(std::function<void(TWebKitEngine&)> fn);
    static gboolean OnLinkToNewTab(WebKitWebView* view, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static gboolean OnHistoryKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnUnusedKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnScroll(GtkWidget* widget, GdkEventScroll* event, gpointer self);
    static gboolean OnContextMenu(WebKitWebView* view, WebKitContextMenu* menu, GdkEvent* event,
                                  WebKitHitTestResult* hit, gpointer self);
    static void OnProgress(GObject* view, GParamSpec* property, gpointer self);
    static gboolean OnScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog, gpointer self);
    static gboolean OnEnterFullScreen(WebKitWebView* view, gpointer self);
    static gboolean OnLeaveFullScreen(WebKitWebView* view, gpointer self);
    static void OnAudio(GObject* view, GParamSpec* property, gpointer self);
    void ReportProgress();
    // What the page asks of the user (TWebKitEnginePermissions.cpp).
    void ConnectPermissions();
    bool RecentUserInput() const;
    static gboolean OnPermissionRequest(WebKitWebView* view, WebKitPermissionRequest* request,
                                        gpointer self);
    static gboolean OnUserInput(GtkWidget* widget, GdkEvent* event, gpointer self);
    // Runs a handler of a signal the way every WebKit callback runs: the
    // emitter kept alive, the callback depth counted, no exception out.
    template <class R, class F> static R Guard(gpointer instance, R fallback, F&& fn);
    static void CallbackDepth(int delta);

    TWebKitFactory& FFactory;
    int FAccount = 0;
    WebKitWebContext* FContext = nullptr; // the factory's, for FAccount
    TBrowserEvents FEvents;
    GtkWidget* FContainer = nullptr; // our reference, sunk
    WebKitWebView* FView = nullptr;  // owned by the container
    std::unique_ptr<TFindBar> FFindBar;
    std::shared_ptr<int> FAlive = std::make_shared<int>(0);
    int FZoomLevel = 2;
    bool FLoadedOnce = false; // a view ready for us may have shown an empty page
    std::string FReportedTitle;
    std::string FStatusText;
    std::string FLastURL;      // the last address the view had
    std::string FInternalLoad; // address of the error page being loaded
    bool FOwnLoad = false;       // Navigate asked for a page not yet decided on
    std::string FReportedStart;  // the page load already reported when asked for
    bool FStartPending = false;  // a page load started, not reported yet
    std::string FErrorURL;     // the page whose process died, for the error page
    std::string FErrorReason;
    TGSourceId FErrorPageSource;
    std::optional<std::string> FBody; // the last markup asked for, of the page shown
    bool FClosePending = false; // TryClose asked; the page's "close" is the answer
    bool FFullScreen = false;   // the page is in its own fullscreen
    bool FMuted = false;        // kept here: a view made for a new window takes it over
    bool FPlayingAudio = false; // last told to the owner
    int FReportedPercent = -1;  // last progress told, -1 when not loading
    double FWheelRest = 0;      // Ctrl+wheel movement not yet a whole level
    gint64 FLastInputTime = 0;  // monotonic time of the user's last click or key in the page
};

} // namespace platform

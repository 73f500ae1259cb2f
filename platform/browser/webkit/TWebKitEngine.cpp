#include "platform/browser/webkit/TWebKitEngine.h"

#include <exception>

#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/browser/BrowserURL.h"
#include "platform/browser/ErrorPage.h"
#include "platform/browser/TextZoom.h"
#include "platform/browser/webkit/TWebKitFactory.h"
#include "platform/glib/TCallbackGuard.h"

namespace platform {

struct TWebKitDataRequest {
    bool Done = false;
    std::optional<std::string> Text;
    int64_t Size = -1;
};

namespace {

int gCallbackDepth = 0;

constexpr const char* kBodyScript = "document.body ? document.body.outerHTML : null";
constexpr int kScriptWaitMs = 3000;

struct TCallbackScope {
    TCallbackScope() { ++gCallbackDepth; }
    ~TCallbackScope() { --gCallbackDepth; }
    TCallbackScope(const TCallbackScope&) = delete;
    TCallbackScope& operator=(const TCallbackScope&) = delete;
};

// Every WebKit callback runs through here: the depth that forbids waiting,
// a reference that keeps the emitting object alive when a handler destroys
// its engine, and no exception back into WebKit (the callback rule of
// platform/glib/TCallbackGuard.h).
template <class R, class F> R Shield(gpointer instance, R fallback, F&& fn) {
    TCallbackScope scope;
    TGObjectPtr<GObject> hold = TGObjectPtr<GObject>::Ref(G_OBJECT(instance));
    R result = fallback;
    if (!TCallbackGuard::Run([&] { result = fn(); })) return fallback;
    return result;
}

template <class F> void ShieldVoid(gpointer instance, F&& fn) {
    Shield(instance, 0, [&] {
        fn();
        return 0;
    });
}

std::string Str(const gchar* text) {
    return text ? std::string(text) : std::string();
}

std::string RequestURI(WebKitNavigationAction* action) {
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    return request ? Str(webkit_uri_request_get_uri(request)) : std::string();
}

std::string TerminationText(WebKitWebProcessTerminationReason reason) {
    switch (reason) {
    case WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT:
        return "网页占用的内存太多，显示它的进程已被终止。";
    case WEBKIT_WEB_PROCESS_TERMINATED_BY_API:
        return "显示这个网页的进程已被终止。";
    default:
        return "显示这个网页的进程意外终止了。";
    }
}

using TDataRequest = TWebKitDataRequest;

void OnScriptDone(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::shared_ptr<TDataRequest>> request(
        static_cast<std::shared_ptr<TDataRequest>*>(data));
    TGErrorPtr error;
    TGObjectPtr<JSCValue> value(
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, error.Out()));
    if (value && jsc_value_is_string(value.Get())) {
        TGCharPtr text(jsc_value_to_string(value.Get()));
        (*request)->Text = text.Str();
    }
    (*request)->Done = true;
}

void OnDataDone(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::shared_ptr<TDataRequest>> request(
        static_cast<std::shared_ptr<TDataRequest>*>(data));
    TGErrorPtr error;
    gsize length = 0;
    guchar* bytes = webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result,
                                                        &length, error.Out());
    if (bytes) {
        (*request)->Size = static_cast<int64_t>(length);
        g_free(bytes);
    }
    (*request)->Done = true;
}

// What a save or a print needs after the call that started it returned.
struct TJob {
    TWebKitEngine* Engine = nullptr;
    std::weak_ptr<int> Alive;
    std::function<void(const std::string&)> Report;
    std::string Path;
    TWebKitFactory* Factory = nullptr;

    void Fail(const std::string& message) const {
        if (!Alive.expired() && Report) Report(message);
    }
};

void OnSaveData(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<TJob> job(static_cast<TJob*>(data));
    TCallbackScope scope;
    try {
        TGErrorPtr error;
        gsize length = 0;
        guchar* bytes = webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result,
                                                            &length, error.Out());
        if (!bytes) {
            job->Fail("无法保存网页：" + error.Message());
            return;
        }
        TGErrorPtr writeError;
        gboolean written = g_file_set_contents(job->Path.c_str(), reinterpret_cast<gchar*>(bytes),
                                               static_cast<gssize>(length), writeError.Out());
        g_free(bytes);
        if (!written) job->Fail("无法保存网页到“" + job->Path + "”：" + writeError.Message());
    } catch (...) {
    }
}

void FreeJob(gpointer data, GClosure*) {
    delete static_cast<TJob*>(data);
}

void OnPrintFailed(WebKitPrintOperation* op, GError* error, gpointer data) {
    auto* job = static_cast<TJob*>(data);
    ShieldVoid(op, [&] { job->Fail(std::string("无法打印：") + (error ? error->message : "")); });
}

void OnPrintFinished(WebKitPrintOperation* op, gpointer data) {
    auto* job = static_cast<TJob*>(data);
    ShieldVoid(op, [&] {
        if (!job->Path.empty() && g_file_test(job->Path.c_str(), G_FILE_TEST_EXISTS) &&
            job->Factory)
            job->Factory->ShowPreview(job->Path);
    });
    g_object_unref(op); // the reference kept while printing ran
}

} // namespace

void TWebKitEngine::CallbackDepth(int delta) {
    gCallbackDepth += delta;
}

bool TWebKitEngine::InsideCallback() {
    return gCallbackDepth > 0;
}

bool TWebKitEngine::WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done()) return true;
    if (InsideCallback()) return false;
    bool timedOut = false;
    guint timer = g_timeout_add(
        static_cast<guint>(timeoutMs),
        [](gpointer flag) -> gboolean {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &timedOut);
    while (!done() && !timedOut)
        g_main_context_iteration(nullptr, TRUE);
    if (!timedOut) g_source_remove(timer);
    return done();
}

// --- life -----------------------------------------------------------------

TWebKitEngine::TWebKitEngine(TWebKitFactory& factory, TBrowserEvents events, int account)
    : FFactory(factory), FAccount(account), FContext(factory.Context(account)), FEvents(std::move(events)) {
    FContainer = gtk_overlay_new();
    g_object_ref_sink(FContainer);
    FFindBar = std::make_unique<TFindBar>();
    gtk_overlay_add_overlay(GTK_OVERLAY(FContainer), FFindBar->Widget());
    CreateView(nullptr);
    g_signal_connect(FContainer, "grab-focus", G_CALLBACK(OnContainerFocus), this);
    g_signal_connect(FContext, "download-started", G_CALLBACK(OnDownloadStarted), this);
    gtk_widget_show(FContainer);
}

TWebKitEngine::~TWebKitEngine() {
    g_signal_handlers_disconnect_by_data(FContext, this);
    FAlive.reset();
    FErrorPageSource.Remove();
    DestroyView();
    g_signal_handlers_disconnect_by_data(FContainer, this);
    FFindBar.reset();
    gtk_widget_destroy(FContainer);
    g_object_unref(FContainer);
}

void TWebKitEngine::CreateView(WebKitWebView* relatedTo) {
    GtkWidget* view =
        relatedTo ? webkit_web_view_new_with_related_view(relatedTo) : FFactory.NewWebView(FAccount);
    if (relatedTo) g_object_ref_sink(view);
    FView = WEBKIT_WEB_VIEW(view);
    gtk_container_add(GTK_CONTAINER(FContainer), view);
    g_object_unref(view); // the container holds it now
    gtk_widget_show(view);
    ConnectView();
    FFindBar->Attach(FView);
}

void TWebKitEngine::DestroyView() {
    if (!FView) return;
    FFindBar->Attach(nullptr);
    g_signal_handlers_disconnect_by_data(FView, this);
    GtkWidget* view = GTK_WIDGET(FView);
    FView = nullptr;
    gtk_widget_destroy(view);
}

void TWebKitEngine::ConnectView() {
    g_signal_connect(FView, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(FView, "create", G_CALLBACK(OnCreate), this);
    g_signal_connect(FView, "notify::title", G_CALLBACK(OnTitle), this);
    g_signal_connect(FView, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(FView, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(FView, "mouse-target-changed", G_CALLBACK(OnMouseTarget), this);
    g_signal_connect(FView, "close", G_CALLBACK(OnClose), this);
    g_signal_connect(FView, "web-process-terminated", G_CALLBACK(OnTerminated), this);
    g_signal_connect(FView, "print", G_CALLBACK(OnPrintRequest), this);
    g_signal_connect(FView, "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(FView, "focus-in-event", G_CALLBACK(OnFocusIn), this);
    ConnectGestures();
    ConnectPermissions();
}

// WebKit loads the new window's request itself into the view returned from
// `create`, which must be related to the opener; what this engine was
// showing or loading goes with its old view.
GtkWidget* TWebKitEngine::AcceptWindow(WebKitWebView* opener) {
    FErrorPageSource.Remove();
    DestroyView();
    CreateView(opener);
    FZoomLevel = 2;
    FReportedTitle.clear();
    FStatusText.clear();
    FLastURL.clear();
    FInternalLoad.clear();
    FBody.reset();
    FOwnLoad = false;
    FStartPending = false;
    FReportedStart.clear();
    FLoadedOnce = true;
    return GTK_WIDGET(FView);
}

// --- operations -----------------------------------------------------------

void TWebKitEngine::Navigate(const std::string& url) {
    if (std::string target = NormalizeURL(url); IsExternalURL(target)) {
        HandToDesktop(target);
        return;
    }
    FLoadedOnce = true;
    FInternalLoad.clear();
    FErrorURL.clear();
    FOwnLoad = true;
    webkit_web_view_load_uri(FView, NormalizeURL(url).c_str());
}

bool TWebKitEngine::CanGoBack() const {
    return webkit_web_view_can_go_back(FView);
}

bool TWebKitEngine::CanGoForward() const {
    return webkit_web_view_can_go_forward(FView);
}

void TWebKitEngine::GoBack() {
    if (!CanGoBack()) throw BrowserError("没有可以后退的网页");
    webkit_web_view_go_back(FView);
}

void TWebKitEngine::GoForward() {
    if (!CanGoForward()) throw BrowserError("没有可以前进的网页");
    webkit_web_view_go_forward(FView);
}

// After the error page of a dead process, refreshing means the page itself.
void TWebKitEngine::Refresh(bool bypassCache) {
    if (!FErrorURL.empty()) {
        std::string url = FErrorURL;
        Navigate(url);
        return;
    }
    if (bypassCache)
        webkit_web_view_reload_bypass_cache(FView);
    else
        webkit_web_view_reload(FView);
}

void TWebKitEngine::Stop() {
    webkit_web_view_stop_loading(FView);
}

std::string TWebKitEngine::LocationURL() const {
    std::string uri = Str(webkit_web_view_get_uri(FView));
    if (!uri.empty()) return uri;
    return FLastURL.empty() ? std::string(kBlankURL) : FLastURL;
}

std::string TWebKitEngine::LocationName() const {
    std::string title = Str(webkit_web_view_get_title(FView));
    return title.empty() ? LocationURL() : title;
}

// Asked for when a command needs it, never after every load: each answer is
// a script value of this process's own JavaScript engine, and a 2 MB body
// per load kept its collector busy for nothing.
std::optional<std::string> TWebKitEngine::BodyOuterHTML() {
    if (!FLoadedOnce) return std::nullopt;
    if (InsideCallback()) return FBody; // waiting here would deadlock
    auto request = std::make_shared<TDataRequest>();
    webkit_web_view_evaluate_javascript(FView, kBodyScript, -1, nullptr, nullptr, nullptr,
                                        OnScriptDone, new std::shared_ptr<TDataRequest>(request));
    std::weak_ptr<int> alive = FAlive;
    if (!WaitUntil([&] { return request->Done; }, kScriptWaitMs)) return alive.expired() ? std::nullopt : FBody;
    if (!alive.expired()) FBody = request->Text;
    return request->Text;
}

// The title of a finished page may still be on its way from the web
// process; a script's answer comes after it, so only then is a page
// without a title named by its address.
void TWebKitEngine::ProbeTitle() {
    auto* probe = new TJob{this, FAlive, nullptr, "", &FFactory};
    webkit_web_view_evaluate_javascript(FView, "document.title", -1, nullptr, nullptr, nullptr,
                                        OnTitleProbe, probe);
}

void TWebKitEngine::OnTitleProbe(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<TJob> probe(static_cast<TJob*>(data));
    TGErrorPtr error;
    TGObjectPtr<JSCValue> value(
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, error.Out()));
    if (probe->Alive.expired()) return;
    TWebKitEngine* self = probe->Engine;
    if (self->FView != WEBKIT_WEB_VIEW(source)) return;
    ShieldVoid(source, [&] {
        if (Str(webkit_web_view_get_title(self->FView)).empty() && self->FReportedTitle.empty())
            self->ReportTitle(self->LocationURL());
    });
}

TPageInfo TWebKitEngine::PageInfo() {
    TPageInfo info;
    info.Title = LocationName();
    info.URL = LocationURL();
    WebKitWebResource* resource = webkit_web_view_get_main_resource(FView);
    if (!resource) return info;
    TGObjectPtr<WebKitWebResource> hold = TGObjectPtr<WebKitWebResource>::Ref(resource);
    if (WebKitURIResponse* response = webkit_web_resource_get_response(resource)) {
        info.MimeType = Str(webkit_uri_response_get_mime_type(response));
        guint64 length = webkit_uri_response_get_content_length(response);
        if (length > 0) info.Size = static_cast<int64_t>(length);
    }
    if (info.Size < 0 && !InsideCallback()) {
        auto request = std::make_shared<TDataRequest>();
        webkit_web_resource_get_data(resource, nullptr, OnDataDone,
                                     new std::shared_ptr<TDataRequest>(request));
        if (WaitUntil([&] { return request->Done; }, kScriptWaitMs)) info.Size = request->Size;
    }
    return info;
}

std::string TWebKitEngine::SuggestedFileName() const {
    return platform::SuggestedFileName(LocationName(), LocationURL());
}

void TWebKitEngine::SaveAs(const std::string& fileName) {
    WebKitWebResource* resource = webkit_web_view_get_main_resource(FView);
    if (!resource) throw BrowserError("这个网页没有可以保存的内容。");
    auto* job = new TJob{this, FAlive, FEvents.Failure, fileName, &FFactory};
    webkit_web_resource_get_data(resource, nullptr, OnSaveData, job);
}

GtkWindow* TWebKitEngine::ParentWindow() const {
    GtkWidget* top = gtk_widget_get_toplevel(FContainer);
    return GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
}

// The operation keeps a reference of its own until it finished printing.
WebKitPrintOperation* TWebKitEngine::NewPrintOperation() {
    WebKitPrintOperation* op = webkit_print_operation_new(FView);
    webkit_print_operation_set_print_settings(op, FFactory.PrintSettings());
    webkit_print_operation_set_page_setup(op, FFactory.PageSetup());
    auto* job = new TJob{this, FAlive, FEvents.Failure, "", &FFactory};
    g_signal_connect_data(op, "failed", G_CALLBACK(OnPrintFailed), job, FreeJob, GConnectFlags(0));
    g_signal_connect(op, "finished", G_CALLBACK(OnPrintFinished), job);
    return op;
}

void TWebKitEngine::Print(bool prompt) {
    WebKitPrintOperation* op = NewPrintOperation();
    if (!prompt) {
        webkit_print_operation_print(op);
        return;
    }
    std::weak_ptr<int> alive = FAlive;
    WebKitPrintOperationResponse response = webkit_print_operation_run_dialog(op, ParentWindow());
    if (response != WEBKIT_PRINT_OPERATION_RESPONSE_PRINT) {
        g_object_unref(op); // nothing will be printed, so no "finished"
        return;
    }
    if (!alive.expired()) FFactory.SetPrintSettings(webkit_print_operation_get_print_settings(op));
}

// GTK names its file printer in the user's language ("打印到文件" under
// zh_CN): a printer looked up by the English name is not found there.
const char* TWebKitEngine::FilePrinterName() {
    return g_dgettext("gtk30", "Print to File");
}

// GTK's print dialog offers no preview for WebKit pages: print into a PDF
// file and show that.
void TWebKitEngine::PrintPreview() {
    WebKitPrintOperation* op = NewPrintOperation();
    std::string path = FFactory.NextPreviewPath();
    TGObjectPtr<GtkPrintSettings> settings(gtk_print_settings_copy(FFactory.PrintSettings()));
    TGCharPtr uri(g_filename_to_uri(path.c_str(), nullptr, nullptr));
    gtk_print_settings_set_printer(settings.Get(), FilePrinterName());
    gtk_print_settings_set(settings.Get(), GTK_PRINT_SETTINGS_OUTPUT_URI, uri.Get());
    gtk_print_settings_set(settings.Get(), GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    webkit_print_operation_set_print_settings(op, settings.Get());
    auto* job = new TJob{this, FAlive, FEvents.Failure, path, &FFactory};
    g_signal_handlers_disconnect_matched(op, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                         reinterpret_cast<gpointer>(OnPrintFinished), nullptr);
    g_signal_connect_data(op, "finished", G_CALLBACK(OnPrintFinished), job, FreeJob,
                          GConnectFlags(0));
    webkit_print_operation_print(op);
}

void TWebKitEngine::PageSetup() {
    GtkPageSetup* setup = gtk_print_run_page_setup_dialog(ParentWindow(), FFactory.PageSetup(),
                                                          FFactory.PrintSettings());
    FFactory.SetPageSetup(setup);
    if (setup) g_object_unref(setup);
}

void TWebKitEngine::EditCommand(TEditCommand command) {
    const char* name = WEBKIT_EDITING_COMMAND_COPY;
    switch (command) {
    case TEditCommand::Cut:
        name = WEBKIT_EDITING_COMMAND_CUT;
        break;
    case TEditCommand::Copy:
        name = WEBKIT_EDITING_COMMAND_COPY;
        break;
    case TEditCommand::Paste:
        name = WEBKIT_EDITING_COMMAND_PASTE;
        break;
    case TEditCommand::SelectAll:
        name = WEBKIT_EDITING_COMMAND_SELECT_ALL;
        break;
    }
    webkit_web_view_execute_editing_command(FView, name);
}

void TWebKitEngine::SetZoomLevel(int level) {
    if (!IsTextZoomLevel(level)) throw BrowserError("文字大小只能是 0 到 4 级");
    FZoomLevel = level;
    webkit_web_view_set_zoom_level(FView, TextZoomFactor(level));
}

int TWebKitEngine::ZoomLevel() const {
    return TextZoomLevel(webkit_web_view_get_zoom_level(FView));
}

void TWebKitEngine::ShowFindBar() {
    FFindBar->Show();
}

void TWebKitEngine::Focus() {
    if (!FFindBar->HasFocus()) gtk_widget_grab_focus(GTK_WIDGET(FView));
}

bool TWebKitEngine::HasFocus() const {
    return gtk_widget_is_focus(GTK_WIDGET(FView)) || FFindBar->HasFocus();
}

// The window system gives keys to the focused view itself; the queue's copy
// only tells whether the page has it. A view that is merely its window's
// focus widget while the window is not the active one, or that is hidden,
// did not get the key: the control that has the focus must (an address box
// being edited keeps its End, Home, Right and Delete).
bool TWebKitEngine::DeliverKey(const TBrowserKey&) {
    GtkWindow* window = ParentWindow();
    if (!window || !gtk_window_has_toplevel_focus(window)) return false;
    if (!gtk_widget_is_visible(FContainer)) return false;
    return gtk_widget_is_focus(GTK_WIDGET(FView)) || (FFindBar->Visible() && FFindBar->HasFocus());
}

// --- what the view reports ------------------------------------------------

void TWebKitEngine::ReportTitle(const std::string& title) {
    if (title == FReportedTitle) return;
    FReportedTitle = title;
    if (FEvents.TitleChange) FEvents.TitleChange(title);
}

void TWebKitEngine::ShowErrorPage(const std::string& url, const std::string& reason) {
    FInternalLoad = url.empty() ? std::string(kBlankURL) : url;
    std::string html = ErrorPageHTML(url, reason);
    webkit_web_view_load_alternate_html(FView, html.c_str(), FInternalLoad.c_str(), nullptr);
}

// --- addresses for the desktop ---------------------------------------------

void TWebKitEngine::ShowStatus(const std::string& text) {
    FStatusText = text;
    if (FEvents.StatusTextChange) FEvents.StatusTextChange(text);
}

// The page stays as it was; what became of the address shows on the status
// line once the desktop answered.
void TWebKitEngine::HandToDesktop(const std::string& uri) {
    const std::string shown = FirstUtf16Units(uri, 200);
    std::weak_ptr<int> alive = FAlive;
    OpenDocumentAsync(uri, [this, alive, shown](bool noProgram, const std::string& reason) {
        if (alive.expired()) return;
        TCallbackScope scope;
        if (reason.empty())
            ShowStatus("已交给外部程序打开：" + shown);
        else if (noProgram)
            ShowStatus("没有可以打开这个链接的程序：" + shown);
        else
            ShowStatus("无法打开链接“" + shown + "”：" + reason);
    });
}

// Links the view cannot show go to the desktop when the user clicked them;
// a page (or a frame in it) that asks by itself is refused, so that no page
// starts programs on its own.
bool TWebKitEngine::TakeExternal(WebKitNavigationAction* action, const std::string& uri) {
    if (!IsExternalURL(uri)) return false;
    if (webkit_navigation_action_is_user_gesture(action))
        HandToDesktop(uri);
    else
        ShowStatus("已阻止网页自行打开外部程序：" + FirstUtf16Units(uri, 200));
    return true;
}

// WebKit does not say which frame a navigation is for when it asks. The
// owner's own Navigate is the page's and is reported at once; any other
// navigation is reported once it shows what it is: the page's when its load
// starts (cancelled by stopping it there), a frame's when its reply comes
// (cancelled by refusing the reply).
gboolean TWebKitEngine::OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                       WebKitPolicyDecisionType type, gpointer data) {
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
        return Shield(view, FALSE, [&]() -> gboolean {
            return static_cast<TWebKitEngine*>(data)->DecideResponse(
                WEBKIT_RESPONSE_POLICY_DECISION(decision));
        });
    // A link for a new window that is not for the desktop may still be one
    // the user wants behind the current tab (Ctrl+click, middle click).
    if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        gboolean taken = Shield(view, FALSE, [&]() -> gboolean {
            auto* self = static_cast<TWebKitEngine*>(data);
            WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
                WEBKIT_NAVIGATION_POLICY_DECISION(decision));
            if (!self->TakeExternal(action, RequestURI(action))) return FALSE;
            webkit_policy_decision_ignore(decision);
            return TRUE;
        });
        return taken || OnLinkToNewTab(view, decision, type, data);
    }
    if (OnLinkToNewTab(view, decision, type, data)) return TRUE;
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
    return Shield(view, FALSE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        auto* navigation = WEBKIT_NAVIGATION_POLICY_DECISION(decision);
        std::string uri =
            RequestURI(webkit_navigation_policy_decision_get_navigation_action(navigation));
        if (self->TakeExternal(webkit_navigation_policy_decision_get_navigation_action(navigation), uri)) {
            webkit_policy_decision_ignore(decision);
            return TRUE;
        }
        if (!self->FInternalLoad.empty() && uri == self->FInternalLoad) return FALSE;
        // load_uri shows its address in the view at once, so the owner's
        // request is the one that matches it.
        if (!self->FOwnLoad || uri != Str(webkit_web_view_get_uri(view))) return FALSE;
        self->FOwnLoad = false;
        TGObjectPtr<GObject> hold = TGObjectPtr<GObject>::Ref(G_OBJECT(decision));
        std::weak_ptr<int> alive = self->FAlive;
        bool cancel = self->ReportNavigation(uri, true);
        if (alive.expired()) cancel = true;
        else if (!cancel) self->FReportedStart = uri;
        if (!cancel) return FALSE;
        webkit_policy_decision_ignore(decision);
        return TRUE;
    });
}

bool TWebKitEngine::ReportNavigation(const std::string& url, bool mainFrame) {
    return FEvents.BeforeNavigate && FEvents.BeforeNavigate(url, mainFrame);
}

gboolean TWebKitEngine::DecideResponse(WebKitResponsePolicyDecision* decision) {
    WebKitURIRequest* request = webkit_response_policy_decision_get_request(decision);
    std::string uri = request ? Str(webkit_uri_request_get_uri(request)) : std::string();
    bool cancel = false;
    if (webkit_response_policy_decision_is_main_frame_main_resource(decision)) {
        cancel = FStartPending ? ReportPageStart(uri) : false;
    } else {
        TGObjectPtr<GObject> hold = TGObjectPtr<GObject>::Ref(G_OBJECT(decision));
        std::weak_ptr<int> alive = FAlive;
        cancel = ReportNavigation(uri, false) || alive.expired();
    }
    if (!cancel) return FALSE;
    webkit_policy_decision_ignore(WEBKIT_POLICY_DECISION(decision));
    return TRUE;
}

// A load of the page that was not reported when it was asked for (a link,
// a script, the history, a new window's first page) is reported when its
// reply arrives, which waits for our answer; a load that gets no reply is
// reported when it fails (cancelling then keeps the page as it was, without
// the error page), or at the latest when it is shown.
void TWebKitEngine::PageLoadStarted() {
    std::string uri = Str(webkit_web_view_get_uri(FView));
    bool reported = !FReportedStart.empty() && uri == FReportedStart;
    bool internal = !FInternalLoad.empty() && uri == FInternalLoad;
    FStartPending = !reported && !internal;
    FOwnLoad = false;
    FReportedStart.clear();
}

// True when the owner cancelled the load.
bool TWebKitEngine::ReportPageStart(const std::string& uri) {
    FStartPending = false;
    std::weak_ptr<int> alive = FAlive;
    bool cancel = ReportNavigation(uri, true);
    return cancel || alive.expired();
}

// Runs inside a synchronous request of the web process: nothing here may
// wait for a page.
GtkWidget* TWebKitEngine::OnCreate(WebKitWebView* view, WebKitNavigationAction* action,
                                   gpointer data) {
    return Shield(view, static_cast<GtkWidget*>(nullptr), [&]() -> GtkWidget* {
        auto* self = static_cast<TWebKitEngine*>(data);
        if (!self->FEvents.NewWindow) return nullptr;
        std::weak_ptr<int> alive = self->FAlive;
        IBrowserEngine* target = self->FEvents.NewWindow(
            RequestURI(action), webkit_navigation_action_is_user_gesture(action));
        if (alive.expired()) return nullptr;
        auto* engine = dynamic_cast<TWebKitEngine*>(target);
        if (!engine || engine == self) return nullptr;
        return engine->AcceptWindow(view);
    });
}

void TWebKitEngine::OnTitle(GObject* view, GParamSpec*, gpointer data) {
    ShieldVoid(view, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        // Every load starts with an empty title; a page without one is
        // named by its address once it is complete.
        std::string title = Str(webkit_web_view_get_title(WEBKIT_WEB_VIEW(view)));
        if (!title.empty()) self->ReportTitle(title);
    });
}

void TWebKitEngine::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
    ShieldVoid(view, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        std::string uri = Str(webkit_web_view_get_uri(view));
        if (!uri.empty()) self->FLastURL = uri;
        switch (event) {
        case WEBKIT_LOAD_STARTED:
            self->FReportedTitle.clear();
            self->PageLoadStarted();
            break;
        case WEBKIT_LOAD_COMMITTED:
            if (self->FStartPending) {
                std::weak_ptr<int> alive = self->FAlive;
                self->ReportPageStart(uri);
                if (alive.expired()) return;
            }
            self->FBody.reset(); // the markup of the page that was shown before
            // The text size belongs to the view, whatever page it shows.
            if (webkit_web_view_get_zoom_level(view) != TextZoomFactor(self->FZoomLevel))
                webkit_web_view_set_zoom_level(view, TextZoomFactor(self->FZoomLevel));
            break;
        case WEBKIT_LOAD_FINISHED: {
            std::weak_ptr<int> alive = self->FAlive;
            if (Str(webkit_web_view_get_title(view)).empty()) self->ProbeTitle();
            if (self->FEvents.DocumentComplete) self->FEvents.DocumentComplete(self->LocationURL());
            if (alive.expired()) return;
            if (self->FLastURL == self->FInternalLoad) self->FInternalLoad.clear();
            break;
        }
        default:
            break;
        }
    });
}

gboolean TWebKitEngine::OnLoadFailed(WebKitWebView* view, WebKitLoadEvent, gchar* uri,
                                     GError* error, gpointer data) {
    return Shield(view, FALSE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        // Stopped or cancelled loads leave the page as it was.
        if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
            g_error_matches(error, WEBKIT_POLICY_ERROR,
                            WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE))
            return FALSE;
        std::string url = Str(uri);
        if (!self->FInternalLoad.empty() && url == self->FInternalLoad) return FALSE;
        // A page load the owner had no word on yet: refused, it leaves the
        // page as it was.
        if (self->FStartPending && self->ReportPageStart(url)) return TRUE;
        self->ShowErrorPage(url, std::string("无法打开这个网页：") + (error ? error->message : ""));
        return TRUE;
    });
}

void TWebKitEngine::OnMouseTarget(WebKitWebView* view, WebKitHitTestResult* hit, guint,
                                  gpointer data) {
    ShieldVoid(view, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        std::string text;
        if (webkit_hit_test_result_context_is_link(hit))
            text = Str(webkit_hit_test_result_get_link_uri(hit));
        if (text == self->FStatusText) return;
        self->FStatusText = text;
        if (self->FEvents.StatusTextChange) self->FEvents.StatusTextChange(text);
    });
}

void TWebKitEngine::OnClose(WebKitWebView* view, gpointer data) {
    ShieldVoid(view, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        if (self->FClosePending && self->FEvents.CloseAllowed) {
            self->FClosePending = false;
            self->FEvents.CloseAllowed();
            return;
        }
        if (self->FEvents.CloseRequest) self->FEvents.CloseRequest();
    });
}

// The error page loads from the main loop, after WebKit finished telling
// every view of the dead process.
void TWebKitEngine::OnTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason,
                                 gpointer data) {
    ShieldVoid(view, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        self->FErrorURL = self->FLastURL.empty() ? std::string(kBlankURL) : self->FLastURL;
        self->FErrorReason = TerminationText(reason);
        self->FErrorPageSource.Set(g_idle_add(OnErrorPageIdle, self));
    });
}

gboolean TWebKitEngine::OnErrorPageIdle(gpointer data) {
    auto* self = static_cast<TWebKitEngine*>(data);
    self->FErrorPageSource.Fired();
    TCallbackScope scope;
    try {
        if (self->FView) self->ShowErrorPage(self->FErrorURL, self->FErrorReason);
    } catch (...) {
    }
    return G_SOURCE_REMOVE;
}

// A link that turned into a download leaves the view on its page; the
// owner puts back what the navigation changed.
void TWebKitEngine::OnDownloadStarted(WebKitWebContext* context, WebKitDownload* download,
                                      gpointer data) {
    ShieldVoid(context, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        if (!self->FView || webkit_download_get_web_view(download) != self->FView) return;
        WebKitURIRequest* request = webkit_download_get_request(download);
        std::string url = request ? Str(webkit_uri_request_get_uri(request)) : std::string();
        if (self->FEvents.DownloadStarted) self->FEvents.DownloadStarted(url);
    });
}

// window.print() prints with the settings the print commands use.
gboolean TWebKitEngine::OnPrintRequest(WebKitWebView* view, WebKitPrintOperation* op,
                                       gpointer data) {
    ShieldVoid(view, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        webkit_print_operation_set_print_settings(op, self->FFactory.PrintSettings());
        webkit_print_operation_set_page_setup(op, self->FFactory.PageSetup());
    });
    return FALSE;
}

gboolean TWebKitEngine::OnKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer data) {
    return Shield(widget, FALSE, [&]() -> gboolean {
        auto* self = static_cast<TWebKitEngine*>(data);
        guint mods = event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK);
        if (mods == GDK_CONTROL_MASK &&
            (event->keyval == GDK_KEY_f || event->keyval == GDK_KEY_F)) {
            self->ShowFindBar();
            return TRUE;
        }
        if (event->keyval == GDK_KEY_Escape && self->FFindBar->Visible()) {
            self->FFindBar->Hide();
            return TRUE;
        }
        return FALSE;
    });
}

gboolean TWebKitEngine::OnFocusIn(GtkWidget* widget, GdkEvent*, gpointer data) {
    ShieldVoid(widget, [&] {
        auto* self = static_cast<TWebKitEngine*>(data);
        if (self->FEvents.FocusIn) self->FEvents.FocusIn();
    });
    return FALSE;
}

// The host focuses the overlay it was given; the page is what takes keys.
void TWebKitEngine::OnContainerFocus(GtkWidget* widget, gpointer data) {
    ShieldVoid(widget, [&] { static_cast<TWebKitEngine*>(data)->Focus(); });
}

} // namespace platform

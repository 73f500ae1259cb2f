#include "platform/browser/webkit/TWebKitFactory.h"

#include <fcntl.h>
#include <gtk/gtk.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/Kernel.h"
#include "platform/glib/GlibPtr.h"
#include "platform/browser/webkit/TAppScheme.h"
#include "platform/browser/webkit/TWebKitDownloads.h"
#include "platform/browser/webkit/TWebKitEngine.h"
#include "platform/browser/webkit/TWebProcessSandbox.h"

namespace platform {

struct TWebKitFactory::TShared {
    TGObjectPtr<WebKitSettings> Settings;
    TGObjectPtr<GtkPrintSettings> PrintSettings;
    TGObjectPtr<GtkPageSetup> PageSetup;
    TPreviewHandler Preview;
    int PreviewCount = 0;
    std::string PreviewFolder; // private (0700), made on the first preview
    bool KeepSpare = true;
    TGObjectPtr<GtkWidget> Spare; // sunk; not in any container
    bool SpareReady = false;
    TGSourceId Replenish;
    // While the program starts, its first views share one web process (the
    // first view's): fewer processes compete for the start-up pages.
    bool ShareWhileStarting = false;
    TGObjectPtr<GtkWidget> StartupAnchor;
};

namespace {

TGObjectPtr<WebKitSettings> MakeSettings() {
    TGObjectPtr<WebKitSettings> settings(webkit_settings_new());
    // The portal's pages open windows on load, and every such request
    // becomes a tab, as the platform's own control let them.
    webkit_settings_set_javascript_can_open_windows_automatically(settings.Get(), TRUE);
    // A page opened from disk may link to other files and to the web, but
    // never read them: otherwise any downloaded page could send the user's
    // files anywhere. The shipped pages need neither.
    webkit_settings_set_allow_file_access_from_file_urls(settings.Get(), FALSE);
    webkit_settings_set_allow_universal_access_from_file_urls(settings.Get(), FALSE);
    // The text size command scales text, not the page.
    webkit_settings_set_zoom_text_only(settings.Get(), TRUE);
    return settings;
}

void OpenWithViewer(const std::string& pdfPath) {
    TGErrorPtr error;
    TGCharPtr uri(g_filename_to_uri(pdfPath.c_str(), nullptr, nullptr));
    if (uri.Get()) g_app_info_launch_default_for_uri(uri.Get(), nullptr, error.Out());
}

} // namespace

TWebKitFactory::TWebKitFactory() : TWebKitFactory(true) {}

TWebKitFactory::TWebKitFactory(bool keepSpareView) : FShared(std::make_unique<TShared>()) {
    Context(); // downloads are kept safe from the first view on
    FShared->Settings = MakeSettings();
    FShared->PrintSettings.Reset(gtk_print_settings_new());
    FShared->PageSetup.Reset(gtk_page_setup_new());
    FShared->Preview = OpenWithViewer;
    FShared->KeepSpare = keepSpareView;
    FShared->ShareWhileStarting = !keepSpareView;
    if (keepSpareView) PrepareSpare();
}

void TWebKitFactory::KeepSpareViewAfter(unsigned delayMs) {
    FShared->ShareWhileStarting = false;
    FShared->StartupAnchor.Reset();
    if (FShared->KeepSpare) return;
    FShared->KeepSpare = true;
    FShared->Replenish.Set(g_timeout_add_full(G_PRIORITY_LOW, delayMs,
                                              reinterpret_cast<GSourceFunc>(OnReplenish), this, nullptr));
}

TWebKitFactory::~TWebKitFactory() {
    FShared->Replenish.Remove();
    if (GtkWidget* spare = FShared->Spare.Get()) {
        g_signal_handlers_disconnect_by_data(spare, this);
        gtk_widget_destroy(spare);
    }
    RemovePreviewFolder();
}

GtkWidget* TWebKitFactory::NewWebView(int account) {
    // The spare and the start-up process are the common store's.
    if (account != 0) {
        GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", Context(account),
                                                  "settings", Settings(), nullptr));
        g_object_ref_sink(view);
        return view;
    }
    if (FShared->Spare && FShared->SpareReady) {
        GtkWidget* view = FShared->Spare.Get();
        g_object_ref(view); // the caller's
        FShared->Spare.Reset();
        FShared->SpareReady = false;
        // The next spare starts once the page of this one is on its way.
        FShared->Replenish.Set(g_timeout_add_full(
            G_PRIORITY_LOW, 200, reinterpret_cast<GSourceFunc>(OnReplenish), this, nullptr));
        return view;
    }
    if (FShared->ShareWhileStarting && FShared->StartupAnchor) {
        GtkWidget* view = webkit_web_view_new_with_related_view(WEBKIT_WEB_VIEW(FShared->StartupAnchor.Get()));
        g_object_ref_sink(view);
        return view;
    }
    GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", Context(),
                                              "settings", Settings(), nullptr));
    g_object_ref_sink(view);
    if (FShared->ShareWhileStarting) {
        g_object_ref(view);
        FShared->StartupAnchor.Reset(view);
    }
    return view;
}

void TWebKitFactory::PrepareSpare() {
    GtkWidget* view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", Context(),
                                              "settings", Settings(), nullptr));
    g_object_ref_sink(view);
    FShared->Spare.Reset(view);
    FShared->SpareReady = false;
    g_signal_connect(view, "load-changed", G_CALLBACK(OnSpareLoad), this);
    webkit_web_view_load_html(WEBKIT_WEB_VIEW(view), "", nullptr);
}

// Handed out only once its own load is over, so that no event of it reaches
// the engine that takes it.
void TWebKitFactory::OnSpareLoad(void* view, int event, void* data) {
    if (event != WEBKIT_LOAD_FINISHED) return;
    auto* self = static_cast<TWebKitFactory*>(data);
    g_signal_handlers_disconnect_by_data(view, self);
    if (self->FShared->Spare.Get() == view) self->FShared->SpareReady = true;
}

int TWebKitFactory::OnReplenish(void* data) {
    auto* self = static_cast<TWebKitFactory*>(data);
    self->FShared->Replenish.Fired();
    if (!self->FShared->Spare) self->PrepareSpare();
    return G_SOURCE_REMOVE;
}

std::unique_ptr<IBrowserEngine> TWebKitFactory::CreateEngine(TBrowserEvents events) {
    return std::make_unique<TWebKitEngine>(*this, std::move(events), 0);
}

std::unique_ptr<IBrowserEngine> TWebKitFactory::CreateEngineInAccount(TBrowserEvents events, int account) {
    Context(account); // a bad slot raises here, before any view
    return std::make_unique<TWebKitEngine>(*this, std::move(events), account);
}

namespace {

// The program's folder under `base`; an account slot's is inside it.
std::string StoreFolder(const gchar* base, int account) {
    std::string slot = std::to_string(account);
    TGCharPtr path(account == 0 ? g_build_filename(base, "xingfan", nullptr)
                                : g_build_filename(base, "xingfan", "accounts", slot.c_str(), nullptr));
    return path.Str();
}

std::string UserFolder(const gchar* base, int account) {
    std::string path = StoreFolder(base, account);
    g_mkdir_with_parents(path.c_str(), 0700);
    return path;
}

// Cookies with an expiry date are kept in an SQLite file, so that logins
// outlive the program; session cookies stay in memory and end with it.
// The site data (local storage, databases) and the cache go to the user's
// data and cache folders. Every context, whichever store it has, gets the
// same sandbox, downloads and scheme: a page must not act differently in a
// second account.
WebKitWebContext* MakeContext(int account) {
    std::string data = UserFolder(g_get_user_data_dir(), account);
    std::string cache = UserFolder(g_get_user_cache_dir(), account);
    TGObjectPtr<WebKitWebsiteDataManager> manager(webkit_website_data_manager_new(
        "base-data-directory", data.c_str(), "base-cache-directory", cache.c_str(), nullptr));
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(manager.Get());
    TGCharPtr cookies(g_build_filename(data.c_str(), "cookies.sqlite", nullptr));
    webkit_cookie_manager_set_persistent_storage(webkit_website_data_manager_get_cookie_manager(manager.Get()),
                                                 cookies.Get(), WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    TWebProcessSandbox::Apply(context, {ExecutableDir()});
    TWebKitDownloads::Of(context);
    TAppScheme::Serve(context);
    return context;
}

} // namespace

WebKitWebContext* TWebKitFactory::Context() const {
    return Context(0);
}

// One context per store for every view of the process, whichever factory
// made it: one cache and one cookie store on disk each. Contexts live as
// long as the process.
WebKitWebContext* TWebKitFactory::Context(int account) const {
    if (account < 0 || account > ACCOUNT_SLOTS)
        throw BrowserError("没有第 " + std::to_string(account) + " 号小号");
    static WebKitWebContext* contexts[ACCOUNT_SLOTS + 1] = {};
    WebKitWebContext*& context = contexts[account];
    if (!context) context = MakeContext(account);
    return context;
}

namespace {

// Several stores are cleared at once; the caller hears once, when the last
// is done, with the first failure.
struct TClearJob {
    IBrowserEngineFactory::TClearDone Done;
    int Pending = 0;
    std::string Error;
};

void ClearFinished(GObject* source, GAsyncResult* result, gpointer data) {
    auto* job = static_cast<TClearJob*>(data);
    GError* error = nullptr;
    webkit_website_data_manager_clear_finish(WEBKIT_WEBSITE_DATA_MANAGER(source), result, &error);
    if (error && job->Error.empty()) job->Error = error->message && *error->message ? error->message : "未知错误";
    if (error) g_error_free(error);
    if (--job->Pending > 0) return;
    std::unique_ptr<TClearJob> owned(job);
    if (owned->Done) owned->Done(owned->Error);
}

} // namespace

// Through each store's data manager, so every view's cache and cookies go,
// those of account slots not open in this run included (a slot whose folder
// exists has had data); a time span of 0 means everything, however old.
void TWebKitFactory::ClearBrowsingData(unsigned kinds, TClearDone done) {
    unsigned types = 0;
    if (kinds & bdCache)
        types |= WEBKIT_WEBSITE_DATA_MEMORY_CACHE | WEBKIT_WEBSITE_DATA_DISK_CACHE |
                 WEBKIT_WEBSITE_DATA_OFFLINE_APPLICATION_CACHE;
    if (kinds & bdCookies) types |= WEBKIT_WEBSITE_DATA_COOKIES;
    std::vector<WebKitWebContext*> stores{Context()};
    for (int account = 1; account <= ACCOUNT_SLOTS; ++account) {
        std::string data = StoreFolder(g_get_user_data_dir(), account);
        if (g_file_test(data.c_str(), G_FILE_TEST_IS_DIR)) stores.push_back(Context(account));
    }
    auto* job = new TClearJob{std::move(done), static_cast<int>(stores.size()), ""};
    for (WebKitWebContext* context : stores)
        webkit_website_data_manager_clear(webkit_web_context_get_website_data_manager(context),
                                          static_cast<WebKitWebsiteDataTypes>(types), 0, nullptr, ClearFinished, job);
}

void TWebKitFactory::SetDownloadObserver(TDownloadObserver observer) {
    TWebKitDownloads::Of(Context()).SetObserver(std::move(observer));
}

void TWebKitFactory::CancelDownload(int id) {
    TWebKitDownloads::Of(Context()).Cancel(id);
}

WebKitSettings* TWebKitFactory::Settings() const {
    return FShared->Settings.Get();
}

GtkPrintSettings* TWebKitFactory::PrintSettings() const {
    return FShared->PrintSettings.Get();
}

void TWebKitFactory::SetPrintSettings(GtkPrintSettings* settings) {
    if (settings) FShared->PrintSettings = TGObjectPtr<GtkPrintSettings>::Ref(settings);
}

GtkPageSetup* TWebKitFactory::PageSetup() const {
    return FShared->PageSetup.Get();
}

void TWebKitFactory::SetPageSetup(GtkPageSetup* setup) {
    if (setup) FShared->PageSetup = TGObjectPtr<GtkPageSetup>::Ref(setup);
}

void TWebKitFactory::SetPreviewHandler(TPreviewHandler handler) {
    FShared->Preview = handler ? std::move(handler) : TPreviewHandler(OpenWithViewer);
}

void TWebKitFactory::ShowPreview(const std::string& pdfPath) const {
    FShared->Preview(pdfPath);
}

// The previews live in a folder only this user can enter, made with an
// unpredictable name; each file is made here, new, and never through a link,
// before the printer writes into it.
std::string TWebKitFactory::NextPreviewPath() {
    std::string& folder = FShared->PreviewFolder;
    if (folder.empty() || !g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR)) {
        TGErrorPtr error;
        TGCharPtr made(g_dir_make_tmp("xingfan-preview-XXXXXX", error.Out()));
        if (!made.Get()) throw BrowserError("无法建立打印预览的临时文件夹：" + error.Message());
        folder = made.Str();
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "preview-" + std::to_string(++FShared->PreviewCount) + ".pdf";
        TGCharPtr path(g_build_filename(folder.c_str(), name.c_str(), nullptr));
        int fd = open(path.Get(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            return path.Str();
        }
        if (errno != EEXIST) throw BrowserError("无法建立打印预览文件：" + std::string(std::strerror(errno)));
    }
    throw BrowserError("无法建立打印预览文件：文件夹 " + folder + " 里的名字都被占用了");
}

std::string TWebKitFactory::PreviewFolder() const {
    return FShared->PreviewFolder;
}

// Whatever is in the folder goes, links included (the link itself, never
// what it points to).
void TWebKitFactory::RemovePreviewFolder() {
    std::string& folder = FShared->PreviewFolder;
    if (folder.empty()) return;
    if (GDir* dir = g_dir_open(folder.c_str(), 0, nullptr)) {
        while (const gchar* name = g_dir_read_name(dir)) {
            TGCharPtr path(g_build_filename(folder.c_str(), name, nullptr));
            if (unlink(path.Get()) != 0) rmdir(path.Get());
        }
        g_dir_close(dir);
    }
    rmdir(folder.c_str());
    folder.clear();
}

} // namespace platform

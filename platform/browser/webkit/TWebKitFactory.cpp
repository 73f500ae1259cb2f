#include "platform/browser/webkit/TWebKitFactory.h"

#include <gtk/gtk.h>
#include <unistd.h>
#include <webkit2/webkit2.h>

#include "platform/browser/webkit/GObjectPtr.h"
#include "platform/browser/webkit/TWebKitEngine.h"

namespace platform {

struct TWebKitFactory::TShared {
    TGObjectPtr<WebKitSettings> Settings;
    TGObjectPtr<GtkPrintSettings> PrintSettings;
    TGObjectPtr<GtkPageSetup> PageSetup;
    TPreviewHandler Preview;
    int PreviewCount = 0;
};

namespace {

TGObjectPtr<WebKitSettings> MakeSettings() {
    TGObjectPtr<WebKitSettings> settings(webkit_settings_new());
    // The portal's pages open windows on load, and every such request
    // becomes a tab, as the platform's own control let them.
    webkit_settings_set_javascript_can_open_windows_automatically(settings.Get(), TRUE);
    // Local pages link to each other, to web pages and reach their opener.
    webkit_settings_set_allow_file_access_from_file_urls(settings.Get(), TRUE);
    webkit_settings_set_allow_universal_access_from_file_urls(settings.Get(), TRUE);
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

TWebKitFactory::TWebKitFactory() : FShared(std::make_unique<TShared>()) {
    FShared->Settings = MakeSettings();
    FShared->PrintSettings.Reset(gtk_print_settings_new());
    FShared->PageSetup.Reset(gtk_page_setup_new());
    FShared->Preview = OpenWithViewer;
}

TWebKitFactory::~TWebKitFactory() = default;

std::unique_ptr<IBrowserEngine> TWebKitFactory::CreateEngine(TBrowserEvents events) {
    return std::make_unique<TWebKitEngine>(*this, std::move(events));
}

// One context for every view: one network process, one cache and cookie
// store.
WebKitWebContext* TWebKitFactory::Context() const {
    return webkit_web_context_get_default();
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

std::string TWebKitFactory::NextPreviewPath() {
    std::string name = "xingfan-preview-" + std::to_string(getpid()) + "-" +
                       std::to_string(++FShared->PreviewCount) + ".pdf";
    TGCharPtr path(g_build_filename(g_get_tmp_dir(), name.c_str(), nullptr));
    return path.Str();
}

} // namespace platform

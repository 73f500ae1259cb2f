#pragma once
// Makes the WebKit engines of the program and holds what all views share:
// one web context per account slot, one set of settings, and the print settings and page
// setup that the print commands remember between pages. Needs GTK to be
// initialised first.
//
// Starting a web process is most of what a new view costs, so the factory
// keeps one view whose process already runs (it showed an empty document,
// which leaves no history) and hands it to the next engine. Every view still
// has a process of its own: one that dies takes no other page with it.
#include <functional>
#include <memory>
#include <string>

#include "platform/browser/IBrowserEngine.h"

typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitSettings WebKitSettings;
typedef struct _GtkPrintSettings GtkPrintSettings;
typedef struct _GtkPageSetup GtkPageSetup;
typedef struct _GtkWidget GtkWidget;

namespace platform {

class TWebKitFactory : public IBrowserEngineFactory {
public:
    TWebKitFactory();
    ~TWebKitFactory() override;

    // `keepSpareView` false: every view starts its own process when asked.
    explicit TWebKitFactory(bool keepSpareView);
    // Starts keeping a spare view `delayMs` from now: the program asks for it
    // once its own start-up pages are loading, so that the spare's web
    // process does not compete with them.
    void KeepSpareViewAfter(unsigned delayMs);
    std::unique_ptr<IBrowserEngine> CreateEngine(TBrowserEvents events) override;
    std::unique_ptr<IBrowserEngine> CreateEngineInAccount(TBrowserEvents events, int account) override;
    void ClearBrowsingData(unsigned kinds, TClearDone done) override;
    void SetDownloadObserver(TDownloadObserver observer) override;
    void CancelDownload(int id) override;
    // A web view with the context of `account` and the shared settings that
    // has loaded nothing the caller could see. The caller owns the returned
    // reference.
    GtkWidget* NewWebView(int account = 0);

    // The context of the common store, and that of an account slot
    // (0..ACCOUNT_SLOTS; BrowserError otherwise), made on first use.
    WebKitWebContext* Context() const;
    WebKitWebContext* Context(int account) const;
    WebKitSettings* Settings() const;
    // Print settings and page setup in force; never null.
    GtkPrintSettings* PrintSettings() const;
    void SetPrintSettings(GtkPrintSettings* settings);
    GtkPageSetup* PageSetup() const;
    void SetPageSetup(GtkPageSetup* setup);

    // Print preview prints into a PDF file and hands it here; the default
    // opens it with the desktop's viewer. Tests replace it.
    using TPreviewHandler = std::function<void(const std::string& pdfPath)>;
    void SetPreviewHandler(TPreviewHandler handler);
    void ShowPreview(const std::string& pdfPath) const;
    // A new, empty file for the next preview to be printed into, in the
    // factory's private folder; the folder and its files go with the
    // factory. Raises BrowserError when no file can be made.
    std::string NextPreviewPath();
    // The private folder; empty before the first preview.
    std::string PreviewFolder() const;

private:
    struct TShared;
    void PrepareSpare();
    static void OnSpareLoad(void* view, int event, void* self);
    static int OnReplenish(void* self);
    void RemovePreviewFolder();
    std::unique_ptr<TShared> FShared;
};

} // namespace platform

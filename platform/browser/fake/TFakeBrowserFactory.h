#pragma once
// Makes scripted browser engines for tests and holds what they share: the
// pages by address, the clipboard, and a way to run their steps later.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/browser/IBrowserEngine.h"
#include "platform/browser/fake/TFakePage.h"

namespace platform {

class TFakeBrowserEngine;

class TFakeBrowserFactory : public IBrowserEngineFactory {
public:
    // `post` runs a step later, from the owner's event loop (the application
    // queue in tests), so loading is asynchronous as with a real view.
    using TPost = std::function<void(std::function<void()>)>;
    explicit TFakeBrowserFactory(TPost post);
    ~TFakeBrowserFactory() override;

    // Pages by address, after the address was made absolute (NormalizeURL).
    // An address without a page loads an empty HTML page without title.
    void AddPage(const std::string& url, TFakePage page);
    TFakePage PageFor(const std::string& url) const;

    std::unique_ptr<IBrowserEngine> CreateEngine(TBrowserEvents events) override;
    // The engine remembers its slot (TFakeBrowserEngine::Account); a slot
    // outside 0..ACCOUNT_SLOTS raises BrowserError as the real one does.
    std::unique_ptr<IBrowserEngine> CreateEngineInAccount(TBrowserEvents events, int account) override;
    // Every engine alive, oldest first.
    const std::vector<TFakeBrowserEngine*>& Engines() const { return FEngines; }
    TFakeBrowserEngine* EngineForView(const void* view) const;
    // How many engines this factory has made in all.
    int CreatedCount() const { return FCreated; }

    // Scripted: answers `ClearError` from the posted step; every request is
    // kept in `ClearRequests`.
    void ClearBrowsingData(unsigned kinds, TClearDone done) override;
    std::vector<unsigned> ClearRequests;
    std::string ClearError;

    // Scripted downloads: the observer gets what ReportDownload is given;
    // every cancel is kept in `CancelRequests`.
    void SetDownloadObserver(TDownloadObserver observer) override { FDownloadObserver = std::move(observer); }
    void CancelDownload(int id) override { CancelRequests.push_back(id); }
    void ReportDownload(const TDownloadInfo& download) const {
        if (FDownloadObserver) FDownloadObserver(download);
    }
    bool HasDownloadObserver() const { return static_cast<bool>(FDownloadObserver); }
    std::vector<int> CancelRequests;

    // Scripted pictures of a page: every view answers a picture of this size
    // in one colour (0xRRGGBB), or, when SnapshotError is set, that reason.
    int SnapshotWidth = 320;
    int SnapshotHeight = 200;
    uint32_t SnapshotColor = 0x336699;
    std::string SnapshotError;

    std::string& Clipboard() { return FClipboard; }
    void Post(std::function<void()> step) const { FPost(std::move(step)); }

private:
    friend class TFakeBrowserEngine;
    void Forget(TFakeBrowserEngine* engine);

    TPost FPost;
    std::map<std::string, TFakePage> FPages;
    std::vector<TFakeBrowserEngine*> FEngines;
    std::string FClipboard;
    TDownloadObserver FDownloadObserver;
    int FCreated = 0;
};

} // namespace platform

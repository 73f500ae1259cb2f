#pragma once
// A scripted browser view for tests: it loads the factory's pages in steps
// run later from the event loop, keeps a history, and raises the same
// callbacks as a real view in the same order (before-navigate, title,
// document complete, then the page's script). Tests play the user and the
// page through the methods at the end.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/browser/IBrowserEngine.h"
#include "platform/browser/fake/TFakePage.h"

namespace platform {

class TFakeBrowserFactory;

class TFakeBrowserEngine : public IBrowserEngine {
public:
    TFakeBrowserEngine(TFakeBrowserFactory* factory, TBrowserEvents events);
    ~TFakeBrowserEngine() override;

    // IBrowserEngine
    void* NativeView() const override { return FView.get(); }
    void Navigate(const std::string& url) override;
    bool CanGoBack() const override { return FHistoryIndex > 0; }
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
    int ZoomLevel() const override { return FZoomLevel; }
    void ShowFindBar() override;
    void Focus() override { FFocused = true; }
    bool HasFocus() const override { return FFocused; }
    bool DeliverKey(const TBrowserKey& key) override;
    void Snapshot(TSnapshotDone done) override;
    bool PlayingAudio() const override { return FPlayingAudio; }
    bool Muted() const override { return FMuted; }
    void SetMuted(bool muted) override { FMuted = muted; }

    // The user and the page.
    void ClickLink(const std::string& url);          // a link that opens in this view
    void ClickLinkNewWindow(const std::string& url); // target="_blank"
    // The page asks for a right; the answer shows in Commands as
    // "PermissionGranted <kind>" or "PermissionDenied <kind>".
    void RequestPermission(TPermissionKind kind);
    static std::string PermissionName(TPermissionKind kind);
    void HoverLink(const std::string& url);          // "" when the pointer leaves the link
    // A link whose answer is a file: the navigation starts, then becomes a
    // download and the view keeps its page.
    void ClickDownloadLink(const std::string& url);
    void ClickIntoPage();                            // the view takes the focus itself
    void RunScript(const TFakeAction& action);
    void LoseFocus() { FFocused = false; }
    // The page starts or stops its sound.
    void PlayAudio(bool playing);
    // The process that shows the page dies.
    void Crash();

    // What happened.
    bool Loading() const { return FLoadingStep != 0; }
    const std::vector<std::string>& History() const { return FHistory; }
    int HistoryIndex() const { return FHistoryIndex; }
    // The engine whose page opened this view's page, while it lives.
    TFakeBrowserEngine* Opener() const;
    // "Print", "Print prompt", "PrintPreview", "PageSetup", "SaveAs <file>",
    // "Cut", "Copy", "Paste <text>", "SelectAll", "Refresh", "Refresh
    // completely", "Stop", "FindBar", "PopupRefused <url>",
    // "PermissionGranted <kind>", "PermissionDenied <kind>".
    const std::vector<std::string>& Commands() const { return FCommands; }
    const std::vector<TBrowserKey>& Keys() const { return FKeys; }
    bool FindBarShown() const { return FFindBarShown; }
    // The account slot whose store the page uses; a window a page opened
    // uses its opener's, as a related view does.
    int Account() const { return FAccount; }
    const std::string& Selection() const { return FSelection; }

private:
    friend class TFakeBrowserFactory;
    enum class TMove { New, Back, Forward, Reload };
    // Identifies one native view; a page opened by another view gets a new one.
    struct TView {
        int Id = 0;
    };

    void StartNavigation(const std::string& url, TMove move, int historyTarget);
    void BeginStep(int step, std::string url, TMove move, int historyTarget);
    void FinishStep(int step);
    void Commit(const std::string& url, TMove move, int historyTarget);
    void RunOnLoad(const std::vector<TFakeAction>& actions);
    void OpenWindow(const std::string& url, bool userGesture);
    void AcceptWindow(TFakeBrowserEngine* opener, const std::string& url);
    bool Notify(const std::function<void()>& call); // false once this engine is gone
    std::string EffectiveTitle() const;
    void Log(std::string command) { FCommands.push_back(std::move(command)); }

    TFakeBrowserFactory* FFactory;
    TBrowserEvents FEvents;
    int FAccount = 0;
    std::unique_ptr<TView> FView;
    std::shared_ptr<int> FAlive = std::make_shared<int>(0);
    int FLoadingStep = 0; // the step that will finish the load; 0 when idle
    int FNextStep = 1;
    std::string FPendingURL; // set from Navigate until the load commits or stops
    std::string FURL;        // committed address; "" before the first load
    TFakePage FPage;
    std::string FTitle; // set by the page's script, else the page's own
    bool FCrashed = false;
    std::vector<std::string> FHistory;
    int FHistoryIndex = -1;
    TFakeBrowserEngine* FOpener = nullptr;
    std::weak_ptr<int> FOpenerAlive;
    int FZoomLevel = 2;
    bool FPlayingAudio = false;
    bool FMuted = false;
    bool FFocused = false;
    bool FFindBarShown = false;
    std::string FSelection;
    std::vector<std::string> FCommands;
    std::vector<TBrowserKey> FKeys;
};

} // namespace platform

#pragma once
// The engine behind one embedded browser view, and the process-wide factory
// that makes engines. The WebKit engine shows real pages; the scripted
// engine in fake/ stands in for it in tests. The control above this layer
// turns these callbacks into its published events.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// A browser operation failed; the message is meant for the user.
class BrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TEditCommand { Cut, Copy, Paste, SelectAll };

// What the properties dialog shows about the page.
struct TPageInfo {
    std::string Title;
    std::string URL;
    std::string MimeType; // empty when unknown
    int64_t Size = -1;    // bytes of the page itself; -1 when unknown
};

// A keyboard message as the application's queue carries it.
struct TBrowserKey {
    uint32_t Message = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
};

// A picture of what a view shows: straight (not premultiplied) RGBA bytes,
// rows top to bottom, Width * 4 bytes each.
struct TPageSnapshot {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgba;
};

class IBrowserEngine;

// What a page may ask the user for.
enum class TPermissionKind { Notifications, Geolocation, Media, PointerLock };

// How an engine reports to its owner. Every callback may arrive inside the
// engine's own window-system callbacks: BeforeNavigate and NewWindow must
// answer there and then; the others should leave the callback before doing
// anything that can wait or destroy the engine.
struct TBrowserEvents {
    // Before each navigation, also of frames inside the page and of the
    // owner's own Navigate; true cancels it. `mainFrame` tells the page's
    // own navigations from those of its frames. An engine that can tell the
    // two apart only once a navigation has begun may report it then (a
    // frame's when its answer arrives); cancelling still stops it before
    // anything of it is shown.
    std::function<bool(const std::string& url, bool mainFrame)> BeforeNavigate;
    // The page asks for a new window (url may be empty for window.open()).
    // `userGesture`: the user's click or key asked for it, not a script on
    // its own. Answer the engine that shows it, or nullptr to refuse the
    // window.
    std::function<IBrowserEngine*(const std::string& url, bool userGesture)> NewWindow;
    std::function<void(const std::string& title)> TitleChange;
    std::function<void(const std::string& text)> StatusTextChange;
    std::function<void(const std::string& url)> DocumentComplete;
    // The page closed its own window.
    std::function<void()> CloseRequest;
    // The engine now shows its page in another native view (a new window's
    // page always lives in a view made for it); `oldView` is still valid
    // during the call and goes right after it.
    std::function<void(void* oldView)> NativeViewChanged;
    // The view took the keyboard focus by itself (a click into the page).
    std::function<void()> FocusIn;
    // Something that ran on its own after the call that started it failed.
    std::function<void(const std::string& message)> Failure;
    // A navigation of this view turned into a download of `url`: the view
    // keeps the page it had.
    std::function<void(const std::string& url)> DownloadStarted;

    // The user asked for a link in a tab of its own that stays behind the
    // current one (middle click, Ctrl+click, the context menu). False: the
    // owner has no such tabs, and the link goes where it would have gone.
    std::function<bool(const std::string& url)> OpenInNewTab;
    // Ctrl+wheel over the page: one text size level up (+1) or down (-1).
    // Without a handler the engine steps its own level.
    std::function<void(int delta)> TextSizeStep;
    // Ctrl+O in the page: the owner's open command.
    std::function<void()> OpenRequest;
    // The page agreed to close after TryClose (it may have asked the user).
    std::function<void()> CloseAllowed;
    // The page asks whether the user really leaves it (closing the tab or
    // going elsewhere). The owner asks the user and calls `answer` once,
    // later, with true to leave. Without a handler the engine asks itself.
    std::function<void(std::function<void(bool leave)> answer)> LeaveQuestion;
    // Loading started, went on or ended; percent 0..100.
    std::function<void(bool loading, int percent)> LoadProgress;
    // The page asked for fullscreen (true) or left it (false); the owner
    // gives the view the whole screen and takes it back.
    std::function<void(bool enter)> FullScreen;
    // The page asks for one of the user's rights. The owner calls `answer`
    // once, now or later, with true to grant it; an answer never given
    // refuses it. Pointer lock right after the user's click or key is the
    // page's without asking. Without a handler every request is refused.
    std::function<void(TPermissionKind kind, std::function<void(bool allow)> answer)> PermissionRequest;
    // The page began or stopped making sound (whether or not it is muted).
    std::function<void(bool playing)> AudioChange;
};

class IBrowserEngine {
public:
    virtual ~IBrowserEngine() = default;

    // The view the window system shows (a GtkWidget* for WebKit). It may
    // change; NativeViewChanged says when.
    virtual void* NativeView() const = 0;

    // Starts loading and returns at once. The URL is taken as typed:
    // paths and addresses without a scheme are made absolute first.
    virtual void Navigate(const std::string& url) = 0;
    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh(bool bypassCache) = 0;
    virtual void Stop() = 0;

    // The address of the page shown ("about:blank" for a blank view) and its
    // title (the address when the page has none).
    virtual std::string LocationURL() const = 0;
    virtual std::string LocationName() const = 0;
    // The body element's outer markup; nothing when the page has no body.
    virtual std::optional<std::string> BodyOuterHTML() = 0;
    virtual TPageInfo PageInfo() = 0;
    // A file name for saving the page, without folder.
    virtual std::string SuggestedFileName() const = 0;

    // Standard commands. Dialogs of the window system are the engine's own;
    // a failure noticed later is reported through Failure.
    virtual void SaveAs(const std::string& fileName) = 0;
    virtual void Print(bool prompt) = 0;
    virtual void PrintPreview() = 0;
    virtual void PageSetup() = 0;
    virtual void EditCommand(TEditCommand command) = 0;
    // Text size level TEXT_ZOOM_MIN_LEVEL..TEXT_ZOOM_MAX_LEVEL.
    virtual void SetZoomLevel(int level) = 0;
    virtual int ZoomLevel() const = 0;
    virtual void ShowFindBar() = 0;

    virtual void Focus() = 0;
    virtual bool HasFocus() const = 0;
    // A key the application's queue took for this view. Answers whether the
    // page has it (delivered now or already by the window system).
    virtual bool DeliverKey(const TBrowserKey& key) = 0;

    // Asks the page whether it may go (its unload question). True: it may,
    // now. False: CloseAllowed follows if and when it agrees.
    virtual bool TryClose() { return true; }
    // Ends a fullscreen the page asked for.
    virtual void ExitFullScreen() {}

    // Takes a picture of the part of the page the view shows (all of the
    // screen for a page in its own fullscreen). `done` runs later from the
    // event loop, never inside this call, with the picture or, without one,
    // the reason for the user. Not called when the engine is gone by then.
    using TSnapshotDone =
        std::function<void(std::shared_ptr<TPageSnapshot> picture, const std::string& error)>;
    virtual void Snapshot(TSnapshotDone done) = 0;

    // Whether the page makes sound now (also while muted), and the view's
    // own mute, which the page cannot see or undo.
    virtual bool PlayingAudio() const = 0;
    virtual bool Muted() const = 0;
    virtual void SetMuted(bool muted) = 0;
};

// What the browsing data clean-up removes; flags.
enum TBrowsingData : unsigned {
    bdCache = 1,   // cached pages, pictures and scripts, in memory and on disk
    bdCookies = 2, // every site's cookies
};

// Account slots: views whose cookies, site data and cache form a store of
// their own, one per slot 1..ACCOUNT_SLOTS, kept between runs, so that a
// player can be logged in to one site twice. Slot 0 is the common store.
constexpr int ACCOUNT_SLOTS = 9;

enum class TDownloadState { Running, Finished, Failed, Cancelled };

// One download as the user sees it.
struct TDownloadInfo {
    int Id = 0;
    std::string URL;
    std::string Name; // the file's name in its folder
    std::string Path; // where the file is, or goes once complete
    TDownloadState State = TDownloadState::Running;
    int64_t Received = 0;
    int64_t Total = -1; // -1 when the server did not say
    double BytesPerSecond = 0;
    std::string Error; // why it failed, for the user
};

class IBrowserEngineFactory {
public:
    virtual ~IBrowserEngineFactory() = default;
    virtual std::unique_ptr<IBrowserEngine> CreateEngine(TBrowserEvents events) = 0;
    // An engine in account slot `account` (0..ACCOUNT_SLOTS); the windows its
    // pages open stay in the slot. Raises BrowserError for a slot the
    // factory cannot make.
    virtual std::unique_ptr<IBrowserEngine> CreateEngineInAccount(TBrowserEvents events, int account) {
        if (account == 0) return CreateEngine(std::move(events));
        throw BrowserError("此浏览引擎不支持小号页");
    }

    // Removes the data of every view, those of every account slot included,
    // open or not (`kinds`: TBrowsingData flags). The work
    // runs in the background; `done` gets "" or the reason it failed, later,
    // from the event loop, and is never called from inside this call.
    using TClearDone = std::function<void(const std::string& error)>;
    virtual void ClearBrowsingData(unsigned kinds, TClearDone done) = 0;

    // Every change of every download is told here, from the event loop, a
    // few times a second at most while data comes in. One observer.
    using TDownloadObserver = std::function<void(const TDownloadInfo& download)>;
    virtual void SetDownloadObserver(TDownloadObserver observer) { (void)observer; }
    // Stops a running download; its part file goes.
    virtual void CancelDownload(int id) { (void)id; }
};

// The factory every browser control takes its engine from: WebKit in the
// program, the scripted engine in tests. Not owned; it must outlive every
// engine it made. nullptr leaves no factory.
void SetBrowserEngineFactory(IBrowserEngineFactory* factory);
IBrowserEngineFactory* BrowserEngineFactory();

} // namespace platform

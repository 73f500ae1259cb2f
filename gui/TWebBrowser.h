#pragma once
// The embedded browser control. It owns one engine from the process-wide
// factory (WebKit in the program, the scripted engine in tests), shows the
// engine's native view over its own rectangle, and turns the engine's
// callbacks into its published events.
//
// Which events wait for the loop: OnBeforeNavigate2 and OnNewWindow2 run at
// once inside the engine's callback, because their answers (Cancel, ppDisp)
// decide what the engine does next; they must not wait for anything the
// page does. OnTitleChange, OnStatusTextChange and OnDocumentComplete are
// queued on the application's message queue and run from the loop, in the
// order the engine reported them. A page that closes itself posts WM_CLOSE to
// Handle(). An error escaping a handler never reaches the engine: it goes to
// the default error report from the queue.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gui/IBrowserAutomation.h"
#include "gui/THost.h"
#include "gui/TValue.h"
#include "gui/TWinControl.h"
#include "platform/browser/IBrowserEngine.h"
#include "platform/browser/OleCommands.h"

using TBeforeNavigate2Event =
    std::function<void(TObject* sender, const std::string& url, bool& cancel)>;
using TNewWindow2Event =
    std::function<void(TObject* sender, IBrowserAutomation*& ppDisp, bool& cancel)>;
using TTitleChangeEvent = std::function<void(TObject* sender, const std::string& text)>;
using TStatusTextChangeEvent = std::function<void(TObject* sender, const std::string& text)>;
using TDocumentCompleteEvent =
    std::function<void(TObject* sender, IBrowserAutomation* pDisp, const std::string& url)>;
using TOpenInNewTabEvent = std::function<void(TObject* sender, const std::string& url)>;
using TTextSizeStepEvent = std::function<void(TObject* sender, int delta)>;
using TProgressChangeEvent = std::function<void(TObject* sender, bool loading, int percent)>;
using TFullScreenEvent = std::function<void(TObject* sender, bool enter)>;
using TPermissionRequestEvent = std::function<void(TObject* sender, platform::TPermissionKind kind,
                                                   std::function<void(bool allow)> answer)>;

// The window a page asks for, while OnNewWindow2 runs.
struct TNewWindowRequest {
    std::string URL; // may be empty (window.open() without an address)
    bool UserGesture = true; // the user's click or key asked for it
};

// The page's HTML document as far as callers read it.
struct TBrowserDocument {
    std::string URL;
    // Nothing when the page has no body element (nothing loaded, not HTML).
    std::optional<std::string> BodyOuterHTML;
};

class TWebBrowser : public TWinControl, public IBrowserAutomation {
    XF_CLASS(TWebBrowser)
public:
    // Raises EComponentError when no engine factory is set.
    explicit TWebBrowser(TComponent* owner);
    ~TWebBrowser() override;

    // Starts loading and returns at once; the events follow.
    void Navigate(const std::string& url);
    // Raise Exception when the history has no such page.
    void GoBack();
    void GoForward();
    void Refresh();
    void Stop();
    // Runs a standard command (OLECMDID_*) with an option (OLECMDEXECOPT_*).
    // OLECMDID_ZOOM takes the level 0..4 in `in` (empty: keep it) and gives
    // the level in force in `out`; OLECMDID_SAVEAS may take the file name in
    // `in`. Unknown commands and bad values raise Exception.
    void ExecWB(int32_t command, int32_t option, const TValue& in = {}, TValue* out = nullptr);

    std::string LocationURL() const;
    std::string LocationName() const;
    // The automation object; the engine of a new window is found through it.
    IBrowserAutomation* Application() { return this; }
    // While OnBeforeNavigate2 runs: whether the navigation is the page's own
    // rather than one of a frame inside it.
    bool MainFrameNavigation() const { return FMainFrameNavigation; }
    // While OnNewWindow2 runs: what the page asked for, and whether the
    // user did.
    const TNewWindowRequest& NewWindowRequest() const { return FNewWindowRequest; }
    TBrowserDocument Document();
    platform::IBrowserEngine& Engine() const { return *FEngine; }

    // The account slot whose cookies and site data the pages use (0: the
    // common store). The browsers made while a TAccountScope lives (a stored
    // layout makes them) are in its slot; a bad slot raises Exception.
    int Account() const { return FAccount; }
    class TAccountScope {
    public:
        explicit TAccountScope(int account);
        ~TAccountScope();
        TAccountScope(const TAccountScope&) = delete;
        TAccountScope& operator=(const TAccountScope&) = delete;

    private:
        int FPrevious;
    };

    // IBrowserAutomation
    TWebBrowser* Browser() override { return this; }
    HRESULT TranslateAccelerator(const TMsg& msg) override;
    bool HasNativeView() const override { return true; }

    // Asks the page whether it may go. True: it may, now; false: the
    // answer comes later, as OnCloseAllowed when the page agrees.
    bool TryClose();
    void ExitFullScreen();
    // A picture of what the page shows; `done` runs from the queue, later,
    // with the picture or the reason there is none, and not at all once
    // this control is gone.
    using TSnapshotEvent =
        std::function<void(TWebBrowser& sender, std::shared_ptr<platform::TPageSnapshot> picture,
                           const std::string& error)>;
    void Snapshot(TSnapshotEvent done);
    // The page's sound: whether it plays now, and the mute the user set.
    bool PlayingAudio() const { return FEngine->PlayingAudio(); }
    bool Muted() const { return FEngine->Muted(); }
    void SetMuted(bool muted) { FEngine->SetMuted(muted); }
    // The view covers the whole window instead of this control's rectangle,
    // above every other view (a fullscreen page).
    void SetCoverWindow(bool cover);
    bool CoverWindow() const { return FCoverWindow; }

    void WndProc(TMessage& message) override;
    void PlacementChanged() override;

    TBeforeNavigate2Event OnBeforeNavigate2;
    TNewWindow2Event OnNewWindow2;
    TTitleChangeEvent OnTitleChange;
    TStatusTextChangeEvent OnStatusTextChange;
    TDocumentCompleteEvent OnDocumentComplete;
    // A navigation of this browser became a download of `url` (the text is
    // the address); the browser stays on its page.
    std::function<void(TObject* sender, const std::string& url)> OnDownloadStart;
    // The browser's own gestures and requests; all of them run from the
    // queue. Without OnOpenInNewTab a link opens where it would have; without
    // OnTextSizeStep the control steps its own text size.
    TOpenInNewTabEvent OnOpenInNewTab;
    TTextSizeStepEvent OnTextSizeStep;
    TNotifyEvent OnOpenRequest;
    TNotifyEvent OnCloseAllowed;
    TProgressChangeEvent OnProgressChange;
    TFullScreenEvent OnFullScreen;
    // The page asks for one of the user's rights; the handler calls `answer`
    // once, now or later (never: refused). Without a handler it is refused.
    TPermissionRequestEvent OnPermissionRequest;
    // The page began or stopped playing sound (from the queue).
    TNotifyEvent OnAudioChange;

protected:
    void DoEnter() override;
    bool WantsKey(int key) const override;

private:
    platform::TBrowserEvents MakeEvents();
    bool BeforeNavigate(const std::string& url, bool mainFrame);
    platform::IBrowserEngine* NewWindow(const std::string& url, bool userGesture);
    void NativeViewChanged(void* oldView);
    // Runs `fn` from the queue if this control still exists then.
    void Later(std::function<void(TWebBrowser&)> fn);
    // Runs an event handler inside an engine callback: an error it raises is
    // reported from the queue instead of crossing into the engine.
    void Guarded(const std::function<void()>& fn);
    void PlaceView();
    void DetachView();
    void SaveAs(int32_t option, const TValue& in);
    void Zoom(const TValue& in, TValue* out);
    void ShowProperties();
    bool IsFindKey(const TMessage& message) const;

    std::unique_ptr<platform::IBrowserEngine> FEngine;
    int FAccount = 0;
    void AddPlayerEvents(platform::TBrowserEvents& events);
    void StepTextSize(int delta);

    void* FAttachedView = nullptr;
    bool FCoverWindow = false;
    THostWindow FAttachedWindow = 0;
    bool FMainFrameNavigation = true;
    TNewWindowRequest FNewWindowRequest;
};

#pragma once
// The application object: one message queue, the loop, the hooks that see
// every message before its window, timers, handles and the default error
// report.
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gui/Messages.h"
#include "gui/TComponent.h"
#include "gui/THost.h"
#include "gui/TMessageTarget.h"

class TApplicationEvents;
class TCustomForm;

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;

class TApplication : public TComponent, public TMessageTarget {
    XF_CLASS(TApplication)
public:
    explicit TApplication(THost* host);
    ~TApplication() override;

    THost& Host() const { return *FHost; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title) { FTitle = title; }
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* form) { FMainForm = form; }
    HWND Handle() const { return FHandle; }

    // The loop.
    void Run();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // Handles every queued message, then paints what is invalid; returns
    // without waiting.
    void ProcessMessages();
    // One message, or (none queued) paint and wait for the next event.
    void HandleMessage();

    // Messages.
    void PostMessage(HWND hwnd, uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
    void PostMsg(const TMsg& msg);
    LRESULT SendMessage(HWND hwnd, uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Runs `fn` from the queue, after what is queued now. Used to leave
    // callbacks of the window system and of the web views before doing work
    // that may destroy their senders.
    void Queue(std::function<void()> fn);
    void TranslateMessage(const TMsg& msg);
    void DispatchMessage(const TMsg& msg);
    size_t QueuedCount() const { return FQueue.size(); }

    // Sees every message before the hooks; true consumes it. An open menu
    // takes the keyboard and mouse this way, as a modal menu loop would.
    static inline std::function<bool(const TMsg& msg)> MenuMessageFilter;

    // Hooks (application message events) in creation order.
    void AddHook(TApplicationEvents* hook);
    void RemoveHook(TApplicationEvents* hook);

    // Window handles.
    HWND AllocateHandle(TMessageTarget* target);
    void ReleaseHandle(HWND hwnd);
    TMessageTarget* FindTarget(HWND hwnd) const;
    void RouteToFocus(TMsg& msg) const;
    static void TakeModifierState(const TMsg& msg);

    // Timers post WM_TIMER (wParam = id) to their window when due; a timer
    // whose WM_TIMER is still queued is not posted again.
    void SetTimer(HWND hwnd, uintptr_t id, uint32_t intervalMs);
    void KillTimer(HWND hwnd, uintptr_t id);

    // Forms register so that the idle step can paint them.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    const std::vector<TCustomForm*>& Forms() const { return FForms; }
    void PaintInvalidForms();

    // Errors.
    void HandleException(TObject* sender, const std::exception& e);
    void ShowException(const std::exception& e);
    TExceptionEvent OnException;
    int MessageBox(const std::string& text, const std::string& caption, uint32_t flags);
    struct TShownBox {
        std::string Text;
        std::string Caption;
    };
    // Every message box shown so far (the state dump lists them).
    const std::vector<TShownBox>& ShownBoxes() const { return FShownBoxes; }

    void WndProc(TMessage& message) override;

private:
    struct TTimerEntry {
        HWND Hwnd;
        uintptr_t Id;
        uint32_t Interval;
        uint64_t Due;
    };

    bool ProcessMessage();
    void PostDueTimers();
    int MsUntilNextTimer() const;
    bool TimerQueued(const TTimerEntry& timer) const;
    bool RunHooks(TMsg& msg);

    THost* FHost;
    std::string FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    HWND FHandle = 0;
    std::deque<TMsg> FQueue;
    std::vector<TApplicationEvents*> FHooks;
    std::map<HWND, TMessageTarget*> FHandles;
    HWND FNextHandle = 0x100;
    std::vector<TTimerEntry> FTimers;
    std::vector<TCustomForm*> FForms;
    std::map<uintptr_t, std::function<void()>> FCallbacks;
    uintptr_t FNextCallback = 1;
    std::vector<TShownBox> FShownBoxes;
};

// The one application object of the process (set by its constructor).
extern TApplication* Application;

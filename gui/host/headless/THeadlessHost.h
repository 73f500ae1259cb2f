#pragma once
// Windows in memory for tests: the same back buffers as the real host, a
// virtual clock, scripted answers for message boxes and file dialogs, and a
// log of every message box shown.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "gui/THost.h"
#include "gui/graphics/TRegion.h"

struct TMessageBoxRecord {
    std::string Text;
    std::string Caption;
    uint32_t Flags = 0;
    int Answer = 0;
};

class THeadlessHost : public THost {
public:
    struct TWindowState {
        TWindowKind Kind = TWindowKind::TopLevel;
        IHostWindowClient* Client = nullptr;
        TRect Bounds;
        bool Visible = false;
        bool Decorated = true;
        bool KeepAbove = false;
        bool HasRegion = false;
        TRegion Region;
        std::string Title;
        int MinWidth = 0;
        int MinHeight = 0;
        int PresentCount = 0;
        // What the window manager was asked for.
        bool Minimized = false;
        bool Maximized = false;
        TRect MaximizedArea;
    };

    THeadlessHost();

    // The test's controls.
    void AdvanceClock(uint64_t ms) { FClock += ms; }
    void SetWorkArea(const TRect& area) { FWorkArea = area; }
    void SetCursorPos(TPoint point) { FCursor = point; }
    // Answers for the next message boxes, in order; when none is queued the
    // box answers with its first button (IDOK, IDYES, ...).
    void QueueMessageBoxAnswer(int answer) { FAnswers.push_back(answer); }
    void QueueFileDialogResult(bool accepted, const std::string& fileName);
    const std::vector<TMessageBoxRecord>& MessageBoxes() const { return FBoxes; }
    void ClearMessageBoxes() { FBoxes.clear(); }
    const TWindowState* Window(THostWindow window) const;
    std::vector<THostWindow> Windows() const;
    const std::vector<TFileDialogRequest>& FileDialogs() const { return FDialogRequests; }
    // When true, PumpEvents with a timeout moves the virtual clock forward
    // instead of waiting (so Application::Run can reach timers).
    void SetClockJumps(bool jumps) { FClockJumps = jumps; }

    // Scripted input into a window, as the real host would deliver it.
    void MouseEvent(THostWindow window, uint32_t msg, TPoint point, WPARAM keys = 0);
    void Click(THostWindow window, TPoint point);
    void KeyEvent(THostWindow window, uint32_t msg, int virtualKey, LPARAM keyData = 0, char16_t ch = 0);
    void TypeText(THostWindow window, const std::u16string& text);
    void CloseRequest(THostWindow window);
    // Without a window manager nothing can minimise a window.
    void SetWindowManager(bool running) { FWindowManager = running; }
    // The window manager changes a window's state on its own (the task
    // list restores it, its keys maximise it).
    void WindowManagerState(THostWindow window, bool minimized, bool maximized);

    // The desktop's global keys: what the next grab answers (Grabbed by
    // default), the chord held (key 0: none), and a press of a chord from
    // another program's window (true when it was the one held).
    void SetGlobalKeyAnswer(TGlobalKeyGrab answer) { FGlobalAnswer = answer; }
    int GlobalKey() const { return FGlobalKey; }
    TShiftState GlobalKeyShift() const { return FGlobalShift; }
    bool PressGlobalKey(int virtualKey, TShiftState shift);

    // THost
    THostWindow CreateWindow(TWindowKind kind, IHostWindowClient* client) override;
    void DestroyWindow(THostWindow window) override;
    void SetWindowBounds(THostWindow window, const TRect& bounds) override;
    TRect WindowBounds(THostWindow window) const override;
    void SetWindowVisible(THostWindow window, bool visible) override;
    bool WindowVisible(THostWindow window) const override;
    void SetWindowTitle(THostWindow window, const std::string& title) override;
    void SetWindowDecorated(THostWindow window, bool decorated) override;
    void SetWindowKeepAbove(THostWindow window, bool above) override { State(window).KeepAbove = above; }
    void SetWindowRegion(THostWindow window, const TRegion* region) override;
    void SetWindowMinSize(THostWindow window, int width, int height) override;
    void PresentWindow(THostWindow window, const TRect& area) override;
    void ActivateWindow(THostWindow window) override;
    void BeginMoveDrag(THostWindow window, TPoint screenPoint) override;
    // How many window moves the program started.
    int MoveDrags() const { return FMoveDrags; }
    void BeginResizeDrag(THostWindow window, int hitTest, TPoint screenPoint) override;
    void SetCapture(THostWindow window) override { FCapture = window; }
    void ReleaseCapture() override { FCapture = 0; }
    THostWindow Capture() const { return FCapture; }
    TPoint CursorPos() const override { return FCursor; }
    TRect WorkArea() const override { return FWorkArea; }
    uint64_t NowMs() const override { return FClock; }
    bool PumpEvents(int timeoutMs) override;
    int MessageBox(THostWindow parent, const std::string& text, const std::string& caption,
                   uint32_t flags) override;
    bool FileDialog(THostWindow parent, const TFileDialogRequest& request,
                    std::string& fileName) override;
    std::string ClipboardText() override { return FClipboard; }
    void SetClipboardText(const std::string& text) override { FClipboard = text; }
    void AttachNativeView(THostWindow window, void* view) override;
    void PlaceNativeView(void* view, const TRect& rect, bool visible) override;
    void DetachNativeView(void* view) override;
    void FocusNativeView(void* view) override { FFocusedView = view; }
    bool MinimizeWindow(THostWindow window) override;
    void RestoreWindow(THostWindow window) override { State(window).Minimized = false; }
    void SetWindowMaximized(THostWindow window, bool maximized, const TRect& area) override;
    TGlobalKeyGrab GrabGlobalKey(int virtualKey, TShiftState shift,
                                 std::function<void()> pressed) override;
    void ReleaseGlobalKey() override;

    struct TNativeViewState {
        THostWindow Window = 0;
        TRect Rect;
        bool Visible = false;
    };
    const TNativeViewState* NativeView(void* view) const;
    THostWindow ActiveWindow() const { return FActive; }

private:
    TWindowState& State(THostWindow window);

    std::map<THostWindow, TWindowState> FWindows;
    std::map<void*, TNativeViewState> FViews;
    THostWindow FNextWindow = 1;
    THostWindow FCapture = 0;
    THostWindow FActive = 0;
    void* FFocusedView = nullptr;
    uint64_t FClock = 0;
    bool FClockJumps = false;
    TRect FWorkArea{0, 0, 1920, 1040};
    TPoint FCursor;
    int FMoveDrags = 0;
    bool FWindowManager = true;
    std::deque<int> FAnswers;
    std::deque<std::pair<bool, std::string>> FDialogResults;
    std::vector<TFileDialogRequest> FDialogRequests;
    std::vector<TMessageBoxRecord> FBoxes;
    std::string FClipboard;
    TGlobalKeyGrab FGlobalAnswer = TGlobalKeyGrab::Grabbed;
    int FGlobalKey = 0;
    TShiftState FGlobalShift = 0;
    std::function<void()> FGlobalPressed;
};

#include "gui/host/headless/THeadlessHost.h"

#include "gui/Exception.h"

THeadlessHost::THeadlessHost() = default;

THeadlessHost::TWindowState& THeadlessHost::State(THostWindow window) {
    auto it = FWindows.find(window);
    if (it == FWindows.end()) throw Exception("headless host: no window " + std::to_string(window));
    return it->second;
}

const THeadlessHost::TWindowState* THeadlessHost::Window(THostWindow window) const {
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : &it->second;
}

std::vector<THostWindow> THeadlessHost::Windows() const {
    std::vector<THostWindow> out;
    for (auto& [id, state] : FWindows) out.push_back(id);
    return out;
}

void THeadlessHost::QueueFileDialogResult(bool accepted, const std::string& fileName) {
    FDialogResults.emplace_back(accepted, fileName);
}

THostWindow THeadlessHost::CreateWindow(TWindowKind kind, IHostWindowClient* client) {
    THostWindow id = FNextWindow++;
    TWindowState state;
    state.Kind = kind;
    state.Client = client;
    FWindows[id] = state;
    return id;
}

void THeadlessHost::DestroyWindow(THostWindow window) {
    FWindows.erase(window);
    if (FCapture == window) FCapture = 0;
    if (FActive == window) FActive = 0;
    for (auto& [view, state] : FViews)
        if (state.Window == window) state.Window = 0;
}

void THeadlessHost::SetWindowBounds(THostWindow window, const TRect& bounds) {
    TWindowState& s = State(window);
    TRect b = bounds;
    if (b.Width() < s.MinWidth) b.Right = b.Left + s.MinWidth;
    if (b.Height() < s.MinHeight) b.Bottom = b.Top + s.MinHeight;
    s.Bounds = b;
    // A real window system reports the size it applied; so do we when it
    // differs from the request.
    if (b != bounds && s.Client) s.Client->HostBoundsChanged(b);
}

TRect THeadlessHost::WindowBounds(THostWindow window) const {
    auto* s = Window(window);
    return s ? s->Bounds : TRect{};
}

void THeadlessHost::SetWindowVisible(THostWindow window, bool visible) { State(window).Visible = visible; }

bool THeadlessHost::WindowVisible(THostWindow window) const {
    auto* s = Window(window);
    return s && s->Visible;
}

void THeadlessHost::SetWindowTitle(THostWindow window, const std::string& title) {
    State(window).Title = title;
}

void THeadlessHost::SetWindowDecorated(THostWindow window, bool decorated) {
    State(window).Decorated = decorated;
}

void THeadlessHost::SetWindowRegion(THostWindow window, const TRegion* region) {
    State(window).HasRegion = region != nullptr;
    State(window).Region = region ? *region : TRegion();
}

void THeadlessHost::SetWindowMinSize(THostWindow window, int width, int height) {
    TWindowState& s = State(window);
    s.MinWidth = width;
    s.MinHeight = height;
}

void THeadlessHost::PresentWindow(THostWindow window, const TRect&) { ++State(window).PresentCount; }

void THeadlessHost::ActivateWindow(THostWindow window) {
    if (FActive == window) return;
    THostWindow old = FActive;
    FActive = window;
    if (auto* s = Window(old); s && s->Client) s->Client->HostActivated(false);
    if (auto* s = Window(window); s && s->Client) s->Client->HostActivated(true);
}

void THeadlessHost::BeginMoveDrag(THostWindow, TPoint) { ++FMoveDrags; }

void THeadlessHost::BeginResizeDrag(THostWindow, int, TPoint) {}

bool THeadlessHost::PumpEvents(int timeoutMs) {
    if (FClockJumps && timeoutMs > 0) FClock += static_cast<uint64_t>(timeoutMs);
    return false;
}

static int FirstButton(uint32_t flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return IDOK;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

int THeadlessHost::MessageBox(THostWindow, const std::string& text, const std::string& caption,
                              uint32_t flags) {
    int answer = FirstButton(flags);
    if (!FAnswers.empty()) {
        answer = FAnswers.front();
        FAnswers.pop_front();
    }
    FBoxes.push_back({text, caption, flags, answer});
    return answer;
}

bool THeadlessHost::FileDialog(THostWindow, const TFileDialogRequest& request, std::string& fileName) {
    FDialogRequests.push_back(request);
    if (FDialogResults.empty()) return false;
    auto [accepted, name] = FDialogResults.front();
    FDialogResults.pop_front();
    if (accepted) fileName = name;
    return accepted;
}

void THeadlessHost::AttachNativeView(THostWindow window, void* view) { FViews[view].Window = window; }

void THeadlessHost::PlaceNativeView(void* view, const TRect& rect, bool visible) {
    FViews[view].Rect = rect;
    FViews[view].Visible = visible;
}

void THeadlessHost::DetachNativeView(void* view) { FViews.erase(view); }

const THeadlessHost::TNativeViewState* THeadlessHost::NativeView(void* view) const {
    auto it = FViews.find(view);
    return it == FViews.end() ? nullptr : &it->second;
}

void THeadlessHost::MouseEvent(THostWindow window, uint32_t msg, TPoint point, WPARAM keys) {
    TWindowState& s = State(window);
    FCursor = {s.Bounds.Left + point.X, s.Bounds.Top + point.Y};
    if (s.Client) s.Client->HostMouse(msg, point, keys);
}

void THeadlessHost::Click(THostWindow window, TPoint point) {
    MouseEvent(window, WM_MOUSEMOVE, point);
    MouseEvent(window, WM_LBUTTONDOWN, point, MK_LBUTTON);
    MouseEvent(window, WM_LBUTTONUP, point);
}

void THeadlessHost::KeyEvent(THostWindow window, uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) {
    TWindowState& s = State(window);
    if (s.Client) s.Client->HostKey(msg, virtualKey, keyData, ch);
}

void THeadlessHost::TypeText(THostWindow window, const std::u16string& text) {
    TWindowState& s = State(window);
    if (s.Client) s.Client->HostText(text);
}

void THeadlessHost::CloseRequest(THostWindow window) {
    TWindowState& s = State(window);
    if (s.Client) s.Client->HostCloseRequest();
}

bool THeadlessHost::MinimizeWindow(THostWindow window) {
    TWindowState& s = State(window);
    if (!FWindowManager || s.Kind != TWindowKind::TopLevel) return false;
    s.Minimized = true;
    return true;
}

void THeadlessHost::SetWindowMaximized(THostWindow window, bool maximized, const TRect& area) {
    TWindowState& s = State(window);
    if (!FWindowManager) return;
    s.Maximized = maximized;
    s.MaximizedArea = maximized ? area : TRect{};
}

void THeadlessHost::WindowManagerState(THostWindow window, bool minimized, bool maximized) {
    TWindowState& s = State(window);
    s.Minimized = minimized;
    s.Maximized = maximized;
    if (s.Client) s.Client->HostStateChanged(minimized, maximized);
}

TGlobalKeyGrab THeadlessHost::GrabGlobalKey(int virtualKey, TShiftState shift,
                                            std::function<void()> pressed) {
    ReleaseGlobalKey();
    if (FGlobalAnswer != TGlobalKeyGrab::Grabbed && FGlobalAnswer != TGlobalKeyGrab::OnlyXWindows)
        return FGlobalAnswer;
    FGlobalKey = virtualKey;
    FGlobalShift = shift & (ssShift | ssCtrl | ssAlt);
    FGlobalPressed = std::move(pressed);
    return FGlobalAnswer;
}

void THeadlessHost::ReleaseGlobalKey() {
    FGlobalKey = 0;
    FGlobalShift = 0;
    FGlobalPressed = nullptr;
}

bool THeadlessHost::PressGlobalKey(int virtualKey, TShiftState shift) {
    if (FGlobalKey == 0 || virtualKey != FGlobalKey ||
        (shift & (ssShift | ssCtrl | ssAlt)) != FGlobalShift)
        return false;
    // The callback may grab another chord and so replace itself.
    std::function<void()> pressed = FGlobalPressed;
    if (pressed) pressed();
    return true;
}

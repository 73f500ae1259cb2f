#include "gui/TApplication.h"

#include <algorithm>

#include "gui/TApplicationEvents.h"
#include "gui/TForm.h"
#include "gui/TTrace.h"

TApplication* Application = nullptr;

const TClassInfo& TApplication::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass())
            .Prop("Title", &TApplication::Title, &TApplication::SetTitle)
            .Build();
    return info;
}

TApplication::TApplication(THost* host) : TComponent(nullptr), FHost(host) {
    Application = this;
    TTrace::ConfigureFromEnvironment();
    FHandle = AllocateHandle(this);
}

TApplication::~TApplication() {
    // Forms first: their controls release handles and hooks as they go.
    DestroyComponents();
    // A form may own others (a dialog owned by the main window): each one
    // leaves the list as it goes, so take whatever is last until none is left.
    while (!FForms.empty()) delete FForms.back();
    if (Application == this) Application = nullptr;
}

void TApplication::Run() {
    while (!FTerminated) HandleMessage();
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
    PaintInvalidForms();
}

void TApplication::HandleMessage() {
    if (ProcessMessage()) return;
    PaintInvalidForms();
    if (!FQueue.empty() || FTerminated) return;
    FHost->PumpEvents(MsUntilNextTimer());
}

bool TApplication::ProcessMessage() {
    FHost->PumpEvents(0);
    PostDueTimers();
    if (FQueue.empty()) return false;
    TMsg msg = FQueue.front();
    FQueue.pop_front();
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (msg.FocusOf) RouteToFocus(msg);
    TakeModifierState(msg);
    if (TTrace::Enabled(TTraceKind::Messages)) TTrace::Message(msg, FindTarget(msg.hwnd));
    if (MenuMessageFilter && MenuMessageFilter(msg)) return true;
    if (!RunHooks(msg)) {
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
    return true;
}

bool TApplication::RunHooks(TMsg& msg) {
    bool handled = false;
    std::vector<TApplicationEvents*> hooks = FHooks; // a hook may destroy another
    for (TApplicationEvents* hook : hooks) {
        if (std::find(FHooks.begin(), FHooks.end(), hook) == FHooks.end()) continue;
        try {
            bool before = handled;
            hook->DoMessage(msg, handled);
            if (handled && !before && TTrace::Enabled(TTraceKind::Messages))
                TTrace::HookTook(msg, hook);
        } catch (const std::exception& e) {
            HandleException(hook, e);
        }
    }
    return handled;
}

void TApplication::PostMessage(HWND hwnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
    TMsg m;
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    PostMsg(m);
}

void TApplication::PostMsg(const TMsg& msg) {
    TMsg m = msg;
    m.time = FHost->NowMs();
    FQueue.push_back(m);
}

LRESULT TApplication::SendMessage(HWND hwnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
    TMessageTarget* target = FindTarget(hwnd);
    if (!target) return 0;
    TMessage message{msg, wParam, lParam, 0};
    try {
        target->WndProc(message);
    } catch (const std::exception& e) {
        HandleException(dynamic_cast<TObject*>(target), e);
    }
    return message.Result;
}

void TApplication::Queue(std::function<void()> fn) {
    uintptr_t id = FNextCallback++;
    FCallbacks[id] = std::move(fn);
    PostMessage(FHandle, CM_INVOKE, id, 0);
}

void TApplication::TranslateMessage(const TMsg& msg) {
    if (msg.Char == 0) return;
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return;
    TMsg ch = msg;
    ch.message = msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    ch.wParam = msg.Char;
    ch.Char = 0;
    // The character comes next, before anything queued later.
    FQueue.push_front(ch);
}

void TApplication::DispatchMessage(const TMsg& msg) {
    SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void TApplication::WndProc(TMessage& message) {
    if (message.Msg != CM_INVOKE) return;
    auto it = FCallbacks.find(message.WParam);
    if (it == FCallbacks.end()) return;
    std::function<void()> fn = std::move(it->second);
    FCallbacks.erase(it);
    fn();
}

void TApplication::AddHook(TApplicationEvents* hook) {
    if (std::find(FHooks.begin(), FHooks.end(), hook) == FHooks.end()) FHooks.push_back(hook);
}

void TApplication::RemoveHook(TApplicationEvents* hook) {
    FHooks.erase(std::remove(FHooks.begin(), FHooks.end(), hook), FHooks.end());
}

HWND TApplication::AllocateHandle(TMessageTarget* target) {
    HWND hwnd = FNextHandle++;
    FHandles[hwnd] = target;
    return hwnd;
}

void TApplication::ReleaseHandle(HWND hwnd) {
    FHandles.erase(hwnd);
    FTimers.erase(std::remove_if(FTimers.begin(), FTimers.end(),
                                 [hwnd](const TTimerEntry& t) { return t.Hwnd == hwnd; }),
                  FTimers.end());
}

// The modifiers held are those of the key being handled, as when it was
// typed: the host may already have seen Ctrl go up again while the letter
// typed with it still waits in the queue.
void TApplication::TakeModifierState(const TMsg& msg) {
    bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    int key = static_cast<int>(msg.wParam);
    if ((down || up) && (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU))
        SetKeyboardKeyState(key, down);
}

void TApplication::RouteToFocus(TMsg& msg) const {
    auto* form = dynamic_cast<TCustomForm*>(FindTarget(msg.FocusOf));
    if (!form) return;
    TWinControl* focused = form->ActiveControl();
    msg.hwnd = focused ? focused->Handle() : form->Handle();
}

TMessageTarget* TApplication::FindTarget(HWND hwnd) const {
    auto it = FHandles.find(hwnd);
    return it == FHandles.end() ? nullptr : it->second;
}

void TApplication::SetTimer(HWND hwnd, uintptr_t id, uint32_t intervalMs) {
    KillTimer(hwnd, id);
    uint32_t interval = std::max<uint32_t>(intervalMs, 1);
    FTimers.push_back({hwnd, id, interval, FHost->NowMs() + interval});
}

void TApplication::KillTimer(HWND hwnd, uintptr_t id) {
    FTimers.erase(std::remove_if(FTimers.begin(), FTimers.end(),
                                 [&](const TTimerEntry& t) { return t.Hwnd == hwnd && t.Id == id; }),
                  FTimers.end());
}

bool TApplication::TimerQueued(const TTimerEntry& timer) const {
    return std::any_of(FQueue.begin(), FQueue.end(), [&](const TMsg& m) {
        return m.message == WM_TIMER && m.hwnd == timer.Hwnd && m.wParam == timer.Id;
    });
}

void TApplication::PostDueTimers() {
    uint64_t now = FHost->NowMs();
    for (TTimerEntry& timer : FTimers) {
        if (timer.Due > now) continue;
        timer.Due = now + timer.Interval;
        if (!TimerQueued(timer)) PostMessage(timer.Hwnd, WM_TIMER, timer.Id, 0);
    }
}

int TApplication::MsUntilNextTimer() const {
    if (FTimers.empty()) return -1;
    uint64_t now = FHost->NowMs();
    uint64_t next = UINT64_MAX;
    for (const TTimerEntry& timer : FTimers) next = std::min(next, timer.Due);
    return next <= now ? 0 : static_cast<int>(std::min<uint64_t>(next - now, 1u << 30));
}

void TApplication::AddForm(TCustomForm* form) {
    if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TApplication::RemoveForm(TCustomForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FMainForm == form) {
        FMainForm = nullptr;
        FTerminated = true;
    }
}

void TApplication::PaintInvalidForms() {
    std::vector<TCustomForm*> forms = FForms;
    for (TCustomForm* form : forms)
        if (std::find(FForms.begin(), FForms.end(), form) != FForms.end()) form->PaintInvalid();
}

void TApplication::HandleException(TObject* sender, const std::exception& e) {
    if (OnException) {
        OnException(sender, e);
        return;
    }
    for (TApplicationEvents* hook : std::vector<TApplicationEvents*>(FHooks))
        if (hook->OnException) {
            hook->OnException(sender, e);
            return;
        }
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
    MessageBox(e.what(), FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
    FShownBoxes.push_back({text, caption});
    THostWindow parent = 0;
    if (FMainForm) parent = FMainForm->HostWindow();
    return FHost->MessageBox(parent, text, caption, flags);
}

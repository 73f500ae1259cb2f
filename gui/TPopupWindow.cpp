#include "gui/TPopupWindow.h"

#include "gui/TApplication.h"

const TClassInfo& TPopupWindow::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPopupWindow>("TPopupWindow", &TCustomForm::StaticClass())
            .Event("OnCloseUp", &TPopupWindow::OnCloseUp)
            .Build();
    return info;
}

TPopupWindow::TPopupWindow(TComponent* owner) : TCustomForm(owner) {
    SetBorderStyle(TBorderStyle::bsNone);
    SetCaptionBits(false);
    SetColor(clWindow);
}

TPopupWindow::~TPopupWindow() {
    Destroying();
    if (FOpen && FGrabsInput && Application) Application->Host().ReleaseCapture();
}

void TPopupWindow::Popup(const TRect& screenRect) {
    SetBoundsRect(screenRect);
    FCloseReason = TPopupCloseReason::pcrNone;
    FOpen = true;
    // Not Show(): a pop-up must not take activation from the window under it.
    SetVisible(true);
    GrabPointer();
}

void TPopupWindow::GrabPointer() {
    if (FOpen && FGrabsInput) Application->Host().SetCapture(HostWindow());
}

void TPopupWindow::ClosePopup(TPopupCloseReason reason) {
    if (!FOpen) return;
    FOpen = false;
    FCloseReason = reason;
    SetCaptureControl(nullptr);
    if (FGrabsInput) Application->Host().ReleaseCapture();
    SetVisible(false);
    if (OnCloseUp) OnCloseUp(this);
}

// Closing runs handlers that may destroy this window: leave the host's
// callback first.
void TPopupWindow::QueueClose(TPopupCloseReason reason) {
    TSafeRef<TPopupWindow> self(this);
    Application->Queue([self, reason] {
        if (TPopupWindow* popup = self.Get()) popup->ClosePopup(reason);
    });
}

static bool IsButtonDown(uint32_t msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN ||
           msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

void TPopupWindow::HostMouse(uint32_t msg, TPoint point, WPARAM keys) {
    if (!FOpen) return;
    bool inside = TRect{0, 0, Width(), Height()}.Contains(point);
    if (!inside && IsButtonDown(msg)) {
        QueueClose(TPopupCloseReason::pcrOutsideClick);
        return;
    }
    if (!inside && msg != WM_MOUSEMOVE && CaptureControl() == nullptr) return;
    TCustomForm::HostMouse(msg, point, keys);
    // A control inside that captured and released the mouse gave up the
    // host's grab with it; take it back once that message has run.
    if (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) {
        TSafeRef<TPopupWindow> self(this);
        Application->Queue([self] {
            if (TPopupWindow* popup = self.Get()) popup->GrabPointer();
        });
    }
}

void TPopupWindow::HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) {
    if (virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU)
        SetKeyboardKeyState(virtualKey, msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN);
    if (!FOpen) return;
    if (virtualKey == VK_ESCAPE && (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN)) {
        QueueClose(TPopupCloseReason::pcrEscape);
        return;
    }
    if (TWinControl* target = FKeyTarget.Get()) {
        TMsg m;
        m.hwnd = target->Handle();
        m.message = msg;
        m.wParam = static_cast<WPARAM>(virtualKey);
        m.lParam = keyData;
        m.Char = (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) ? ch : 0;
        Application->PostMsg(m);
        return;
    }
    TCustomForm::HostKey(msg, virtualKey, keyData, ch);
}

void TPopupWindow::HostText(const std::u16string& text) {
    if (!FOpen) return;
    TWinControl* target = FKeyTarget.Get();
    if (!target) {
        TCustomForm::HostText(text);
        return;
    }
    for (char16_t unit : text)
        Application->PostMessage(target->Handle(), WM_CHAR, unit);
}

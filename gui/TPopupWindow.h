#pragma once
// A pop-up window (drop-down lists, menus): shown at a screen rectangle
// above every other window, without activating it. While it is open it
// holds the pointer, so a press outside it closes it (and goes no
// further); Escape closes it too. Whoever opened it learns of the close
// through OnCloseUp.
//
// Controls inside a pop-up should not capture the mouse themselves
// (clear csCaptureMouse): the pop-up keeps the host's pointer grab.
#include "gui/TCustomForm.h"

enum class TPopupCloseReason { pcrNone, pcrCode, pcrOutsideClick, pcrEscape };

class TPopupWindow : public TCustomForm {
    XF_CLASS(TPopupWindow)
public:
    explicit TPopupWindow(TComponent* owner);
    ~TPopupWindow() override;

    TWindowKind WindowKind() const override { return TWindowKind::Popup; }

    // Places the window at `screenRect` and shows it.
    void Popup(const TRect& screenRect);
    // Hides the window and fires OnCloseUp once; nothing when not open.
    void ClosePopup(TPopupCloseReason reason = TPopupCloseReason::pcrCode);
    bool IsOpen() const { return FOpen; }
    TPopupCloseReason CloseReason() const { return FCloseReason; }

    // Keys (and input-method text) that reach the pop-up go to this control
    // instead, e.g. the combo box that owns a drop-down list keeps driving
    // it with the arrow keys. Escape always closes the pop-up first.
    TWinControl* KeyTarget() const { return FKeyTarget.Get(); }
    void SetKeyTarget(TWinControl* control) { FKeyTarget = control; }

    // Whether an open pop-up grabs the pointer and the keyboard (the
    // default). Without the grab the window under it keeps the keyboard and
    // its input method, and a press outside goes where it was aimed; the
    // owner then closes the pop-up itself.
    bool GrabsInput() const { return FGrabsInput; }
    void SetGrabsInput(bool grabs) { FGrabsInput = grabs; }

    TNotifyEvent OnCloseUp;

    // IHostWindowClient
    void HostMouse(uint32_t msg, TPoint point, WPARAM keys) override;
    void HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) override;
    void HostText(const std::u16string& text) override;

private:
    void GrabPointer();
    void QueueClose(TPopupCloseReason reason);

    bool FOpen = false;
    bool FGrabsInput = true;
    TPopupCloseReason FCloseReason = TPopupCloseReason::pcrNone;
    TSafeRef<TWinControl> FKeyTarget;
};

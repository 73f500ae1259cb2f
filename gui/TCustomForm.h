#pragma once
// A top-level window: its host window and back buffer, caption, border,
// window state and position, the active control, mouse capture, the
// deferred repaint, and closing.
#include <memory>
#include <string>
#include <vector>

#include "gui/THost.h"
#include "gui/TWinControl.h"

class TBitmap;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle { fsNormal, fsStayOnTop };
const TEnumTable& FormStyleNames();
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                       poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
const TEnumTable& WindowStateNames();
const TEnumTable& PositionNames();

class TCustomForm : public TWinControl, public IHostWindowClient {
    XF_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Loads the stored layout of this form, then fires OnCreate.
    void LoadLayout(const std::string& resourceName);
    THostWindow HostWindow();
    virtual TWindowKind WindowKind() const { return TWindowKind::TopLevel; }

    void SetText(const std::string& text) override;
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // The skinned frame draws its own caption: the window manager's goes.
    bool CaptionBits() const { return FCaptionBits; }
    void SetCaptionBits(bool on);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle style);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState state);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int v);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int v);
    // The form's main menu (a TMainMenu).
    TComponent* Menu() const { return FMenu; }
    void SetMenu(TComponent* menu);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    TRect RestoredBounds() const { return FRestoredBounds; }
    // One page covers the whole screen: the window keeps its state (a
    // maximised window stays maximised underneath) but not its shape.
    bool FullScreenMode() const { return FFullScreenMode; }
    void SetFullScreenMode(bool on) { FFullScreenMode = on; }
    // A window without the window manager's caption keeps a frame of this
    // width around its client area, as a caption-less sizeable window does:
    // a press in it resizes the window. Whoever removed the caption paints it
    // (FramePainter, given the whole window's canvas).
    int FrameWidth() const { return FFrameWidth; }
    void SetFrameWidth(int width);
    std::function<void(TCanvas& windowCanvas)> FramePainter;
    // Told whenever the window becomes active or inactive, before OnActivate.
    std::function<void(bool active)> FrameActivated;
    // Told when the window was minimised, maximised or restored.
    std::function<void()> FrameStateChanged;
    // The part of the work area a maximised window takes (all of it unless
    // a frame says otherwise).
    std::function<TRect(const TRect& workArea)> MaximizedArea;
    TRect MaximizedBounds() const;
    TRect NonClientInsets() const override;

    void Show();
    void Hide();
    void Close();
    // Deletes the form from the message queue, after the current message.
    void Release();
    int ShowModal();
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    bool Active() const { return FActive; }

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    TControl* CaptureControl() const { return FCaptureControl; }
    void SetCaptureControl(TControl* control);
    TControl* MouseControl() const { return FMouseControl; }
    // Deepest visible, enabled control at a point in window coordinates.
    TControl* ControlAtWindowPoint(TPoint point) const;
    // Drops every reference this form keeps to a control that goes away.
    void ControlDestroying(TControl* control);

    // Painting: areas in window coordinates merge into one pending repaint,
    // done by PaintInvalid (the loop calls it when the queue is empty).
    void InvalidateWindowArea(const TRect& area);
    bool HasInvalidArea() const { return !FInvalid.IsEmpty(); }
    void PaintInvalid();
    // The form's pixels at its current size.
    TBitmap& BackBuffer();

    // Keyboard steps before and after the focused control.
    virtual bool PreviewKeyDown(int& key, TShiftState shift);
    virtual bool PreviewKeyPress(char16_t& key);
    virtual void DialogKey(TWinControl* from, int& key, TShiftState shift);
    // Offers an Alt+letter to every control (CM_DIALOGCHAR); true when one took it.
    virtual bool DialogChar(char16_t ch);
    // Menu shortcuts; the menu module installs a handler.
    virtual bool IsShortCut(int key, TShiftState shift);
    static inline std::function<bool(TCustomForm* form, int key, TShiftState shift)> ShortCutHandler;
    // Told when a form loses the keyboard to another window; the menu module
    // installs a handler.
    static inline std::function<void(TCustomForm* form)> DeactivateHandler;
    void SelectNext(TWinControl* from, bool forward);

    void SetBounds(int left, int top, int width, int height) override;
    TPoint ClientOrigin() const override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // IHostWindowClient
    const TBitmap* HostBackBuffer() override;
    void HostBoundsChanged(const TRect& bounds) override;
    void HostCloseRequest() override;
    void HostActivated(bool active) override;
    void HostMouse(uint32_t msg, TPoint point, WPARAM keys) override;
    void HostMouseLeave() override;
    void HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) override;
    void HostText(const std::u16string& text) override;
    void HostPreedit(const std::u16string& text, int cursor) override;
    void HostStateChanged(bool minimized, bool maximized) override;
    void HostScaleChanged() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    virtual bool CloseQuery();
    virtual void DoShow();
    void VisibleChanged() override;
    void TextChanged() override;
    void PaintNonClient(TCanvas& canvas) override;

private:
    bool SyncBufferScale();
    // The border hit code of a window point in the frame, or 0.
    int FrameHitTest(TPoint windowPoint) const;
    void ApplyFirstShowPlacement();
    void UpdateMouseControl(TControl* now);
    void SyncHostBounds();
    void ApplyWindowState(TWindowState old);
    void TellStateChanged();

    THostWindow FHostWindow = 0;
    std::unique_ptr<TBitmap> FBuffer;
    TRect FInvalid;
    TBorderStyle FBorderStyle = TBorderStyle::bsSizeable;
    bool FCaptionBits = true;
    TWindowState FWindowState = TWindowState::wsNormal;
    TPosition FPosition = TPosition::poDesigned;
    TRect FRestoredBounds;
    bool FFullScreenMode = false;
    int FMinWidth = 0;
    int FMinHeight = 0;
    bool FKeyPreview = false;
    bool FShownOnce = false;
    bool FActive = false;
    int FFrameWidth = 0;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
    bool FFromHost = false;
    bool FPainting = false;
    bool FReleased = false;
    int FModalResult = 0;
    TComponent* FMenu = nullptr;
    TWinControl* FActiveControl = nullptr;
    TControl* FCaptureControl = nullptr;
    TControl* FMouseControl = nullptr;
};

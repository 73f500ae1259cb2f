#pragma once
// A control with a window handle: children, alignment of its children,
// a window rect and a client rect (border between them), focus, keyboard
// events and a window procedure.
#include <vector>

#include "gui/TControl.h"
#include "gui/TMessageTarget.h"

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TEnumTable& BorderStyleNames();

class TWinControl : public TControl, public TMessageTarget {
    XF_CLASS(TWinControl)
public:
    // A native view of the window system takes this control's keys.
    virtual bool HasNativeView() const { return false; }
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle() const { return FHandle; }
    static TWinControl* FromHandle(HWND hwnd);

    const std::vector<TControl*>& Controls() const { return FControls; }
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Control(int index) const { return FControls.at(static_cast<size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void ChangeZOrder(TControl* control, bool toFront);
    bool ContainsControl(const TControl* control) const;

    // Alignment of the children (top, bottom, left, right, then client).
    void Realign();
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();
    virtual void AdjustClientRect(TRect& rect) const { (void)rect; }

    // The border between window and client rect.
    virtual TRect NonClientInsets() const;
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int width);
    int ClientWidth() const override;
    int ClientHeight() const override;
    TPoint ClientOrigin() const override;

    // Painting into the form's back buffer. `dirty` is in window coordinates
    // of the form; the canvas origin and clip are set per control.
    void PaintTree(TCanvas& canvas, const TRect& dirty);
    // Paints the plain (non-windowed) children into the canvas, whose origin
    // is this control's client origin.
    void PaintControls(TCanvas& canvas);
    TControl* ControlAtPos(TPoint clientPoint, bool allowDisabled, bool allowWinControls) const;

    // Focus and keys.
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    int TabOrder() const;
    void SetTabOrder(int order);
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;

    void WndProc(TMessage& message) override;
    void NotifyChildren(uint32_t msg);
    // Called when this control or an ancestor moved, resized, showed or hid.
    virtual void PlacementChanged();
    void Loaded() override;
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    virtual void AlignControls(TRect rect);
    virtual void PaintNonClient(TCanvas& canvas) { (void)canvas; }
    virtual void EraseBackground(TCanvas& canvas);
    virtual void PaintWindow(TCanvas& canvas);
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyUp(int& key, TShiftState shift);
    virtual void KeyPress(char16_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool WantsKey(int key) const { (void)key; return false; }
    void VisibleChanged() override;
    void HandleKeyMessage(TMessage& message);
    void RouteMouse(TMessage& message);
    // Edits and trees know two borders, a two-pixel sunken frame or none:
    // the setter's common part (false when nothing changed) and the insets.
    bool ChangeSunkenBorder(TBorderStyle& field, TBorderStyle style);
    static TRect WithSunkenBorder(TRect insets, TBorderStyle style);

private:
    HWND FHandle = 0;
    std::vector<TControl*> FControls;
    int FAlignDisabled = 0;
    bool FAligning = false;
    bool FAlignPending = false;
    int FBorderWidth = 0;
    bool FTabStop = false;
};

TShiftState KeyboardShiftState();
// The host reports modifier keys here so that key events can tell the shift state.
void SetKeyboardKeyState(int virtualKey, bool down);

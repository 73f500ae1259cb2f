#pragma once
// A control: bounds in its parent's client coordinates, alignment,
// visibility, colour and font (optionally taken from the parent), caption,
// hint, pop-up menu and mouse events. A plain TControl has no window of its
// own: its parent paints it and hands it the mouse messages that fall on it.
#include <functional>
#include <memory>
#include <string>

#include "gui/Events.h"
#include "gui/Messages.h"
#include "gui/TComponent.h"
#include "gui/Types.h"
#include "gui/graphics/TFont.h"

class TCanvas;
class TCustomForm;
class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
const TEnumTable& AlignNames();
const TEnumTable& ColorNames();
const TEnumTable& FontStyleNames();
const TEnumTable& CharsetNames();

enum TControlStyleFlag : uint32_t {
    csAcceptsControls = 1,
    csCaptureMouse = 2,
    csClickEvents = 4,
    csOpaque = 8,
    csDoubleClicks = 16,
    csParentBackground = 32,
};

class TControl : public TComponent {
    XF_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TCustomForm* ParentForm() const;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return TRect::FromSize(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    // Where this control's client area starts, in its form's window
    // coordinates (the coordinates of the back buffer).
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // This control's bounds in window coordinates of its form.
    TRect WindowRectInForm() const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // Also asks the parent chain to bring the control into view
    // (CM_SHOWCONTROL), so that a control on a hidden page shows its page.
    void Show();
    void Hide() { SetVisible(false); }
    // Visible with every parent up to a visible form.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);
    bool EnabledInTree() const;

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont& Font() const { return *FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    const std::string& Caption() const { return FText; }
    void SetCaption(const std::string& text) { SetText(text); }
    virtual const std::string& Text() const { return FText; }
    virtual void SetText(const std::string& text);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint) { FHint = hint; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v) { FShowHint = v; }
    // The pop-up menu shown on a right click (a TPopupMenu; the menu module
    // installs PopupMenuHandler to show it).
    TComponent* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TComponent* menu);
    static inline std::function<void(TComponent* menu, TControl* sender, TPoint screen)>
        PopupMenuHandler;
    int Cursor() const { return FCursor; }
    void SetCursor(int cursor) { FCursor = cursor; }
    uint32_t ControlStyle() const { return FControlStyle; }
    void SetControlStyle(uint32_t style) { FControlStyle = style; }
    bool MouseInside() const { return FMouseInside; }

    // Painting: the parent calls Paint with the canvas origin at this
    // control's top-left and the clip set to its bounds.
    virtual void Paint(TCanvas& canvas);
    void Invalidate();
    void InvalidateRect(const TRect& rect);
    // The whole window, the border area outside the client rectangle too.
    void InvalidateWindow();
    // Paints what is invalid in this control's form now.
    void Update();
    void Repaint() {
        Invalidate();
        Update();
    }
    void BringToFront();
    void SendToBack();

    LRESULT Perform(uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    void Notification(TComponent* component, TOperation operation) override;

    virtual void Click();
    virtual void DblClick();
    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Resize();
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void VisibleChanged();
    virtual void EnabledChanged() { Invalidate(); }
    // Asks the parent to realign after a change of bounds, alignment or
    // visibility.
    void RequestAlign();
    void ParentFontChanged();
    void ParentColorChanged();
    void HandleMouseMessage(TMessage& message);

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;

private:
    friend class TWinControl;
    TWinControl* FParent = nullptr;
    TAlign FAlign = TAlign::alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FChangingParentFont = false;
    std::string FText;
    std::string FHint;
    bool FShowHint = false;
    TComponent* FPopupMenu = nullptr;
    int FCursor = 0;
    uint32_t FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    bool FClicked = false;
    bool FMouseInside = false;
};

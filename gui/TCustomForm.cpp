#include "gui/TCustomForm.h"

#include <algorithm>

#include "gui/TApplication.h"
#include "gui/TForm.h"
#include "gui/TLayoutLoader.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"

const TEnumTable& WindowStateNames() {
    static const TEnumTable names = {{"wsNormal", 0}, {"wsMinimized", 1}, {"wsMaximized", 2}};
    return names;
}

const TEnumTable& PositionNames() {
    static const TEnumTable names = {{"poDesigned", 0},       {"poDefault", 1},
                                     {"poDefaultPosOnly", 2}, {"poDefaultSizeOnly", 3},
                                     {"poScreenCenter", 4},   {"poDesktopCenter", 5},
                                     {"poMainFormCenter", 6}, {"poOwnerFormCenter", 7}};
    return names;
}

const TEnumTable& FormStyleNames() {
    static const TEnumTable names = {{"fsNormal", 0}, {"fsStayOnTop", 1}};
    return names;
}

const TClassInfo& TCustomForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TCustomForm>("TCustomForm", &TWinControl::StaticClass())
            .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle,
                  BorderStyleNames())
            .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState,
                  WindowStateNames())
            .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, PositionNames())
            .Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, FormStyleNames())
            .Prop("Constraints.MinWidth", &TCustomForm::MinWidth, &TCustomForm::SetMinWidth)
            .Prop("Constraints.MinHeight", &TCustomForm::MinHeight, &TCustomForm::SetMinHeight)
            .Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
            .Prop("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Custom("Scaled", TPropKind::Boolean, nullptr, [](TCustomForm*, const TValue& v) {
                (void)ValueToBool(v); // forms are never scaled with the screen's text size
            })
            .Event("OnCreate", &TCustomForm::OnCreate)
            .Event("OnShow", &TCustomForm::OnShow)
            .Event("OnHide", &TCustomForm::OnHide)
            .Event("OnDestroy", &TCustomForm::OnDestroy)
            .Event("OnActivate", &TCustomForm::OnActivate)
            .Event("OnDeactivate", &TCustomForm::OnDeactivate)
            .Event("OnClose", &TCustomForm::OnClose)
            .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
            .Build();
    return info;
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TForm>("TForm", &TCustomForm::StaticClass()).Build();
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), FBuffer(std::make_unique<TBitmap>()) {
    SetVisible(false);
    SetTabStop(false);
    Application->AddForm(this);
}

TCustomForm::~TCustomForm() {
    Destroying();
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (const std::exception& e) {
            Application->HandleException(this, e);
        }
    }
    if (Application) Application->RemoveForm(this);
    // Controls go before the host window they paint into.
    DestroyComponents();
    while (!Controls().empty()) delete Controls().back();
    if (FHostWindow && Application) Application->Host().DestroyWindow(FHostWindow);
}

void TCustomForm::LoadLayout(const std::string& resourceName) {
    TLayoutLoader::LoadResource(this, resourceName);
    // A failing creation handler is reported; the window still opens.
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (const std::exception& e) {
            Application->HandleException(this, e);
        }
    }
}

THostWindow TCustomForm::HostWindow() {
    if (!FHostWindow) {
        FHostWindow = Application->Host().CreateWindow(WindowKind(), this);
        Application->Host().SetWindowTitle(FHostWindow, Caption());
        Application->Host().SetWindowDecorated(FHostWindow, FCaptionBits && FBorderStyle != TBorderStyle::bsNone);
        Application->Host().SetWindowMinSize(FHostWindow, FMinWidth, FMinHeight);
        if (FFormStyle == TFormStyle::fsStayOnTop) Application->Host().SetWindowKeepAbove(FHostWindow, true);
        SyncHostBounds();
    }
    return FHostWindow;
}

void TCustomForm::SetText(const std::string& text) { TWinControl::SetText(text); }

void TCustomForm::TextChanged() {
    TWinControl::TextChanged();
    if (FHostWindow) Application->Host().SetWindowTitle(FHostWindow, Caption());
}

void TCustomForm::SetBorderStyle(TBorderStyle style) {
    FBorderStyle = style;
    if (FHostWindow)
        Application->Host().SetWindowDecorated(FHostWindow, FCaptionBits && style != TBorderStyle::bsNone);
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    FFormStyle = style;
    if (FHostWindow) Application->Host().SetWindowKeepAbove(FHostWindow, style == TFormStyle::fsStayOnTop);
}

void TCustomForm::SetCaptionBits(bool on) {
    FCaptionBits = on;
    if (FHostWindow)
        Application->Host().SetWindowDecorated(FHostWindow, on && FBorderStyle != TBorderStyle::bsNone);
}

void TCustomForm::SetFrameWidth(int width) {
    width = std::max(width, 0);
    if (width == FFrameWidth) return;
    FFrameWidth = width;
    Realign();
    InvalidateWindowArea({0, 0, Width(), Height()});
}

TRect TCustomForm::NonClientInsets() const {
    TRect insets = TWinControl::NonClientInsets();
    return {insets.Left + FFrameWidth, insets.Top + FFrameWidth, insets.Right + FFrameWidth,
            insets.Bottom + FFrameWidth};
}

void TCustomForm::PaintNonClient(TCanvas& canvas) {
    TWinControl::PaintNonClient(canvas);
    if (FFrameWidth > 0 && FramePainter) FramePainter(canvas);
}

int TCustomForm::FrameHitTest(TPoint p) const {
    if (FFrameWidth <= 0 || FWindowState == TWindowState::wsMaximized ||
        (FBorderStyle != TBorderStyle::bsSizeable && FBorderStyle != TBorderStyle::bsSizeToolWin))
        return 0;
    const int w = FFrameWidth, corner = 16;
    const bool left = p.X < w, right = p.X >= Width() - w, top = p.Y < w, bottom = p.Y >= Height() - w;
    if (!left && !right && !top && !bottom) return 0;
    const bool nearLeft = p.X < corner, nearRight = p.X >= Width() - corner;
    const bool nearTop = p.Y < corner, nearBottom = p.Y >= Height() - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    return top ? HTTOP : HTBOTTOM;
}

void TCustomForm::SetMinWidth(int v) {
    FMinWidth = std::max(v, 0);
    if (FHostWindow) Application->Host().SetWindowMinSize(FHostWindow, FMinWidth, FMinHeight);
}

void TCustomForm::SetMinHeight(int v) {
    FMinHeight = std::max(v, 0);
    if (FHostWindow) Application->Host().SetWindowMinSize(FHostWindow, FMinWidth, FMinHeight);
}

TRect TCustomForm::MaximizedBounds() const {
    TRect work = Application->Host().WorkArea();
    return MaximizedArea ? MaximizedArea(work) : work;
}

// Maximising does not rely on a window manager: the form takes the work area
// itself and remembers where it was; a window manager is told as well, so
// the desktop knows. Minimising needs one (only it can give the window
// back): without, the window stays as it is.
void TCustomForm::SetWindowState(TWindowState state) {
    if (state == FWindowState) return;
    if (IsLoading() || !FShownOnce) {
        FWindowState = state;
        return;
    }
    TWindowState old = FWindowState;
    if (state == TWindowState::wsMinimized) {
        if (!FHostWindow || !Application->Host().MinimizeWindow(FHostWindow)) return;
        FWindowState = state;
        TellStateChanged();
        return;
    }
    FWindowState = state;
    if (old == TWindowState::wsMinimized && FHostWindow)
        Application->Host().RestoreWindow(FHostWindow);
    ApplyWindowState(old);
    TellStateChanged();
}

void TCustomForm::ApplyWindowState(TWindowState old) {
    if (FWindowState == TWindowState::wsMaximized) {
        if (old == TWindowState::wsNormal) FRestoredBounds = BoundsRect();
        TRect area = MaximizedBounds();
        if (FHostWindow) Application->Host().SetWindowMaximized(FHostWindow, true, area);
        SetBoundsRect(area);
    } else if (FWindowState == TWindowState::wsNormal) {
        if (FHostWindow) Application->Host().SetWindowMaximized(FHostWindow, false, {});
        if (!FRestoredBounds.IsEmpty()) SetBoundsRect(FRestoredBounds);
    }
}

void TCustomForm::TellStateChanged() {
    if (FrameStateChanged) FrameStateChanged();
}

// The task list gave a minimised window back, or the window manager
// maximised or restored it on its own: the form follows and lays itself
// out again.
void TCustomForm::HostStateChanged(bool minimized, bool maximized) {
    if (!FShownOnce || IsDestroying()) return;
    TWindowState now = minimized ? TWindowState::wsMinimized
                       : maximized ? TWindowState::wsMaximized
                                   : TWindowState::wsNormal;
    if (now == FWindowState) return;
    TWindowState old = FWindowState;
    FWindowState = now;
    if (now != TWindowState::wsMinimized &&
        (now == TWindowState::wsMaximized || old == TWindowState::wsMaximized))
        ApplyWindowState(old);
    InvalidateWindowArea({0, 0, Width(), Height()});
    TellStateChanged();
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, std::max(width, FMinWidth), std::max(height, FMinHeight));
    // The buffer takes the new size when it is next used (BackBuffer,
    // PaintInvalid): loading a layout sizes the form many times over, and
    // each size would be a window-sized allocation and copy.
    if (FBuffer->Width() != Width() || FBuffer->Height() != Height())
        InvalidateWindowArea({0, 0, Width(), Height()});
    if (!FFromHost) SyncHostBounds();
}

void TCustomForm::SyncHostBounds() {
    if (FHostWindow) Application->Host().SetWindowBounds(FHostWindow, BoundsRect());
}

TPoint TCustomForm::ClientOrigin() const {
    TRect nc = NonClientInsets();
    return {nc.Left, nc.Top};
}

void TCustomForm::ApplyFirstShowPlacement() {
    TRect work = Application->Host().WorkArea();
    if (FPosition == TPosition::poScreenCenter || FPosition == TPosition::poDesktopCenter ||
        FPosition == TPosition::poMainFormCenter || FPosition == TPosition::poOwnerFormCenter) {
        int left = work.Left + (work.Width() - Width()) / 2;
        int top = work.Top + (work.Height() - Height()) / 2;
        SetBounds(std::max(left, work.Left), std::max(top, work.Top), Width(), Height());
    }
    FRestoredBounds = BoundsRect();
    if (FWindowState == TWindowState::wsMaximized) {
        TRect area = MaximizedBounds();
        Application->Host().SetWindowMaximized(HostWindow(), true, area);
        SetBoundsRect(area);
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    if (TCustomForm* self = this; self->CanFocus()) Application->Host().ActivateWindow(HostWindow());
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::VisibleChanged() {
    TWinControl::VisibleChanged();
    if (IsLoading()) return;
    // A form that never had a window has nothing to hide; creating one here
    // (from the constructor) would fix its kind before a subclass can say.
    if (!Visible() && !FHostWindow) return;
    THostWindow window = HostWindow();
    if (Visible()) {
        if (!FShownOnce) {
            FShownOnce = true;
            ApplyFirstShowPlacement();
        }
        InvalidateWindowArea({0, 0, Width(), Height()});
        Application->Host().SetWindowVisible(window, true);
        if (FWindowState == TWindowState::wsMinimized &&
            !Application->Host().MinimizeWindow(window))
            FWindowState = TWindowState::wsNormal;
        PaintInvalid();
        DoShow();
    } else {
        Application->Host().SetWindowVisible(window, false);
        if (OnHide) OnHide(this);
    }
}

void TCustomForm::DoShow() {
    if (!OnShow) return;
    try {
        OnShow(this);
    } catch (const std::exception& e) {
        Application->HandleException(this, e);
    }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    bool isMain = Application->MainForm() == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (isMain) {
        Hide();
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caHide) Hide();
    else if (action == TCloseAction::caMinimize) SetWindowState(TWindowState::wsMinimized);
    else Release();
    if (FModalResult == 0) FModalResult = IDCANCEL;
}

void TCustomForm::Release() {
    if (FReleased) return;
    FReleased = true;
    Hide();
    TSafeRef<TCustomForm> self(this);
    Application->Queue([self] {
        if (TCustomForm* form = self.Get()) delete form;
    });
}

// Other windows take no input while the modal loop runs.
int TCustomForm::ShowModal() {
    FModalResult = 0;
    std::vector<TCustomForm*> disabled;
    for (TCustomForm* form : Application->Forms())
        if (form != this && form->Enabled()) {
            form->SetEnabled(false);
            disabled.push_back(form);
        }
    auto alive = AliveToken();
    Show();
    while (!alive.expired() && FModalResult == 0 && !Application->Terminated())
        Application->HandleMessage();
    for (TCustomForm* form : disabled)
        if (std::find(Application->Forms().begin(), Application->Forms().end(), form) !=
            Application->Forms().end())
            form->SetEnabled(true);
    if (alive.expired()) return IDCANCEL;
    Hide();
    return FModalResult;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    if (control && !ContainsControl(control)) return;
    TSafeRef<TWinControl> old(FActiveControl);
    FActiveControl = control;
    // A native view that had the keyboard gives it back; a control with a
    // view of its own takes it again when it is entered.
    if (control && !control->HasNativeView() && FHostWindow && Application)
        Application->Host().FocusWindowArea(FHostWindow);
    if (old) old->Perform(WM_KILLFOCUS, control ? control->Handle() : 0);
    if (control && FActiveControl == control) control->Perform(WM_SETFOCUS);
}

void TCustomForm::SetCaptureControl(TControl* control) {
    FCaptureControl = control;
    if (!FHostWindow) return;
    if (control) Application->Host().SetCapture(FHostWindow);
    else Application->Host().ReleaseCapture();
}

void TCustomForm::ControlDestroying(TControl* control) {
    auto inside = [control](const TControl* c) {
        for (; c; c = c->Parent())
            if (c == control) return true;
        return false;
    };
    if (inside(FActiveControl)) FActiveControl = nullptr;
    if (inside(FCaptureControl)) SetCaptureControl(nullptr);
    if (inside(FMouseControl)) FMouseControl = nullptr;
}

void TCustomForm::SetMenu(TComponent* menu) {
    if (menu == FMenu) return;
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FMenu) FMenu = nullptr;
    if (operation == TOperation::opRemove)
        if (auto* c = dynamic_cast<TControl*>(static_cast<TObject*>(component))) ControlDestroying(c);
}

// --- painting ------------------------------------------------------------

void TCustomForm::InvalidateWindowArea(const TRect& area) {
    TRect clipped = area.Intersect({0, 0, Width(), Height()});
    if (clipped.IsEmpty()) return;
    FInvalid = FInvalid.Union(clipped);
}

void TCustomForm::PaintInvalid() {
    if (FInvalid.IsEmpty() || FPainting || !Visible() || IsDestroying()) return;
    FPainting = true;
    TRect area = FInvalid;
    FInvalid = TRect{};
    if (SyncBufferScale()) area = {0, 0, Width(), Height()};
    if (FBuffer->Width() != Width() || FBuffer->Height() != Height()) {
        FBuffer->SetSize(Width(), Height());
        area = {0, 0, Width(), Height()};
    }
    try {
        TCanvas& canvas = FBuffer->Canvas();
        TCanvasSaver saver(canvas);
        PaintTree(canvas, area);
    } catch (...) {
        FPainting = false;
        throw;
    }
    FPainting = false;
    if (FHostWindow) Application->Host().PresentWindow(FHostWindow, area);
}

// The buffer takes the scale of the window's screen; true when it changed
// (every pixel is to be painted again).
bool TCustomForm::SyncBufferScale() {
    const int scale = FHostWindow ? Application->Host().WindowScale(FHostWindow) : 1;
    if (FBuffer->Scale() == scale) return false;
    FBuffer->SetScale(scale);
    return true;
}

void TCustomForm::HostScaleChanged() {
    InvalidateWindowArea({0, 0, Width(), Height()});
}

TBitmap& TCustomForm::BackBuffer() {
    if (SyncBufferScale()) InvalidateWindowArea({0, 0, Width(), Height()});
    if (FBuffer->Width() != Width() || FBuffer->Height() != Height()) {
        FBuffer->SetSize(Width(), Height());
        InvalidateWindowArea({0, 0, Width(), Height()});
    }
    return *FBuffer;
}

// As last painted: the host tells from its size whether the form has caught
// up with a new window size.
const TBitmap* TCustomForm::HostBackBuffer() { return FBuffer.get(); }

// --- input from the host -----------------------------------------------

void TCustomForm::HostBoundsChanged(const TRect& bounds) {
    FFromHost = true;
    SetBoundsRect(bounds);
    FFromHost = false;
}

void TCustomForm::HostCloseRequest() { Application->PostMessage(Handle(), WM_CLOSE); }

void TCustomForm::HostActivated(bool active) {
    if (active == FActive) return;
    FActive = active;
    if (FrameActivated) FrameActivated(active);
    if (!active && DeactivateHandler) DeactivateHandler(this);
    TSafeRef<TCustomForm> self(this);
    Application->Queue([self, active] {
        TCustomForm* form = self.Get();
        if (!form) return;
        if (active && form->OnActivate) form->OnActivate(form);
        if (!active && form->OnDeactivate) form->OnDeactivate(form);
    });
}

TControl* TCustomForm::ControlAtWindowPoint(TPoint point) const {
    const TWinControl* win = this;
    for (;;) {
        TPoint origin = win->ClientOrigin();
        TPoint local{point.X - origin.X, point.Y - origin.Y};
        TControl* hit = win->ControlAtPos(local, false, true);
        if (!hit) return const_cast<TWinControl*>(win);
        auto* childWin = dynamic_cast<TWinControl*>(hit);
        if (!childWin) return hit;
        win = childWin;
    }
}

void TCustomForm::UpdateMouseControl(TControl* now) {
    if (now == FMouseControl) return;
    TSafeRef<TControl> old(FMouseControl);
    TSafeRef<TControl> entered(now);
    FMouseControl = now;
    Application->Queue([old, entered] {
        if (TControl* c = old.Get()) c->Perform(CM_MOUSELEAVE);
        if (TControl* c = entered.Get()) c->Perform(CM_MOUSEENTER);
    });
}

void TCustomForm::HostMouse(uint32_t msg, TPoint point, WPARAM keys) {
    if (!Enabled()) return;
    TControl* hit = ControlAtWindowPoint(point);
    if (msg == WM_MOUSEMOVE) UpdateMouseControl(hit);
    TControl* target = FCaptureControl ? FCaptureControl : hit;
    auto* win = dynamic_cast<TWinControl*>(target);
    if (!win) win = target->Parent();
    if (!win) return;
    TPoint origin = win->ClientOrigin();
    TMsg m;
    m.hwnd = win->Handle();
    m.message = msg;
    m.wParam = keys;
    m.lParam = MakeLParam(point.X - origin.X, point.Y - origin.Y);
    m.pt = {Left() + point.X, Top() + point.Y};
    Application->PostMsg(m);
}

void TCustomForm::HostMouseLeave() { UpdateMouseControl(nullptr); }

void TCustomForm::HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) {
    bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    if (virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU)
        SetKeyboardKeyState(virtualKey, down);
    if (!Enabled()) return;
    TMsg m;
    m.hwnd = FActiveControl ? FActiveControl->Handle() : Handle();
    m.FocusOf = Handle();
    m.message = msg;
    m.wParam = static_cast<WPARAM>(virtualKey);
    m.lParam = keyData;
    m.Char = down ? ch : 0;
    Application->PostMsg(m);
}

void TCustomForm::HostText(const std::u16string& text) {
    if (!Enabled()) return;
    for (char16_t unit : text) {
        TMsg m;
        m.hwnd = FActiveControl ? FActiveControl->Handle() : Handle();
        m.FocusOf = Handle();
        m.message = WM_CHAR;
        m.wParam = unit;
        Application->PostMsg(m);
    }
}

// The control with the keyboard shows what is being composed; it hears it
// from the queue, in order with the text committed around it.
void TCustomForm::HostPreedit(const std::u16string& text, int cursor) {
    TSafeRef<TCustomForm> self(this);
    Application->Queue([self, text, cursor] {
        TCustomForm* form = self.Get();
        TWinControl* target = form ? form->FActiveControl : nullptr;
        if (!target) return;
        TImePreedit preedit{text, cursor};
        target->Perform(WM_IME_COMPOSITION, 0, reinterpret_cast<LPARAM>(&preedit));
    });
}

// --- keyboard ------------------------------------------------------------

bool TCustomForm::PreviewKeyDown(int& key, TShiftState shift) {
    if (IsShortCut(key, shift)) return true;
    if (FKeyPreview) KeyDown(key, shift);
    return key == 0;
}

bool TCustomForm::PreviewKeyPress(char16_t& key) {
    if (FKeyPreview) KeyPress(key);
    return key == 0;
}

bool TCustomForm::IsShortCut(int key, TShiftState shift) {
    return ShortCutHandler && ShortCutHandler(this, key, shift);
}

static bool OfferDialogKey(TWinControl* parent, int key, TShiftState shift) {
    for (TControl* c : std::vector<TControl*>(parent->Controls())) {
        if (c->Perform(CM_DIALOGKEY, static_cast<WPARAM>(key), static_cast<LPARAM>(shift)) != 0)
            return true;
        if (auto* win = dynamic_cast<TWinControl*>(c); win && OfferDialogKey(win, key, shift)) return true;
    }
    return false;
}

void TCustomForm::DialogKey(TWinControl* from, int& key, TShiftState shift) {
    if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
        SelectNext(from, !(shift & ssShift));
        key = 0;
        return;
    }
    if (key != 0 && OfferDialogKey(this, key, shift)) key = 0;
}

static bool OfferDialogChar(TWinControl* parent, char16_t ch) {
    for (TControl* c : std::vector<TControl*>(parent->Controls())) {
        if (!c->Visible()) continue;
        if (c->Perform(CM_DIALOGCHAR, ch) != 0) return true;
        if (auto* win = dynamic_cast<TWinControl*>(c); win && OfferDialogChar(win, ch)) return true;
    }
    return false;
}

bool TCustomForm::DialogChar(char16_t ch) { return ch != 0 && OfferDialogChar(this, ch); }

static void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& out) {
    for (TControl* c : parent->Controls()) {
        auto* win = dynamic_cast<TWinControl*>(c);
        if (!win) continue;
        if (win->TabStop() && win->CanFocus()) out.push_back(win);
        CollectTabStops(win, out);
    }
}

void TCustomForm::SelectNext(TWinControl* from, bool forward) {
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (stops.empty()) return;
    auto it = std::find(stops.begin(), stops.end(), from);
    size_t index = 0;
    if (it != stops.end()) {
        size_t pos = static_cast<size_t>(it - stops.begin());
        index = forward ? (pos + 1) % stops.size() : (pos + stops.size() - 1) % stops.size();
    }
    stops[index]->SetFocus();
}

void TCustomForm::WndProc(TMessage& m) {
    if (m.Msg == WM_CLOSE) {
        Close();
        return;
    }
    if (m.Msg == WM_LBUTTONDOWN && FFrameWidth > 0) {
        const TPoint origin = ClientOrigin();
        const TPoint at = PointFromLParam(m.LParam);
        const TPoint window{at.X + origin.X, at.Y + origin.Y};
        if (int hit = FrameHitTest(window)) {
            Perform(WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), 0);
            return;
        }
    }
    if (m.Msg == WM_NCLBUTTONDOWN && FHostWindow) {
        TPoint screen = Application->Host().CursorPos();
        int hit = static_cast<int>(m.WParam);
        if (hit == HTCAPTION) Application->Host().BeginMoveDrag(FHostWindow, screen);
        else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
            Application->Host().BeginResizeDrag(FHostWindow, hit, screen);
        return;
    }
    TWinControl::WndProc(m);
}

#include "gui/TWinControl.h"

#include <algorithm>

#include "gui/TApplication.h"
#include "gui/TForm.h"
#include "gui/TTrace.h"
#include "gui/graphics/TCanvas.h"

const TEnumTable& BorderStyleNames() {
    static const TEnumTable names = {{"bsNone", 0},   {"bsSingle", 1},     {"bsSizeable", 2},
                                     {"bsDialog", 3}, {"bsToolWindow", 4}, {"bsSizeToolWin", 5}};
    return names;
}

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass())
            .Prop("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth)
            .Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
            .Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
            .Event("OnEnter", &TWinControl::OnEnter)
            .Event("OnExit", &TWinControl::OnExit)
            .Event("OnKeyDown", &TWinControl::OnKeyDown)
            .Event("OnKeyUp", &TWinControl::OnKeyUp)
            .Event("OnKeyPress", &TWinControl::OnKeyPress)
            .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    FHandle = Application->AllocateHandle(this);
}

// Children go with their parent, whoever owns them.
TWinControl::~TWinControl() {
    Destroying();
    if (TCustomForm* form = ParentForm(); form && form != this) form->ControlDestroying(this);
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        FControls.pop_back();
        child->FParent = nullptr;
        delete child;
    }
    if (Application) Application->ReleaseHandle(FHandle);
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    return Application ? dynamic_cast<TWinControl*>(Application->FindTarget(hwnd)) : nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->FParent = this;
    control->ParentFontChanged();
    control->ParentColorChanged();
    control->Invalidate();
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->PlacementChanged();
    Realign();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end()) return;
    control->Invalidate();
    if (TCustomForm* form = ParentForm()) form->ControlDestroying(control);
    FControls.erase(std::find(FControls.begin(), FControls.end(), control));
    control->FParent = nullptr;
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->PlacementChanged();
    Realign();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
}

void TWinControl::ChangeZOrder(TControl* control, bool toFront) {
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end()) return;
    FControls.erase(it);
    if (toFront) FControls.push_back(control);
    else FControls.insert(FControls.begin(), control);
    control->Invalidate();
    if (auto* win = dynamic_cast<TWinControl*>(control)) win->PlacementChanged();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::EnableAlign() {
    if (FAlignDisabled > 0) --FAlignDisabled;
    if (FAlignDisabled == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
    if (FAlignDisabled > 0 || IsLoading() || IsDestroying()) {
        FAlignPending = true;
        return;
    }
    if (FAligning) return; // children being placed ask again: ignore
    FAligning = true;
    FAlignPending = false;
    try {
        // A child that resizes this control while being placed (a frame
        // keeping its window maximised) has the new size laid out as well.
        for (int pass = 0; pass < 3; ++pass) {
            TRect rect = ClientRect();
            AdjustClientRect(rect);
            AlignControls(rect);
            TRect now = ClientRect();
            AdjustClientRect(now);
            if (now == rect) break;
        }
    } catch (...) {
        FAligning = false;
        throw;
    }
    FAligning = false;
}

static bool Before(TAlign align, const TControl* a, const TControl* b) {
    switch (align) {
    case TAlign::alTop: return a->Top() < b->Top();
    case TAlign::alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
    case TAlign::alLeft: return a->Left() < b->Left();
    case TAlign::alRight: return a->Left() + a->Width() > b->Left() + b->Width();
    default: return false;
    }
}

void TWinControl::AlignControls(TRect rect) {
    static const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                                   TAlign::alClient};
    for (TAlign align : order) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        std::stable_sort(list.begin(), list.end(),
                         [align](const TControl* a, const TControl* b) { return Before(align, a, b); });
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            switch (align) {
            case TAlign::alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), h);
                rect.Top += h;
                break;
            case TAlign::alBottom:
                c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
                rect.Bottom -= h;
                break;
            case TAlign::alLeft:
                c->SetBounds(rect.Left, rect.Top, w, rect.Height());
                rect.Left += w;
                break;
            case TAlign::alRight:
                c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
                rect.Right -= w;
                break;
            default:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                break;
            }
        }
    }
}

TRect TWinControl::NonClientInsets() const {
    return {FBorderWidth, FBorderWidth, FBorderWidth, FBorderWidth};
}

bool TWinControl::ChangeSunkenBorder(TBorderStyle& field, TBorderStyle style) {
    if (style != TBorderStyle::bsSingle) style = TBorderStyle::bsNone;
    if (style == field) return false;
    field = style;
    Invalidate();
    Realign();
    return true;
}

TRect TWinControl::WithSunkenBorder(TRect insets, TBorderStyle style) {
    if (style != TBorderStyle::bsSingle) return insets;
    return {insets.Left + 2, insets.Top + 2, insets.Right + 2, insets.Bottom + 2};
}

void TWinControl::SetBorderWidth(int width) {
    width = std::max(width, 0);
    if (width == FBorderWidth) return;
    FBorderWidth = width;
    Invalidate();
    Realign();
}

int TWinControl::ClientWidth() const {
    TRect nc = NonClientInsets();
    return std::max(0, FWidth - nc.Left - nc.Right);
}

int TWinControl::ClientHeight() const {
    TRect nc = NonClientInsets();
    return std::max(0, FHeight - nc.Top - nc.Bottom);
}

TPoint TWinControl::ClientOrigin() const {
    TRect nc = NonClientInsets();
    if (!Parent()) return {nc.Left, nc.Top};
    TPoint p = Parent()->ClientOrigin();
    return {p.X + FLeft + nc.Left, p.Y + FTop + nc.Top};
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    bool resized = width != FWidth || height != FHeight;
    bool moved = left != FLeft || top != FTop;
    TControl::SetBounds(left, top, width, height);
    if (resized) Realign();
    if (resized || moved) PlacementChanged();
}

void TWinControl::VisibleChanged() {
    TControl::VisibleChanged();
    PlacementChanged();
}

void TWinControl::PlacementChanged() {
    for (TControl* c : std::vector<TControl*>(FControls))
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->PlacementChanged();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (FAlignPending) Realign();
}

void TWinControl::NotifyChildren(uint32_t msg) {
    for (TControl* c : std::vector<TControl*>(FControls)) c->Perform(msg);
}

// --- painting ----------------------------------------------------------

void TWinControl::PaintTree(TCanvas& canvas, const TRect& dirty) {
    if (!Visible()) return;
    TRect window = WindowRectInForm();
    TRect area = window.Intersect(dirty);
    if (area.IsEmpty()) return;
    TPoint origin = window.TopLeft();
    TPoint client = ClientOrigin();
    TRect clientArea = TRect::FromSize(client.X, client.Y, ClientWidth(), ClientHeight()).Intersect(area);
    {
        TCanvasSaver saver(canvas);
        canvas.SetOrigin(origin);
        canvas.IntersectClipRect(area.Offset(-origin.X, -origin.Y));
        if (TTrace::Enabled(TTraceKind::Paint)) TTrace::Paint(this, canvas);
        Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(&canvas));
    }
    if (clientArea.IsEmpty()) return;
    {
        TCanvasSaver saver(canvas);
        canvas.SetOrigin(client);
        canvas.IntersectClipRect(clientArea.Offset(-client.X, -client.Y));
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&canvas));
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas));
    }
    for (TControl* c : std::vector<TControl*>(FControls))
        if (auto* win = dynamic_cast<TWinControl*>(c)) win->PaintTree(canvas, clientArea);
}

void TWinControl::EraseBackground(TCanvas& canvas) {
    if (ControlStyle() & csOpaque) return;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
}

void TWinControl::PaintWindow(TCanvas& canvas) { Paint(canvas); }

void TWinControl::PaintControls(TCanvas& canvas) {
    for (TControl* c : FControls) {
        if (!c->Visible() || dynamic_cast<TWinControl*>(c)) continue;
        TRect bounds = c->BoundsRect();
        if (bounds.IsEmpty()) continue;
        TCanvasSaver saver(canvas);
        TPoint origin = canvas.Origin();
        canvas.IntersectClipRect(bounds);
        canvas.SetOrigin({origin.X + bounds.Left, origin.Y + bounds.Top});
        if (TTrace::Enabled(TTraceKind::Paint)) TTrace::Paint(c, canvas);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&canvas));
    }
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        bool isWin = dynamic_cast<TWinControl*>(c) != nullptr;
        if (isWin && !allowWinControls) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        if (c->BoundsRect().Contains(p)) return c;
    }
    return nullptr;
}

// --- messages ----------------------------------------------------------

void TWinControl::WndProc(TMessage& m) {
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
        RouteMouse(m);
        return;
    }
    if (m.Msg >= WM_KEYFIRST && m.Msg <= WM_KEYLAST) {
        HandleKeyMessage(m);
        return;
    }
    switch (m.Msg) {
    case WM_NCPAINT:
        PaintNonClient(*reinterpret_cast<TCanvas*>(m.WParam));
        return;
    case WM_ERASEBKGND:
        EraseBackground(*reinterpret_cast<TCanvas*>(m.WParam));
        m.Result = 1;
        return;
    case WM_PAINT: {
        auto& canvas = *reinterpret_cast<TCanvas*>(m.WParam);
        PaintWindow(canvas);
        PaintControls(canvas);
        return;
    }
    case WM_SETFOCUS:
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DoExit();
        return;
    case CM_SHOWCONTROL:
        // A container that shows one child at a time (a page control)
        // answers this; everyone else passes it up.
        if (Parent()) Parent()->Perform(CM_SHOWCONTROL, reinterpret_cast<WPARAM>(this));
        return;
    default:
        TControl::WndProc(m);
    }
}

void TWinControl::RouteMouse(TMessage& m) {
    TPoint p = PointFromLParam(m.LParam);
    TCustomForm* form = ParentForm();
    TControl* capture = form ? form->CaptureControl() : nullptr;
    TControl* target = nullptr;
    if (capture && capture != this) {
        if (capture->Parent() == this && !dynamic_cast<TWinControl*>(capture)) target = capture;
    } else if (!capture) {
        target = ControlAtPos(p, false, false);
    }
    if (target) {
        TMessage forwarded = m;
        forwarded.LParam = MakeLParam(p.X - target->Left(), p.Y - target->Top());
        target->WndProc(forwarded);
        m.Result = forwarded.Result;
        return;
    }
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN) && FTabStop && CanFocus() && !Focused())
        SetFocus();
    TControl::WndProc(m);
}

namespace {
bool gKeyDown[256];
}

void SetKeyboardKeyState(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256) gKeyDown[virtualKey] = down;
}

TShiftState KeyboardShiftState() {
    TShiftState s = 0;
    if (gKeyDown[VK_SHIFT]) s |= ssShift;
    if (gKeyDown[VK_CONTROL]) s |= ssCtrl;
    if (gKeyDown[VK_MENU]) s |= ssAlt;
    return s;
}

void TWinControl::HandleKeyMessage(TMessage& m) {
    TCustomForm* form = ParentForm();
    TShiftState shift = KeyboardShiftState();
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int key = static_cast<int>(m.WParam);
        if (form && form != this && form->PreviewKeyDown(key, shift)) return;
        // A form without a focused control still has its menu shortcuts.
        if (form && form == this && form->IsShortCut(key, shift)) return;
        if (key == 0) return;
        auto alive = AliveToken();
        KeyDown(key, shift);
        if (alive.expired() || key == 0) return;
        if (form && !WantsKey(key)) form->DialogKey(this, key, shift);
        return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int key = static_cast<int>(m.WParam);
        KeyUp(key, shift);
        return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        char16_t ch = static_cast<char16_t>(m.WParam);
        if (form && form != this && form->PreviewKeyPress(ch)) return;
        if (ch == 0) return;
        if (m.Msg == WM_SYSCHAR && form && form->DialogChar(ch)) return;
        KeyPress(ch);
        m.WParam = ch;
        return;
    }
    default:
        return;
    }
}

void TWinControl::KeyDown(int& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(int& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    Invalidate();
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    Invalidate();
    if (OnExit) OnExit(this);
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    int order = 0;
    for (TControl* c : Parent()->Controls()) {
        if (c == this) return order;
        if (dynamic_cast<TWinControl*>(c)) ++order;
    }
    return -1;
}

void TWinControl::SetTabOrder(int) {
    // Tab order follows creation order; stored values are accepted as they are.
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return ParentForm() != nullptr;
}

void TWinControl::SetFocus() {
    TCustomForm* form = ParentForm();
    if (!form) return;
    if (form == this) {
        form->SetActiveControl(nullptr);
        return;
    }
    form->SetActiveControl(this);
}

bool TWinControl::Focused() const {
    TCustomForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

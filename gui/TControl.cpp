#include "gui/TControl.h"

#include <algorithm>

#include "gui/TApplication.h"
#include "gui/TForm.h"
#include "gui/TWinControl.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TFont.h"

const TEnumTable& AlignNames() {
    static const TEnumTable names = {{"alNone", 0}, {"alTop", 1},    {"alBottom", 2}, {"alLeft", 3},
                                     {"alRight", 4}, {"alClient", 5}, {"alCustom", 6}};
    return names;
}

const TEnumTable& ColorNames() {
    static const TEnumTable names = {
        {"clBlack", clBlack},       {"clMaroon", clMaroon},     {"clGreen", clGreen},
        {"clOlive", clOlive},       {"clNavy", clNavy},         {"clPurple", clPurple},
        {"clTeal", clTeal},         {"clGray", clGray},         {"clSilver", clSilver},
        {"clRed", clRed},           {"clLime", clLime},         {"clYellow", clYellow},
        {"clBlue", clBlue},         {"clFuchsia", clFuchsia},   {"clAqua", clAqua},
        {"clWhite", clWhite},       {"clMoneyGreen", clMoneyGreen}, {"clSkyBlue", clSkyBlue},
        {"clCream", clCream},       {"clMedGray", clMedGray},   {"clNone", clNone},
        {"clDefault", clDefault},   {"clScrollBar", clScrollBar}, {"clBackground", clBackground},
        {"clActiveCaption", clActiveCaption}, {"clInactiveCaption", clInactiveCaption},
        {"clMenu", clMenu},         {"clWindow", clWindow},     {"clWindowFrame", clWindowFrame},
        {"clMenuText", clMenuText}, {"clWindowText", clWindowText}, {"clCaptionText", clCaptionText},
        {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
        {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
        {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
        {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
        {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
        {"clInfoBk", clInfoBk}};
    return names;
}

const TEnumTable& FontStyleNames() {
    // Bit numbers of TFontStyle (fsBold = 1 << 0, ...).
    static const TEnumTable names = {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}};
    return names;
}

const TEnumTable& CharsetNames() {
    static const TEnumTable names = {{"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1},
                                     {"SYMBOL_CHARSET", 2}, {"GB2312_CHARSET", 134},
                                     {"CHINESEBIG5_CHARSET", 136}, {"OEM_CHARSET", 255}};
    return names;
}

static TFontStyles StylesFromBits(uint32_t bits) {
    TFontStyles styles;
    for (int i = 0; i < 4; ++i)
        if (bits & (1u << i)) styles.Include(static_cast<TFontStyle>(1 << i));
    return styles;
}

static uint32_t BitsFromStyles(TFontStyles styles) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        if (styles.Contains(static_cast<TFontStyle>(1 << i))) bits |= 1u << i;
    return bits;
}

// Setting any font property by name makes the control's font its own.
template <class F> static std::function<void(TControl*, const TValue&)> FontSetter(F apply) {
    return [apply](TControl* c, const TValue& v) {
        c->SetParentFont(false);
        apply(c->Font(), v);
    };
}

const TClassInfo& TControl::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TControl>("TControl", &TComponent::StaticClass())
            .Prop("Left", &TControl::Left, &TControl::SetLeft)
            .Prop("Top", &TControl::Top, &TControl::SetTop)
            .Prop("Width", &TControl::Width, &TControl::SetWidth)
            .Prop("Height", &TControl::Height, &TControl::SetHeight)
            .Prop("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
            .Prop("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
            .Enum("Align", &TControl::Align, &TControl::SetAlign, AlignNames())
            .Prop("Visible", &TControl::Visible, &TControl::SetVisible)
            .Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Prop("Color", &TControl::Color, &TControl::SetColor, &ColorNames())
            .Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Custom("Font.Name", TPropKind::String,
                    [](const TControl* c) -> TValue { return c->Font().Name(); },
                    FontSetter([](TFont& f, const TValue& v) { f.SetName(ValueToString(v)); }))
            .Custom("Font.Height", TPropKind::Integer,
                    [](const TControl* c) -> TValue { return int64_t{c->Font().Height()}; },
                    FontSetter([](TFont& f, const TValue& v) {
                        f.SetHeight(static_cast<int>(ValueToInt(v)));
                    }))
            .Custom("Font.Size", TPropKind::Integer,
                    [](const TControl* c) -> TValue { return int64_t{c->Font().Size()}; },
                    FontSetter([](TFont& f, const TValue& v) {
                        f.SetSize(static_cast<int>(ValueToInt(v)));
                    }))
            .Custom("Font.Color", TPropKind::Integer,
                    [](const TControl* c) -> TValue { return int64_t{c->Font().Color()}; },
                    FontSetter([](TFont& f, const TValue& v) {
                        f.SetColor(static_cast<TColor>(ValueToInt(v, &ColorNames())));
                    }))
            .Custom("Font.Style", TPropKind::Set,
                    [](const TControl* c) -> TValue {
                        return SetToValue(BitsFromStyles(c->Font().Style()), FontStyleNames());
                    },
                    FontSetter([](TFont& f, const TValue& v) {
                        f.SetStyle(StylesFromBits(ValueToSet(v, FontStyleNames())));
                    }))
            .Custom("Font.Charset", TPropKind::Integer,
                    [](const TControl* c) -> TValue { return int64_t{c->Font().Charset()}; },
                    FontSetter([](TFont& f, const TValue& v) {
                        f.SetCharset(static_cast<TFontCharset>(ValueToInt(v, &CharsetNames())));
                    }))
            .Prop("Caption", &TControl::Caption, &TControl::SetCaption)
            .Prop("Text", &TControl::Text, &TControl::SetText)
            .Prop("Hint", &TControl::Hint, &TControl::SetHint)
            .Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Prop("Cursor", &TControl::Cursor, &TControl::SetCursor)
            .Event("OnClick", &TControl::OnClick)
            .Event("OnDblClick", &TControl::OnDblClick)
            .Event("OnMouseDown", &TControl::OnMouseDown)
            .Event("OnMouseUp", &TControl::OnMouseUp)
            .Event("OnMouseMove", &TControl::OnMouseMove)
            .Event("OnMouseEnter", &TControl::OnMouseEnter)
            .Event("OnMouseLeave", &TControl::OnMouseLeave)
            .Event("OnResize", &TControl::OnResize)
            .Build();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this] {
        if (!FChangingParentFont) FParentFont = false;
        FontChanged();
        if (auto* win = dynamic_cast<TWinControl*>(this)) win->NotifyChildren(CM_PARENTFONTCHANGED);
    };
}

TControl::~TControl() {
    Destroying();
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EComponentError("A control cannot be its own parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    bool resized = width != FWidth || height != FHeight;
    Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Invalidate();
    RequestAlign();
    if (resized) Resize();
}

void TControl::SetClientWidth(int v) { SetWidth(v + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int v) { SetHeight(v + (FHeight - ClientHeight())); }

TPoint TControl::ClientOrigin() const {
    if (!FParent) return {0, 0};
    TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TRect TControl::WindowRectInForm() const {
    if (!FParent) return {0, 0, FWidth, FHeight};
    TPoint p = FParent->ClientOrigin();
    return TRect::FromSize(p.X + FLeft, p.Y + FTop, FWidth, FHeight);
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint origin = ClientOrigin();
    TPoint formPos;
    if (TCustomForm* form = ParentForm()) formPos = {form->Left(), form->Top()};
    return {formPos.X + origin.X + p.X, formPos.Y + origin.Y + p.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint zero = ClientToScreen({0, 0});
    return {p.X - zero.X, p.Y - zero.Y};
}

void TControl::SetAlign(TAlign align) {
    if (align == FAlign) return;
    FAlign = align;
    RequestAlign();
}

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    if (!visible) Invalidate();
    FVisible = visible;
    VisibleChanged();
    if (visible) Invalidate();
    RequestAlign();
}

void TControl::Show() {
    if (FParent) FParent->Perform(CM_SHOWCONTROL, reinterpret_cast<WPARAM>(this));
    SetVisible(true);
}

void TControl::VisibleChanged() {}

bool TControl::Showing() const {
    const TControl* c = this;
    while (c) {
        if (!c->FVisible) return false;
        if (!c->FParent) return dynamic_cast<const TCustomForm*>(c) != nullptr;
        c = c->FParent;
    }
    return false;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    EnabledChanged();
}

bool TControl::EnabledInTree() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FEnabled) return false;
    return true;
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) return;
    FColor = color;
    ColorChanged();
    if (auto* win = dynamic_cast<TWinControl*>(this)) win->NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    FParentColor = value;
    if (value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        ColorChanged();
        if (auto* win = dynamic_cast<TWinControl*>(this)) win->NotifyChildren(CM_PARENTCOLORCHANGED);
    }
}

void TControl::SetParentFont(bool value) {
    FParentFont = value;
    if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FChangingParentFont = true;
    FFont->Assign(FParent->Font());
    FChangingParentFont = false;
    FParentFont = true;
}

void TControl::SetText(const std::string& text) {
    if (text == FText) return;
    FText = text;
    TextChanged();
}

void TControl::SetPopupMenu(TComponent* menu) {
    if (menu == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::Paint(TCanvas&) {}

void TControl::Invalidate() { InvalidateRect(ClientRect()); }

void TControl::InvalidateRect(const TRect& rect) {
    if (!FVisible || IsDestroying()) return;
    TCustomForm* form = ParentForm();
    if (!form) return;
    TPoint origin = ClientOrigin();
    form->InvalidateWindowArea(rect.Offset(origin.X, origin.Y));
}

void TControl::InvalidateWindow() {
    if (!FVisible || IsDestroying()) return;
    if (TCustomForm* form = ParentForm()) form->InvalidateWindowArea(WindowRectInForm());
}

void TControl::Update() {
    if (TCustomForm* form = ParentForm()) form->PaintInvalid();
}

void TControl::BringToFront() {
    if (FParent) FParent->ChangeZOrder(this, true);
}

void TControl::SendToBack() {
    if (FParent) FParent->ChangeZOrder(this, false);
}

LRESULT TControl::Perform(uint32_t msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

static TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    return s;
}

void TControl::HandleMouseMessage(TMessage& m) {
    TPoint p = PointFromLParam(m.LParam);
    TShiftState shift = ShiftFromKeys(m.WParam);
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
        if (FControlStyle & csClickEvents) FClicked = true;
        if (m.Msg == WM_LBUTTONDBLCLK && (FControlStyle & csDoubleClicks)) DblClick();
        MouseDown(TMouseButton::mbLeft, shift | (m.Msg == WM_LBUTTONDBLCLK ? ssDouble : 0), p.X, p.Y);
        break;
    case WM_LBUTTONUP: {
        bool clicked = FClicked;
        FClicked = false;
        if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
        auto alive = AliveToken();
        MouseUp(TMouseButton::mbLeft, shift, p.X, p.Y);
        if (!alive.expired() && clicked && ClientRect().Contains(p)) Click();
        break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(TMouseButton::mbRight, shift, p.X, p.Y);
        break;
    case WM_RBUTTONUP: {
        auto alive = AliveToken();
        MouseUp(TMouseButton::mbRight, shift, p.X, p.Y);
        if (!alive.expired() && FPopupMenu && PopupMenuHandler)
            PopupMenuHandler(FPopupMenu, this, ClientToScreen(p));
        break;
    }
    case WM_MBUTTONDOWN:
        MouseDown(TMouseButton::mbMiddle, shift, p.X, p.Y);
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::mbMiddle, shift, p.X, p.Y);
        break;
    default:
        break;
    }
}

void TControl::WndProc(TMessage& m) {
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
        if (EnabledInTree()) HandleMouseMessage(m);
        return;
    }
    switch (m.Msg) {
    case CM_MOUSEENTER:
        MouseEnter();
        break;
    case CM_MOUSELEAVE:
        MouseLeave();
        break;
    case CM_PARENTFONTCHANGED:
        ParentFontChanged();
        break;
    case CM_PARENTCOLORCHANGED:
        ParentColorChanged();
        break;
    case WM_PAINT:
        // What a parent's PaintControls sends to its plain children.
        Paint(*reinterpret_cast<TCanvas*>(m.WParam));
        break;
    default:
        break;
    }
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

bool TControl::MouseCapture() const {
    TCustomForm* form = ParentForm();
    return form && form->CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
    TCustomForm* form = ParentForm();
    if (!form) return;
    if (capture) form->SetCaptureControl(this);
    else if (form->CaptureControl() == this) form->SetCaptureControl(nullptr);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter() {
    FMouseInside = true;
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    FMouseInside = false;
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign() {
    if (FParent) FParent->Realign();
}

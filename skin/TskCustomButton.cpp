#include "skin/TskCustomButton.h"

#include <algorithm>

#include "gui/ControlDraw.h"
#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/TTimer.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TTextLayout.h"
#include "skin/SkinPublic.h"
#include "skin/TskThemeLookup.h"

namespace {

// What a button shows when its state picture cannot be had.
constexpr int FallbackImageWidth = 74;
constexpr int FallbackImageHeight = 21;
constexpr TColor DisabledCaptionColor = RGB(128, 128, 128);

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

void ResetToFallback(TBitmap& image) {
    image.SetSize(0, 0);
    image.SetSize(FallbackImageWidth, FallbackImageHeight);
}

} // namespace

const TEnumTable& ModalResultNames() {
    static const TEnumTable names = {{"mrNone", 0},    {"mrOk", 1},       {"mrCancel", 2},
                                     {"mrAbort", 3},   {"mrRetry", 4},    {"mrIgnore", 5},
                                     {"mrYes", 6},     {"mrNo", 7},       {"mrAll", 8},
                                     {"mrNoToAll", 9}, {"mrYesToAll", 10}};
    return names;
}

const TClassInfo& TskCustomButton::StaticClass() {
    using T = TskCustomButton;
    static const TClassInfo info =
        TClassBuilder<T>("TskCustomButton", &TWinControl::StaticClass())
            .Custom(
                "UIStyle", TPropKind::Enum,
                [](const T* c) -> TValue {
                    return TIdent{EnumName(static_cast<int>(c->UIStyle()), UIStyleNames())};
                },
                [](T* c, const TValue& v) {
                    c->SetUIStyle(static_cast<TskUIStyle>(ValueToEnum(v, UIStyleNames())));
                })
            .Prop("Transparent", &T::Transparent, &T::SetTransparent)
            .Prop("AutoSize", &T::AutoSize, &T::SetAutoSize)
            .Prop("Default", &T::Default, &T::SetDefault)
            .Prop("Cancel", &T::Cancel, &T::SetCancel)
            .Prop("ModalResult", &T::ModalResult, &T::SetModalResult, &ModalResultNames())
            .Prop("FocusedRectMargin", &T::FocusedRectMargin, &T::SetFocusedRectMargin)
            .Prop("MouseContinuouslyDownInterval", &T::MouseContinuouslyDownInterval,
                  &T::SetMouseContinuouslyDownInterval)
            .Event("OnMouseExit", &T::OnMouseExit)
            .Event("OnMouseContinuouslyDown", &T::OnMouseContinuouslyDown)
            .Build();
    return info;
}

TskCustomButton::TskCustomButton(TComponent* owner) : TWinControl(owner), FTheme(this) {
    // No children, no erase (the paint covers everything), and a quick
    // second press is another click.
    SetControlStyle((ControlStyle() | csOpaque) & ~(csDoubleClicks | csAcceptsControls));
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

TskCustomButton::~TskCustomButton() {
    StopRepeat();
}

// --- properties ----------------------------------------------------------

void TskCustomButton::SetUIStyle(TskUIStyle style) {
    FTheme.SetUIStyle(style);
    UIStyleChanged();
    ApplyAutoSize();
    Invalidate();
}

void TskCustomButton::SetTransparent(bool transparent) {
    if (transparent == FTransparent) return;
    FTransparent = transparent;
    TransparentChanged();
}

void TskCustomButton::SetAutoSize(bool autoSize) {
    if (autoSize == FAutoSize) return;
    FAutoSize = autoSize;
    ApplyAutoSize();
    Invalidate();
}

void TskCustomButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    Invalidate();
}

void TskCustomButton::SetFocusedRectMargin(int margin) {
    if (margin == FFocusedRectMargin) return;
    FFocusedRectMargin = margin;
    Invalidate();
}

bool TskCustomButton::ActiveDefault() const {
    const TCustomForm* form = ParentForm();
    auto* focused = dynamic_cast<const TskCustomButton*>(form ? form->ActiveControl() : nullptr);
    if (focused && focused->TakesDefaultWhenFocused()) return focused == this;
    return FDefault;
}

void TskCustomButton::Loaded() {
    TWinControl::Loaded();
    ApplyAutoSize();
}

void TskCustomButton::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove || !FTheme.Removed(component)) return;
    UIStyleChanged();
    ApplyAutoSize();
    Invalidate();
}

// --- hooks ---------------------------------------------------------------

// The height of the style's button picture and the width of one of its
// three frames; a file theme has no built-in picture to measure.
void TskCustomButton::ApplyAutoSize() {
    if (!FAutoSize) return;
    TBitmap picture(FallbackImageWidth, FallbackImageHeight);
    GetInsideThemeBitmap(UIStyle(), ThemeItem::ButtonImage, &picture);
    SetBounds(Left(), Top(), picture.Width() / 3, picture.Height());
}

void TskCustomButton::FontChanged() {
    Invalidate();
}
void TskCustomButton::TransparentChanged() {
    Invalidate();
}
void TskCustomButton::EnabledChanged() {
    Invalidate();
}

void TskCustomButton::TextChanged() {
    CaptionChanged();
    Invalidate();
}

void TskCustomButton::GetButtonFrame(TBitmap& image, int index) const {
    const TskThemeLookup theme(FTheme.FileTheme(), UIStyle());
    theme.Bitmap(ThemeItem::ButtonImage, &image, index, 3);
}

void TskCustomButton::GetNormalImage(TBitmap& image) {
    GetButtonFrame(image, 1);
}
void TskCustomButton::GetMouseOnImage(TBitmap& image) {
    GetButtonFrame(image, 2);
}
void TskCustomButton::GetMouseDownImage(TBitmap& image) {
    GetButtonFrame(image, 3);
}
void TskCustomButton::GetDisabledImage(TBitmap& image) {
    GetButtonFrame(image, 1);
}

// --- painting ------------------------------------------------------------

void TskCustomButton::GetStateImage(TBitmap& image) {
    ResetToFallback(image);
    try {
        if (!EnabledInTree())
            GetDisabledImage(image);
        else if (FPressed)
            GetMouseDownImage(image);
        else if (FHover)
            GetMouseOnImage(image);
        else
            GetNormalImage(image);
    } catch (const std::exception&) {
        ResetToFallback(image);
    }
    image.SetTransparent(FTransparent);
}

void TskCustomButton::Paint(TCanvas& canvas) {
    const TRect client = ClientRect();
    if (client.IsEmpty()) return;
    TBitmap image;
    GetStateImage(image);
    TBitmap buffer(client.Width(), client.Height());
    buffer.SetScale(canvas.Target().Scale());
    TCanvas& work = buffer.Canvas();
    if (FTransparent)
        DrawParentBackground(work, this);
    else
        FillRectColor(work, client, Color());
    DrawImage(work, image);
    if (Focused() && TabStop()) DrawFocus(work);
    if (!IsBlank(Caption())) DrawCaption(work, Caption());
    canvas.Draw(0, 0, buffer);
}

void TskCustomButton::DrawImage(TCanvas& canvas, TBitmap& image) {
    if (image.Empty()) return;
    if (image.Transparent()) image.SetTransparentColor(image.GetPixel(0, 0));
    if (EnabledInTree())
        canvas.Draw(0, 0, image);
    else
        canvas.DrawGreyed(0, 0, image);
}

void TskCustomButton::SelectCaptionFont(TCanvas& canvas) {
    canvas.Font().Assign(Font());
    if (!FBoldCaption) return;
    TFontStyles style = canvas.Font().Style();
    canvas.Font().SetStyle(style.Include(fsBold));
    FBoldCaption = false;
}

void TskCustomButton::DrawCaptionIn(TCanvas& canvas, const std::string& caption, TRect rect,
                                    unsigned flags) {
    TCanvasSaver saver(canvas);
    SelectCaptionFont(canvas);
    canvas.Brush().SetStyle(bsClear);
    if (FPressed) rect = rect.Offset(1, 1);
    if (!EnabledInTree()) {
        TRect shadow = rect.Offset(1, 1);
        canvas.Font().SetColor(clWhite);
        canvas.DrawText(caption, shadow, flags);
        canvas.Font().SetColor(DisabledCaptionColor);
    }
    canvas.DrawText(caption, rect, flags);
}

void TskCustomButton::DrawCaption(TCanvas& canvas, const std::string& caption) {
    DrawCaptionIn(canvas, caption, ClientRect(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TskCustomButton::DrawFocus(TCanvas& canvas) {
    const int m = FFocusedRectMargin;
    DrawFocusRect(canvas, ClientRect().Inflate(-m, -m));
}

// --- clicks and the repeat timer -----------------------------------------

void TskCustomButton::Release() {
    StopRepeat();
    if (!FPressed) return;
    FPressed = false;
    Invalidate();
}

void TskCustomButton::Click() {
    Release();
    if (Parent())
        if (TCustomForm* form = ParentForm()) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TskCustomButton::StartRepeat() {
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->OnTimer = [this](TObject*) { RepeatTick(); };
    FTimer->SetInterval(std::max(FMouseContinuouslyDownInterval, 0));
}

// A timer stopped from its own tick is deleted once the tick is over.
void TskCustomButton::StopRepeat() {
    if (!FTimer) return;
    TTimer* timer = FTimer.release();
    timer->SetEnabled(false);
    if (FInRepeatTick && Application)
        Application->Queue([timer] { delete timer; });
    else
        delete timer;
}

void TskCustomButton::RepeatTick() {
    if (!OnMouseContinuouslyDown) return;
    auto alive = AliveToken();
    FInRepeatTick = true;
    try {
        OnMouseContinuouslyDown(this);
    } catch (...) {
        if (!alive.expired()) FInRepeatTick = false;
        throw;
    }
    if (!alive.expired()) FInRepeatTick = false;
}

// --- mouse ---------------------------------------------------------------

void TskCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        FPressed = true;
        if (!FTimer) StartRepeat();
        if (TabStop() && CanFocus() && Enabled() && Visible()) {
            try {
                SetFocus();
            } catch (const std::exception&) {
            }
        }
        Invalidate();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TskCustomButton::MouseMove(TShiftState shift, int x, int y) {
    if (x < 0 || y < 0 || x > Width() || y > Height()) {
        FHover = false;
        FPressed = false;
        Invalidate();
    }
    TWinControl::MouseMove(shift, x, y);
}

// Whatever the release gives, the button is up and stops repeating.
void TskCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) Release();
    TWinControl::MouseUp(button, shift, x, y);
}

void TskCustomButton::MouseEnter() {
    FHover = true;
    Invalidate();
    TWinControl::MouseEnter();
}

void TskCustomButton::MouseLeave() {
    FHover = false;
    FPressed = false;
    StopRepeat();
    Invalidate();
    auto alive = AliveToken();
    TWinControl::MouseLeave();
    if (!alive.expired() && OnMouseExit) OnMouseExit(this);
}

// --- keyboard ------------------------------------------------------------

static bool IsPressKey(int key) {
    return key == VK_SPACE || key == VK_RETURN;
}

void TskCustomButton::KeyDown(int& key, TShiftState shift) {
    if (IsPressKey(key) && Focused() && EnabledInTree()) {
        // Enter belongs to the form's default button before it presses
        // this one.
        if (key == VK_RETURN)
            if (TCustomForm* form = ParentForm()) {
                int offered = key;
                form->DialogKey(this, offered, shift);
                if (offered == 0) {
                    key = 0;
                    return;
                }
            }
        FPressed = true;
        Invalidate();
    }
    TWinControl::KeyDown(key, shift);
}

void TskCustomButton::KeyUp(int& key, TShiftState shift) {
    const bool click = IsPressKey(key) && Focused() && FPressed && EnabledInTree();
    if (click) Release();
    auto alive = AliveToken();
    TWinControl::KeyUp(key, shift);
    if (click && !alive.expired()) Click();
}

bool TskCustomButton::DialogKey(int key, TShiftState shift) {
    if (shift & (ssShift | ssCtrl | ssAlt)) return false;
    if (!CanFocus()) return false;
    if ((key == VK_RETURN && ActiveDefault()) || (key == VK_ESCAPE && FCancel)) {
        Click();
        return true;
    }
    return false;
}

bool TskCustomButton::DialogChar(char16_t ch) {
    if (ch >= u'A' && ch <= u'Z') ch = static_cast<char16_t>(ch - u'A' + u'a');
    if (ch == 0 || ch != TTextLayout::AccelChar(Caption()) || !Visible() || !EnabledInTree())
        return false;
    Click();
    return true;
}

void TskCustomButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (DialogChar(static_cast<char16_t>(message.WParam))) message.Result = 1;
        return;
    case CM_DIALOGKEY:
        if (DialogKey(static_cast<int>(message.WParam), static_cast<TShiftState>(message.LParam)))
            message.Result = 1;
        return;
    default:
        TWinControl::WndProc(message);
    }
}

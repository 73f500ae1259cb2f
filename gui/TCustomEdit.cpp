#include "gui/TCustomEdit.h"

#include <algorithm>
#include <vector>

#include "gui/ControlDraw.h"
#include "gui/TApplication.h"
#include "gui/TCustomForm.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TTextRenderer.h"
#include "platform/Text.h"

namespace {
constexpr uintptr_t CaretTimer = 1;
constexpr uint32_t CaretBlinkMs = 530;
} // namespace

const TClassInfo& TCustomEdit::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TCustomEdit>("TCustomEdit", &TWinControl::StaticClass())
            .Prop("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
            .Prop("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
            .Custom(
                "PasswordChar", TPropKind::String,
                [](const TCustomEdit* e) -> TValue {
                    char16_t ch = e->PasswordChar();
                    return ch ? platform::Utf16ToUtf8(std::u16string(1, ch)) : std::string();
                },
                [](TCustomEdit* e, const TValue& v) {
                    std::u16string s = platform::Utf8ToUtf16(ValueToString(v));
                    e->SetPasswordChar(s.empty() ? 0 : s[0]);
                })
            .Enum("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase,
                  EditCharCaseNames())
            .Prop("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect)
            .Prop("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection)
            .Enum("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle,
                  BorderStyleNames())
            // The height is the layout's: text is centred in it.
            .Custom("AutoSize", TPropKind::Boolean, nullptr,
                    [](TCustomEdit*, const TValue& v) { (void)ValueToBool(v); })
            .Event("OnChange", &TCustomEdit::OnChange)
            .Build();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

TCustomEdit::~TCustomEdit() {
    if (Application) Application->KillTimer(Handle(), CaretTimer);
}

// --- properties ------------------------------------------------------------

void TCustomEdit::SetText(const std::string& text) {
    if (FSettingText) {
        TWinControl::SetText(text);
        return;
    }
    FBuffer.SetText(ToInternal(text));
    FScrollX = 0;
    const std::string normal = ToExternal(FBuffer.Text());
    const bool changed = normal != Text();
    FSettingText = true;
    TWinControl::SetText(normal);
    FSettingText = false;
    FModified = false;
    Invalidate();
    if (changed && !IsLoading()) Change();
}

void TCustomEdit::SetMaxLength(int length) {
    FMaxLength = std::max(length, 0);
}

void TCustomEdit::SetPasswordChar(char16_t ch) {
    if (ch == FPasswordChar) return;
    FPasswordChar = ch;
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
    if (charCase == FCharCase) return;
    FCharCase = charCase;
    if (charCase != TEditCharCase::ecNormal) SetText(ToExternal(ApplyCharCase(FBuffer.Text())));
}

void TCustomEdit::SetHideSelection(bool v) {
    if (v == FHideSelection) return;
    FHideSelection = v;
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    if (!ChangeSunkenBorder(FBorderStyle, style)) return;
    PlacementChanged();
}

std::u16string TCustomEdit::ApplyCharCase(std::u16string text) const {
    for (char16_t& c : text) {
        if (FCharCase == TEditCharCase::ecUpperCase && c >= u'a' && c <= u'z') c -= 32;
        if (FCharCase == TEditCharCase::ecLowerCase && c >= u'A' && c <= u'Z') c += 32;
    }
    return text;
}

// --- selection and clipboard -----------------------------------------------

void TCustomEdit::SetSelStart(int start) {
    MoveCaret(start, false);
}

void TCustomEdit::SetSelLength(int length) {
    FBuffer.Select(FBuffer.SelStart(), length);
    ScrollCaretIntoView();
    Invalidate();
}

std::string TCustomEdit::SelText() const {
    return ToExternal(FBuffer.SelectedText());
}

void TCustomEdit::SetSelText(const std::string& text) {
    if (FBuffer.Insert(ApplyCharCase(ToInternal(text)), FMaxLength)) TextEdited();
}

void TCustomEdit::SelectAll() {
    FBuffer.SelectAll();
    ScrollCaretIntoView();
    Invalidate();
    ClaimPrimary();
}

// As in every text field of the desktop, what is selected is offered to a
// middle click anywhere (a masked text never is).
void TCustomEdit::ClaimPrimary() {
    if (!FBuffer.HasSelection() || FPasswordChar || !Application) return;
    Application->Host().SetPrimaryText(SelText());
}

void TCustomEdit::PastePrimary(int pos) {
    if (!Editable()) return;
    std::u16string text = FilterPaste(platform::Utf8ToUtf16(Application->Host().PrimaryText()));
    MoveCaret(pos, false);
    if (!text.empty()) InsertTyped(text);
}

void TCustomEdit::ClearSelection() {
    if (Editable() && FBuffer.HasSelection() && FBuffer.Insert(u"")) TextEdited();
}

void TCustomEdit::CopyToClipboard() {
    if (!FBuffer.HasSelection() || FPasswordChar) return;
    Application->Host().SetClipboardText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (!Editable() || FPasswordChar) return;
    CopyToClipboard();
    ClearSelection();
}

// One line only: the text up to the first line break, without control
// characters.
void TCustomEdit::PasteFromClipboard() {
    if (!Editable()) return;
    std::u16string text = FilterPaste(platform::Utf8ToUtf16(Application->Host().ClipboardText()));
    if (!text.empty()) InsertTyped(text);
}

std::u16string TCustomEdit::FilterPaste(std::u16string text) const {
    size_t lineEnd = text.find_first_of(u"\r\n");
    if (lineEnd != std::u16string::npos) text.resize(lineEnd);
    std::erase_if(text, [](char16_t c) { return c < 0x20 || c == 0x7F; });
    return text;
}

std::string TCustomEdit::ToExternal(const std::u16string& text) const {
    return platform::Utf16ToUtf8(text);
}

std::u16string TCustomEdit::ToInternal(const std::string& text) const {
    return platform::Utf8ToUtf16(text);
}

// --- editing ---------------------------------------------------------------

bool TCustomEdit::InsertTyped(const std::u16string& text) {
    if (!Editable()) return false;
    if (!FBuffer.Insert(ApplyCharCase(text), FMaxLength)) return false;
    TextEdited();
    return true;
}

void TCustomEdit::TextEdited() {
    FSettingText = true;
    TWinControl::SetText(ToExternal(FBuffer.Text()));
    FSettingText = false;
    FModified = true;
    ScrollCaretIntoView();
    RestartCaretBlink();
    Invalidate();
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::MoveCaret(int pos, bool extend) {
    FBuffer.SetCaret(pos, extend);
    ScrollCaretIntoView();
    RestartCaretBlink();
    Invalidate();
    // A drag offers its selection once the button is up.
    if (extend && !FSelecting) ClaimPrimary();
}

// --- keyboard --------------------------------------------------------------

bool TCustomEdit::WantsKey(int key) const {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_HOME ||
           key == VK_END;
}

void TCustomEdit::KeyDown(int& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key != 0) EditKey(key, shift);
}

void TCustomEdit::EditKey(int& key, TShiftState shift) {
    const bool extend = shift & ssShift;
    const bool ctrl = (shift & ssCtrl) && !(shift & ssAlt);
    const int caret = FBuffer.CaretPos();
    switch (key) {
    case VK_LEFT:
        if (ctrl)
            MoveCaret(FBuffer.WordLeft(caret), extend);
        else if (FBuffer.HasSelection() && !extend)
            MoveCaret(FBuffer.SelStart(), false);
        else
            MoveCaret(FBuffer.PrevBoundary(caret), extend);
        break;
    case VK_RIGHT:
        if (ctrl)
            MoveCaret(FBuffer.WordRight(caret), extend);
        else if (FBuffer.HasSelection() && !extend)
            MoveCaret(FBuffer.SelStart() + FBuffer.SelLength(), false);
        else
            MoveCaret(FBuffer.NextBoundary(caret), extend);
        break;
    case VK_HOME:
        MoveCaret(0, extend);
        break;
    case VK_END:
        MoveCaret(FBuffer.Length(), extend);
        break;
    case VK_DELETE:
        if (extend)
            CutToClipboard();
        else if (Editable() && FBuffer.DeleteForward())
            TextEdited();
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (extend)
            PasteFromClipboard();
        else
            return;
        break;
    case 'A':
    case 'C':
    case 'X':
    case 'V':
        if (!ctrl) return;
        if (key == 'A') SelectAll();
        if (key == 'C') CopyToClipboard();
        if (key == 'X') CutToClipboard();
        if (key == 'V') PasteFromClipboard();
        break;
    default:
        return;
    }
    key = 0;
}

void TCustomEdit::KeyPress(char16_t& key) {
    TWinControl::KeyPress(key);
    if (key != 0) EditChar(key);
}

void TCustomEdit::EditChar(char16_t ch) {
    const TShiftState shift = KeyboardShiftState();
    if (FSysChar || ((shift & ssCtrl) && !(shift & ssAlt))) return; // shortcuts
    if (ch == u'\b') {
        if (Editable() && FBuffer.DeleteBackward()) TextEdited();
        return;
    }
    if (ch < 0x20 || ch == 0x7F || !Editable()) return;
    if (FDropLowSurrogate) {
        FDropLowSurrogate = false;
        if (TEditBuffer::IsLowSurrogate(ch)) return;
    }
    // Half a character would not fit: drop both halves.
    if (TEditBuffer::IsHighSurrogate(ch) && FMaxLength > 0 &&
        FBuffer.Length() - FBuffer.SelLength() + 2 > FMaxLength) {
        FDropLowSurrogate = true;
        return;
    }
    InsertTyped(std::u16string(1, ch));
}

// --- mouse -----------------------------------------------------------------

void TCustomEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == CaretTimer) {
            FCaretOn = !FCaretOn && Focused();
            Invalidate();
        }
        return;
    case WM_SYSCHAR: {
        // Alt+letters reach OnKeyPress but are never typed.
        const bool old = FSysChar;
        FSysChar = true;
        try {
            TWinControl::WndProc(message);
        } catch (...) {
            FSysChar = old;
            throw;
        }
        FSysChar = old;
        return;
    }
    case WM_COPY:
        CopyToClipboard();
        return;
    case WM_CUT:
        CutToClipboard();
        return;
    case WM_PASTE:
        PasteFromClipboard();
        return;
    case WM_IME_COMPOSITION:
        if (auto* preedit = reinterpret_cast<const TImePreedit*>(message.LParam))
            SetPreedit(preedit->Text, preedit->Cursor);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
        // Focus that comes from a click does not select everything.
        FMouseEntering = true;
        try {
            TWinControl::WndProc(message);
        } catch (...) {
            FMouseEntering = false;
            throw;
        }
        FMouseEntering = false;
        return;
    default:
        TWinControl::WndProc(message);
    }
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        if (!Focused() && CanFocus()) SetFocus();
        const int pos = PosAtPoint({x, y});
        if (shift & ssDouble) {
            int start = 0, end = 0;
            FBuffer.WordAt(pos, start, end);
            FBuffer.Select(start, end - start);
            ScrollCaretIntoView();
            Invalidate();
            ClaimPrimary();
        } else {
            MoveCaret(pos, shift & ssShift);
            FSelecting = true;
        }
    } else if (button == TMouseButton::mbMiddle) {
        if (!Focused() && CanFocus()) SetFocus();
        PastePrimary(PosAtPoint({x, y}));
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
    if (FSelecting && (shift & ssLeft)) MoveCaret(PosAtPoint({x, y}), true);
    TWinControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && FSelecting) {
        FSelecting = false;
        ClaimPrimary();
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::DoEnter() {
    if (FAutoSelect && !FMouseEntering) {
        FBuffer.SelectAll();
        ClaimPrimary();
    }
    RestartCaretBlink();
    TWinControl::DoEnter();
}

void TCustomEdit::DoExit() {
    Application->KillTimer(Handle(), CaretTimer);
    FCaretOn = false;
    FSelecting = false;
    FPreedit.clear();
    FImeRect = TRect{};
    TWinControl::DoExit();
}

void TCustomEdit::RestartCaretBlink() {
    if (!Focused()) return;
    FCaretOn = true;
    Application->SetTimer(Handle(), CaretTimer, CaretBlinkMs);
}

// --- geometry --------------------------------------------------------------

TRect TCustomEdit::NonClientInsets() const {
    return WithSunkenBorder(TWinControl::NonClientInsets(), FBorderStyle);
}

TRect TCustomEdit::TextArea() const {
    return {1, 0, std::max(1, ClientWidth() - 1), ClientHeight()};
}

// Text still being composed shows at the caret, inside the text.
std::u16string TCustomEdit::DisplayText() const {
    std::u16string shown =
        FPasswordChar ? std::u16string(FBuffer.Text().size(), FPasswordChar) : FBuffer.Text();
    if (!FPreedit.empty())
        shown.insert(static_cast<size_t>(FBuffer.CaretPos()),
                     FPasswordChar ? std::u16string(FPreedit.size(), FPasswordChar) : FPreedit);
    return shown;
}

int TCustomEdit::ShownPos(int pos) const {
    return !FPreedit.empty() && pos > FBuffer.CaretPos() ? pos + static_cast<int>(FPreedit.size())
                                                         : pos;
}

int TCustomEdit::ShownCaret() const {
    return FBuffer.CaretPos() + (FPreedit.empty() ? 0 : FPreeditCursor);
}

int TCustomEdit::MeasureTo(int pos) const {
    return MeasureShown(ShownPos(pos));
}

int TCustomEdit::MeasureShown(int pos) const {
    std::u16string shown = DisplayText();
    pos = std::clamp(pos, 0, static_cast<int>(shown.size()));
    if (pos == 0) return 0;
    return TTextRenderer::TextWidth(
        Font(), platform::Utf16ToUtf8(shown.substr(0, static_cast<size_t>(pos))));
}

void TCustomEdit::SetPreedit(const std::u16string& text, int cursor) {
    if (text == FPreedit && cursor == FPreeditCursor) return;
    FPreedit = Editable() && Focused() ? text : std::u16string();
    FPreeditCursor = std::clamp(cursor, 0, static_cast<int>(FPreedit.size()));
    ScrollCaretIntoView();
    RestartCaretBlink();
    Invalidate();
}

int TCustomEdit::PosToX(int pos) const {
    return TextArea().Left + MeasureTo(pos) - FScrollX;
}

// Widths grow with the position, so the nearest boundary is found by
// halving.
int TCustomEdit::XToPos(int x) const {
    const int target = x - TextArea().Left + FScrollX;
    std::vector<int> bounds;
    for (int p = 0;; p = FBuffer.NextBoundary(p)) {
        bounds.push_back(p);
        if (p >= FBuffer.Length()) break;
    }
    size_t lo = 0, hi = bounds.size() - 1;
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (MeasureTo(bounds[mid]) < target)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo > 0) {
        const int after = MeasureTo(bounds[lo]);
        const int before = MeasureTo(bounds[lo - 1]);
        if (target - before < after - target) --lo;
    }
    return bounds[lo];
}

void TCustomEdit::ScrollCaretIntoView() {
    const int width = TextArea().Width();
    const int caret = MeasureShown(ShownCaret());
    const int total = MeasureTo(FBuffer.Length());
    if (caret - FScrollX < 0)
        FScrollX = caret;
    else if (caret - FScrollX > width - 1)
        FScrollX = caret - width + 1;
    // Text that got shorter comes back into view.
    if (FScrollX > 0 && total - FScrollX < width - 1) FScrollX = std::max(0, total - width + 1);
}

int TCustomEdit::TextTop() const {
    const int cell = TTextRenderer::Metrics(Font()).Height;
    TRect area = TextArea();
    return area.Top + std::max(0, (area.Height() - cell) / 2);
}

void TCustomEdit::Resize() {
    TWinControl::Resize();
    ScrollCaretIntoView();
}

void TCustomEdit::FontChanged() {
    TWinControl::FontChanged();
    ScrollCaretIntoView();
}

// --- painting --------------------------------------------------------------

void TCustomEdit::PaintNonClient(TCanvas& canvas) {
    PaintSunkenBorder(canvas, *this, FBorderStyle == TBorderStyle::bsSingle);
}

void TCustomEdit::EraseBackground(TCanvas&) {}

void TCustomEdit::PaintBackground(TCanvas& canvas) {
    FillSolid(canvas, ClientRect(), EnabledInTree() ? Color() : clBtnFace);
}

void TCustomEdit::PaintText(TCanvas& canvas) {
    const std::u16string shown = DisplayText();
    if (shown.empty()) return;
    TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(TextArea());
    canvas.Font().Assign(Font());
    if (!EnabledInTree()) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsClear);
    const int top = TextTop();
    const bool showSel =
        FBuffer.HasSelection() && (Focused() || !FHideSelection) && FPreedit.empty();
    const int selStart = showSel ? FBuffer.SelStart() : 0;
    const int selEnd = showSel ? selStart + FBuffer.SelLength() : 0;
    auto part = [&](int from, int to) {
        return platform::Utf16ToUtf8(
            shown.substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
    };
    if (!showSel) {
        canvas.TextOut(PosToX(0), top, part(0, static_cast<int>(shown.size())));
        PaintPreeditLine(canvas, top);
        return;
    }
    canvas.TextOut(PosToX(0), top, part(0, selStart));
    const int cell = TTextRenderer::Metrics(Font()).Height;
    FillSolid(canvas, {PosToX(selStart), top, PosToX(selEnd), top + cell}, clHighlight);
    {
        TCanvasSaver selSaver(canvas);
        canvas.Font().SetColor(clHighlightText);
        canvas.TextOut(PosToX(selStart), top, part(selStart, selEnd));
    }
    canvas.TextOut(PosToX(selEnd), top, part(selEnd, static_cast<int>(shown.size())));
}

// The text being composed is underlined, as input methods expect.
void TCustomEdit::PaintPreeditLine(TCanvas& canvas, int top) {
    if (FPreedit.empty()) return;
    const int caret = FBuffer.CaretPos();
    const int left = TextArea().Left - FScrollX;
    const int from = left + MeasureShown(caret);
    const int to = left + MeasureShown(caret + static_cast<int>(FPreedit.size()));
    const int y = std::min(top + TTextRenderer::Metrics(Font()).Height, ClientHeight()) - 1;
    FillSolid(canvas, {from, y, to, y + 1}, Font().Color());
}

TRect TCustomEdit::CaretRect() const {
    const int x = TextArea().Left + MeasureShown(ShownCaret()) - FScrollX;
    const int top = TextTop();
    const int cell = TTextRenderer::Metrics(Font()).Height;
    return {x, top, x + 1, std::min(top + cell, ClientHeight())};
}

void TCustomEdit::PaintCaret(TCanvas& canvas) {
    if (!CaretShown()) return;
    FillSolid(canvas, CaretRect(), clWindowText);
}

// An input method opens its candidates beside the caret; it hears where
// the caret is whenever that changes.
void TCustomEdit::UpdateImeCursor() {
    TCustomForm* form = ParentForm();
    if (!form || !Focused() || !Editable() || !Application) return;
    const TRect caret = CaretRect();
    const TPoint screen = ClientToScreen({caret.Left, caret.Top});
    const TRect rect = TRect::FromSize(screen.X - form->Left(), screen.Y - form->Top(),
                                       caret.Width(), caret.Height());
    if (rect == FImeRect) return;
    FImeRect = rect;
    Application->Host().SetImeCursorRect(form->HostWindow(), rect);
}

void TCustomEdit::Paint(TCanvas& canvas) {
    PaintBackground(canvas);
    PaintText(canvas);
    PaintCaret(canvas);
    UpdateImeCursor();
}

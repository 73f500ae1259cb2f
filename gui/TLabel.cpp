#include "gui/TLabel.h"

#include "gui/ControlDraw.h"
#include "gui/TWinControl.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TTextLayout.h"

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TLabel>("TLabel", &TControl::StaticClass())
            .Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, AlignmentNames())
            .Enum("Layout", &TLabel::Layout, &TLabel::SetLayout, LabelLayoutNames())
            .Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
            .Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
            .Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
            .Prop("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
            .Prop("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
            .Build();
    return info;
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    Invalidate();
}

void TLabel::SetLayout(TLabelLayout layout) {
    if (layout == FLayout) return;
    FLayout = layout;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize == FAutoSize) return;
    FAutoSize = autoSize;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool wrap) {
    if (wrap == FWordWrap) return;
    FWordWrap = wrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent == FTransparent) return;
    FTransparent = transparent;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
    if (show == FShowAccelChar) return;
    FShowAccelChar = show;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
    if (control == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = control;
    if (control) control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustBounds();
}

char16_t TLabel::AccelChar() const {
    return FShowAccelChar ? TTextLayout::AccelChar(Caption()) : 0;
}

bool TLabel::DialogChar(char16_t ch) {
    if (ch >= u'A' && ch <= u'Z') ch = static_cast<char16_t>(ch - u'A' + u'a');
    if (ch == 0 || ch != AccelChar() || !Visible() || !EnabledInTree()) return false;
    if (!FFocusControl || !FFocusControl->CanFocus()) return false;
    FFocusControl->SetFocus();
    return true;
}

void TLabel::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGCHAR) {
        if (DialogChar(static_cast<char16_t>(message.WParam))) message.Result = 1;
        return;
    }
    TControl::WndProc(message);
}

unsigned TLabel::DrawFlags() const {
    unsigned flags = DT_EXPANDTABS | AlignmentFlags(FAlignment);
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
    std::string text = Caption();
    // An empty caption still measures one line.
    if (text.empty() || (FShowAccelChar && text == "&")) text += " ";
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    if ((flags & DT_CALCRECT) || EnabledInTree()) {
        canvas.DrawText(text, rect, flags);
        return;
    }
    TRect shadow = rect.Offset(1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, shadow, flags);
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(text, rect, flags);
}

void TLabel::Paint(TCanvas& canvas) {
    TCanvasSaver saver(canvas);
    if (!FTransparent) FillSolid(canvas, ClientRect(), Color());
    TRect rect = ClientRect();
    if (FLayout != TLabelLayout::tlTop) {
        TRect calc = rect;
        DoDrawText(canvas, calc, DrawFlags() | DT_CALCRECT);
        const int offset = rect.Height() - calc.Height();
        rect = rect.Offset(0, FLayout == TLabelLayout::tlBottom ? offset : offset / 2);
    }
    DoDrawText(canvas, rect, DrawFlags());
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading()) return;
    TBitmap scratch(1, 1);
    TRect rect = ClientRect();
    if (!FWordWrap) rect.Right = rect.Left + 32767;
    DoDrawText(scratch.Canvas(), rect, DrawFlags() | DT_CALCRECT);
    int left = Left();
    if (FAlignment == TAlignment::taRightJustify) left += Width() - rect.Width();
    SetBounds(left, Top(), rect.Width(), rect.Height());
}

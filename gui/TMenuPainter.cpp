#include "gui/TMenuPainter.h"

#include <algorithm>

#include "gui/TMenu.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TCustomImageList.h"

void TMenuPainter::AssignMenuFont(TFont& font) {
    font.SetName("宋体");
    font.SetHeight(-12);
    font.SetCharset(GB2312_CHARSET);
    font.SetStyle({});
    font.SetColor(clMenuText);
}

static const TCustomImageList* ItemImages(const TMenuItem& item) {
    TMenu* menu = item.GetParentMenu();
    return menu ? menu->ImageList() : nullptr;
}

static bool HasImage(const TMenuItem& item) {
    const TCustomImageList* images = ItemImages(item);
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

int TMenuPainter::Gutter(const TMenuItem& item) {
    const TCustomImageList* images = ItemImages(item);
    return images ? std::max(MinGutter, images->Width() + 6) : MinGutter;
}

void TMenuPainter::Measure(const TMenuItem& item, TCanvas& canvas, int& width, int& height) {
    if (item.IsLine()) {
        width = MinGutter;
        height = SeparatorHeight;
        return;
    }
    TCanvasSaver saver(canvas);
    if (item.Default()) canvas.Font().SetStyle(TFontStyles{fsBold});
    std::string caption = StripHotkey(item.Caption());
    int textHeight = canvas.TextHeight(caption);
    const TCustomImageList* images = ItemImages(item);
    int imageHeight = images ? images->Height() : 16;
    height = std::max(textHeight, imageHeight) + 4;
    width = Gutter(item) + 4 + canvas.TextWidth(caption) + ArrowSpace;
    std::string shortCut = ShortCutToText(item.ShortCut());
    if (!shortCut.empty()) width += ShortCutGap + canvas.TextWidth(shortCut);
}

void TMenuPainter::DrawSeparator(TCanvas& canvas, const TRect& rect) {
    canvas.Brush().SetColor(clMenu);
    canvas.FillRect(rect);
    int y = rect.Top + rect.Height() / 2 - 1;
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(rect.Left + 2, y);
    canvas.LineTo(rect.Right - 2, y);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(rect.Left + 2, y + 1);
    canvas.LineTo(rect.Right - 2, y + 1);
}

// A tick, or a dot for a radio item; with an image, a sunken square around it.
void TMenuPainter::DrawCheck(const TMenuItem& item, TCanvas& canvas, const TRect& box, TColor color,
                             bool hasImage) {
    if (hasImage) {
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FrameRect(box.Inflate(-1, -1));
        return;
    }
    int cx = box.Left + box.Width() / 2;
    int cy = box.Top + box.Height() / 2;
    canvas.Pen().SetColor(color);
    canvas.Brush().SetColor(color);
    if (item.RadioItem()) {
        canvas.Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
        return;
    }
    for (int dy = 0; dy < 3; ++dy) {
        canvas.MoveTo(cx - 3, cy - 2 + dy);
        canvas.LineTo(cx - 1, cy + dy);
        canvas.LineTo(cx + 4, cy - 5 + dy);
    }
}

void TMenuPainter::DrawArrow(TCanvas& canvas, const TRect& rect, TColor color) {
    int x = rect.Right - 12;
    int cy = rect.Top + rect.Height() / 2;
    canvas.Pen().SetColor(color);
    for (int i = 0; i < 4; ++i) {
        canvas.MoveTo(x + i, cy - 3 + i);
        canvas.LineTo(x + i, cy + 4 - i);
    }
}

void TMenuPainter::Draw(const TMenuItem& item, TCanvas& canvas, const TRect& rect,
                        TOwnerDrawState state) {
    TCanvasSaver saver(canvas);
    if (item.IsLine()) {
        DrawSeparator(canvas, rect);
        return;
    }
    bool selected = state & odSelected;
    bool disabled = state & (odDisabled | odGrayed);
    TColor text = disabled ? clGrayText : selected ? clHighlightText : clMenuText;
    canvas.Brush().SetColor(selected ? clHighlight : clMenu);
    canvas.FillRect(rect);

    int gutter = Gutter(item);
    TRect box{rect.Left, rect.Top, rect.Left + gutter, rect.Bottom};
    bool hasImage = HasImage(item);
    if (state & odChecked) DrawCheck(item, canvas, box, text, hasImage);
    if (hasImage) {
        const TCustomImageList* images = ItemImages(item);
        images->Draw(canvas, box.Left + (gutter - images->Width()) / 2,
                     rect.Top + (rect.Height() - images->Height()) / 2, item.ImageIndex(),
                     !disabled);
    }

    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(text);
    if (state & odDefault) canvas.Font().SetStyle(TFontStyles{fsBold});
    TRect captionRect{rect.Left + gutter + 4, rect.Top, rect.Right, rect.Bottom};
    unsigned prefix = (state & odNoAccel) ? DT_HIDEPREFIX : 0;
    canvas.DrawText(item.Caption(), captionRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | prefix);
    std::string shortCut = ShortCutToText(item.ShortCut());
    if (!shortCut.empty()) {
        TRect keyRect{rect.Left, rect.Top, rect.Right - ArrowSpace, rect.Bottom};
        canvas.DrawText(shortCut, keyRect, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.HasSubMenu()) DrawArrow(canvas, rect, text);
}

TSize TMenuPainter::MeasureBarItem(const TMenuItem& item, TCanvas& canvas) {
    std::string caption = StripHotkey(item.Caption());
    return {canvas.TextWidth(caption) + 2 * BarItemPadding, canvas.TextHeight(caption) + 6};
}

void TMenuPainter::DrawBarItem(const TMenuItem& item, TCanvas& canvas, const TRect& rect, bool hot,
                               bool open) {
    TCanvasSaver saver(canvas);
    bool highlighted = (hot || open) && item.Enabled();
    canvas.Brush().SetColor(highlighted ? clHighlight : clBtnFace);
    canvas.FillRect(rect);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(!item.Enabled() ? clGrayText
                           : highlighted   ? clHighlightText
                                           : clMenuText);
    TRect textRect = rect;
    canvas.DrawText(item.Caption(), textRect, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
}

#include "skin/TskCustomPanel.h"

#include "gui/ControlTypes.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"

const TEnumTable& DrawStyleNames() {
    static const TEnumTable names = {{"skNormal", 0}, {"skStretch", 1}, {"skTile", 2}};
    return names;
}

const TClassInfo& TskCustomPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskCustomPanel>("TskCustomPanel", &TCustomPanel::StaticClass()).Build();
    return info;
}

TskCustomPanel::TskCustomPanel(TComponent* owner)
    : TCustomPanel(owner), FPicture(std::make_unique<TPicture>()) {
    FPicture->OnChange = [this] { PictureChanged(); };
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    Invalidate();
}

TskCustomPanel::~TskCustomPanel() {
    FPicture->OnChange = nullptr;
}

void TskCustomPanel::SetPicture(const TPicture& picture) {
    if (&picture != FPicture.get()) FPicture->Assign(picture);
}

void TskCustomPanel::SetDrawStyle(TskDrawStyle style) {
    if (style == FDrawStyle) return;
    FDrawStyle = style;
    Invalidate();
}

void TskCustomPanel::SetTransparent(bool transparent) {
    FTransparent = transparent;
    FPicture->Bitmap().SetTransparent(transparent);
    Invalidate();
}

void TskCustomPanel::SetAutoSize(bool autoSize) {
    if (autoSize == FAutoSize) return;
    FAutoSize = autoSize;
    ApplyAutoSize();
    Invalidate();
}

void TskCustomPanel::PictureChanged() {
    if (!FPicture->Empty()) {
        ApplyAutoSize();
        FPicture->Bitmap().SetTransparent(FTransparent);
    }
    ClearBackground();
    Invalidate();
}

// An aligned side keeps the size its alignment gives it.
void TskCustomPanel::ApplyAutoSize() {
    if (!FAutoSize || FPicture->Empty()) return;
    const TAlign align = Align();
    int width = Width(), height = Height();
    if (align != TAlign::alTop && align != TAlign::alBottom && align != TAlign::alClient)
        width = FPicture->Width();
    if (align != TAlign::alLeft && align != TAlign::alRight && align != TAlign::alClient)
        height = FPicture->Height();
    SetBounds(Left(), Top(), width, height);
}

void TskCustomPanel::TextChanged() {
    CaptionChanged(FCaptionRect);
    Invalidate();
}

void TskCustomPanel::Resize() {
    Invalidate();
    TCustomPanel::Resize();
}

void TskCustomPanel::PaintPicture(TCanvas& canvas, const TRect& client) const {
    const TBitmap& bitmap = FPicture->Bitmap();
    switch (FDrawStyle) {
    case TskDrawStyle::skStretch:
        canvas.StretchDraw(client, bitmap);
        break;
    case TskDrawStyle::skTile:
        TileDraw(canvas, bitmap, client);
        break;
    case TskDrawStyle::skNormal:
        canvas.Draw(0, 0, bitmap);
        break;
    }
}

static bool IsBlank(const std::string& text) {
    for (unsigned char c : text)
        if (c > ' ') return false;
    return true;
}

// Leading blanks are part of the caption (the layouts indent with them);
// only a caption of nothing but blanks is left out.
void TskCustomPanel::PaintPanelCaption(TCanvas& canvas, const TRect& client) {
    if (IsBlank(Caption())) return;
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    TRect rect = client;
    canvas.DrawText(Caption(), rect,
                    DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | AlignmentFlags(Alignment()));
    FCaptionRect = client;
}

void TskCustomPanel::Paint(TCanvas& canvas) {
    const TRect client = ClientRect();
    // Only the part being repainted is composed: a status text or a hot
    // button changes a sliver of a panel that may fill the window, and a
    // transparent panel repaints its parents under that part only.
    const TRect area = client.Intersect(canvas.ClipRect());
    if (area.IsEmpty()) return;
    TBitmap buffer(area.Width(), area.Height());
    buffer.SetScale(canvas.Target().Scale());
    TCanvas& work = buffer.Canvas();
    work.MoveOrigin(-area.Left, -area.Top);
    if (FTransparent) {
        // The buffer's origin is the client area; the parent's coordinates
        // are those of the whole window.
        TCanvasSaver saver(work);
        const TRect insets = NonClientInsets();
        work.MoveOrigin(-insets.Left, -insets.Top);
        DrawParentBackground(work, this);
    } else {
        FillRectColor(work, client, Color());
    }
    if (!FPicture->Empty()) PaintPicture(work, client);
    PaintPanelCaption(work, client);
    canvas.Draw(area.Left, area.Top, buffer);
}

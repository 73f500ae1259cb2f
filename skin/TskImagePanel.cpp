#include "skin/TskImagePanel.h"

#include "gui/PictureSource.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"

const TEnumTable& DrawStyleNames() {
    static const TEnumTable names = {{"skNormal", 0}, {"skStretch", 1}, {"skTile", 2}};
    return names;
}

const TClassInfo& TskImagePanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskImagePanel>("TskImagePanel", &TCustomPanel::StaticClass())
            .Prop("Picture", &TskImagePanel::PictureSource, &TskImagePanel::SetPictureSource)
            .Enum("DrawStyle", &TskImagePanel::DrawStyle, &TskImagePanel::SetDrawStyle, DrawStyleNames())
            .Prop("Transparent", &TskImagePanel::Transparent, &TskImagePanel::SetTransparent)
            .Prop("AutoSize", &TskImagePanel::AutoSize, &TskImagePanel::SetAutoSize)
            .Build();
    return info;
}

TskImagePanel::TskImagePanel(TComponent* owner)
    : TCustomPanel(owner), FPicture(std::make_unique<TPicture>()) {
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    SetControlStyle(ControlStyle() | csOpaque);
}

TskImagePanel::~TskImagePanel() = default;

void TskImagePanel::SetPictureSource(const std::string& source) {
    if (source.empty()) FPicture = std::make_unique<TPicture>();
    else LoadPictureFromSource(*FPicture, source);
    FPictureSource = source;
    PictureChanged();
}

void TskImagePanel::PictureChanged() {
    if (FAutoSize && !FPicture->Bitmap().Empty())
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    Invalidate();
}

void TskImagePanel::SetDrawStyle(TskDrawStyle style) {
    FDrawStyle = style;
    Invalidate();
}

void TskImagePanel::SetTransparent(bool transparent) {
    FTransparent = transparent;
    Invalidate();
}

void TskImagePanel::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    PictureChanged();
}

// The panel paints its whole background itself, so nothing is erased first.
void TskImagePanel::EraseBackground(TCanvas&) {}

void TskImagePanel::PaintBackground(TCanvas& canvas, const TRect& rect) {
    if (FTransparent) DrawParentBackground(canvas, this);
    else FillRectColor(canvas, rect, Color());
    const TBitmap& bitmap = FPicture->Bitmap();
    if (bitmap.Empty()) return;
    switch (FDrawStyle) {
    case TskDrawStyle::skNormal:
        canvas.Draw(0, 0, bitmap);
        break;
    case TskDrawStyle::skStretch:
        canvas.StretchDraw(ClientRect(), bitmap);
        break;
    case TskDrawStyle::skTile:
        TileDraw(canvas, bitmap, ClientRect());
        break;
    }
}

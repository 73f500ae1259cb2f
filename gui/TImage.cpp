#include "gui/TImage.h"

#include "gui/PictureSource.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"

const TClassInfo& TImage::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TImage>("TImage", &TControl::StaticClass())
            .Prop("Picture", &TImage::PictureSource, &TImage::SetPictureSource)
            .Prop("Stretch", &TImage::Stretch, &TImage::SetStretch)
            .Prop("Center", &TImage::Center, &TImage::SetCenter)
            .Prop("Proportional", &TImage::Proportional, &TImage::SetProportional)
            .Prop("Transparent", &TImage::Transparent, &TImage::SetTransparent)
            .Prop("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize)
            .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TControl(owner), FPicture(std::make_unique<TPicture>()) {
    SetBounds(0, 0, 105, 105);
    FPicture->OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() {
    FPicture->OnChange = nullptr;
}

void TImage::SetPictureSource(const std::string& source) {
    FSource = source;
    LoadPictureFromSource(*FPicture, source); // repaints through OnChange
}

void TImage::PictureChanged() {
    FPicture->Bitmap().SetTransparent(FTransparent);
    ApplyAutoSize();
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    if (stretch == FStretch) return;
    FStretch = stretch;
    Invalidate();
}

void TImage::SetCenter(bool center) {
    if (center == FCenter) return;
    FCenter = center;
    Invalidate();
}

void TImage::SetProportional(bool proportional) {
    if (proportional == FProportional) return;
    FProportional = proportional;
    Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    if (transparent == FTransparent) return;
    FTransparent = transparent;
    PictureChanged();
}

void TImage::SetAutoSize(bool autoSize) {
    if (autoSize == FAutoSize) return;
    FAutoSize = autoSize;
    ApplyAutoSize();
}

void TImage::Loaded() {
    TControl::Loaded();
    ApplyAutoSize();
}

void TImage::ApplyAutoSize() {
    if (!FAutoSize || IsLoading() || FPicture->Empty()) return;
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
}

TRect TImage::DestRect() const {
    int w = FPicture->Width(), h = FPicture->Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    if (w <= 0 || h <= 0) return {};
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && cw > 0 && ch > 0) {
            // Keep the aspect: fit the longer side.
            if (static_cast<int64_t>(w) * ch > static_cast<int64_t>(h) * cw) {
                h = static_cast<int>(static_cast<int64_t>(h) * cw / w);
                w = cw;
            } else {
                w = static_cast<int>(static_cast<int64_t>(w) * ch / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect rect{0, 0, w, h};
    if (FCenter) rect = rect.Offset((cw - w) / 2, (ch - h) / 2);
    return rect;
}

void TImage::Paint(TCanvas& canvas) {
    if (FPicture->Empty()) return;
    TRect dest = DestRect();
    if (dest.Width() == FPicture->Width() && dest.Height() == FPicture->Height())
        canvas.Draw(dest.Left, dest.Top, FPicture->Bitmap());
    else
        canvas.StretchDraw(dest, FPicture->Bitmap());
}

#include "skin/TskImageButton.h"

#include "gui/PictureSource.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"

namespace {

template <TskImageButton::TState S> auto PicProperty() {
    return std::make_pair(
        [](const TskImageButton* c) -> TValue { return c->PicSource(S); },
        [](TskImageButton* c, const TValue& v) { c->SetPicSource(S, ValueToString(v)); });
}

} // namespace

const TClassInfo& TskImageButton::StaticClass() {
    using T = TskImageButton;
    auto normal = PicProperty<PicNormal>();
    auto mouseOn = PicProperty<PicMouseOn>();
    auto mouseDown = PicProperty<PicMouseDown>();
    auto disabled = PicProperty<PicDisabled>();
    static const TClassInfo info =
        TClassBuilder<T>("TskImageButton", &TskCustomButton::StaticClass())
            .Custom("PicNormal", TPropKind::String, normal.first, normal.second)
            .Custom("PicMouseOn", TPropKind::String, mouseOn.first, mouseOn.second)
            .Custom("PicMouseDown", TPropKind::String, mouseDown.first, mouseDown.second)
            .Custom("PicDisabled", TPropKind::String, disabled.first, disabled.second)
            .Prop("Stretch", &T::Stretch, &T::SetStretch)
            .Prop("DrawFocused", &T::DrawFocused, &T::SetDrawFocused)
            .Build();
    return info;
}

TskImageButton::TskImageButton(TComponent* owner) : TskCustomButton(owner) {
    for (int i = 0; i < StateCount; ++i) {
        FPictures[i] = std::make_unique<TPicture>();
        FPictures[i]->OnChange = [this, i] { PictureChanged(static_cast<TState>(i)); };
    }
}

TskImageButton::~TskImageButton() {
    for (auto& picture : FPictures)
        picture->OnChange = nullptr;
}

void TskImageButton::SetPicSource(TState state, const std::string& source) {
    FSources[state].clear();
    LoadPictureFromSource(*FPictures[state], source);
    FSources[state] = source;
}

void TskImageButton::PictureChanged(TState state) {
    if (state == PicNormal) ApplyAutoSize();
    Invalidate();
}

void TskImageButton::SetStretch(bool stretch) {
    if (stretch == FStretch) return;
    FStretch = stretch;
    Invalidate();
}

void TskImageButton::SetDrawFocused(bool drawFocused) {
    if (drawFocused == FDrawFocused) return;
    FDrawFocused = drawFocused;
    Invalidate();
}

void TskImageButton::ApplyAutoSize() {
    if (!Parent() || !AutoSize() || FPictures[PicNormal]->Empty()) return;
    SetBounds(Left(), Top(), FPictures[PicNormal]->Width(), FPictures[PicNormal]->Height());
}

void TskImageButton::GetImage(TState state, TBitmap& image) const {
    const TPicture& own = *FPictures[state];
    image.Assign(own.Empty() ? FPictures[PicNormal]->Bitmap() : own.Bitmap());
}

void TskImageButton::GetNormalImage(TBitmap& image) {
    GetImage(PicNormal, image);
}
void TskImageButton::GetMouseOnImage(TBitmap& image) {
    GetImage(PicMouseOn, image);
}
void TskImageButton::GetMouseDownImage(TBitmap& image) {
    GetImage(PicMouseDown, image);
}
void TskImageButton::GetDisabledImage(TBitmap& image) {
    GetImage(PicDisabled, image);
}

// The picture's top-left colour is left out whatever Transparent says.
void TskImageButton::DrawImage(TCanvas& canvas, TBitmap& image) {
    if (image.Empty()) return;
    image.SetTransparent(true);
    image.SetTransparentColor(image.GetPixel(0, 0));
    if (FStretch)
        canvas.StretchDraw(ClientRect(), image);
    else
        canvas.Draw(0, 0, image);
}

void TskImageButton::DrawFocus(TCanvas& canvas) {
    if (FDrawFocused) TskCustomButton::DrawFocus(canvas);
}

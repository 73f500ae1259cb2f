#include "gui/TImageList.h"

#include "gui/PictureSource.h"
#include "gui/TControl.h"
#include "gui/graphics/TBitmap.h"

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TImageList>("TImageList", &TComponent::StaticClass())
            .Prop("Width", &TImageList::Width, &TImageList::SetWidth)
            .Prop("Height", &TImageList::Height, &TImageList::SetHeight)
            .Prop("MaskColor", &TImageList::MaskColor, &TImageList::SetMaskColor, &ColorNames())
            .Prop("Images", &TImageList::Sources, &TImageList::SetSources)
            .Event("OnChange", &TImageList::OnChange)
            .Build();
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::TImageList(int width, int height)
    : TComponent(nullptr), TCustomImageList(width, height) {}

void TImageList::SetWidth(int width) {
    if (width == Width()) return;
    SetSize(width, Height());
    Rebuild();
}

void TImageList::SetHeight(int height) {
    if (height == Height()) return;
    SetSize(Width(), height);
    Rebuild();
}

void TImageList::SetMaskColor(TColor color) {
    if (color == FMaskColor) return;
    FMaskColor = color;
    Rebuild();
}

void TImageList::SetSources(const std::vector<std::string>& sources) {
    FSources.clear();
    Clear();
    for (const std::string& source : sources)
        AddSource(source);
    Changed();
}

void TImageList::AddSource(const std::string& source) {
    AddStripFrom(source);
    FSources.push_back(source);
    Changed();
}

void TImageList::AddStripFrom(const std::string& source) {
    TBitmap strip;
    LoadBitmapFromSource(strip, source);
    AddMasked(strip, FMaskColor);
}

// Strips were checked when they were added; one that has gone since is
// skipped rather than losing the others.
void TImageList::Rebuild() {
    Clear();
    for (const std::string& source : FSources) {
        try {
            AddStripFrom(source);
        } catch (const std::exception&) {
        }
    }
    Changed();
}

void TImageList::Changed() {
    if (OnChange) OnChange(this);
}

#include "skin/TskTitleBarSection.h"

#include "gui/TApplication.h"
#include "gui/graphics/TPicture.h"

const TEnumTable& TitleBarAlignNames() {
    static const TEnumTable names = {{"skLeft", 0}, {"skRight", 1}, {"skClient", 2}};
    return names;
}

const TClassInfo& TskTitleBarSection::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskTitleBarSection>("TskTitleBarSection", &TObject::StaticClass())
            .Prop("AutoSize", &TskTitleBarSection::AutoSize, &TskTitleBarSection::SetAutoSize)
            .Prop("Width", &TskTitleBarSection::Width, &TskTitleBarSection::SetWidth)
            .Enum("Align", &TskTitleBarSection::Align, &TskTitleBarSection::SetAlign, TitleBarAlignNames())
            .Prop("Stretch", &TskTitleBarSection::Stretch, &TskTitleBarSection::SetStretch)
            .Build();
    return info;
}

TskTitleBarSection::TskTitleBarSection(std::function<void()> changed,
                                       std::function<bool(const TskTitleBarSection*)> canBeClient)
    : FChanged(std::move(changed)), FCanBeClient(std::move(canBeClient)), FPicture(std::make_unique<TPicture>()) {}

TskTitleBarSection::~TskTitleBarSection() = default;

void TskTitleBarSection::Changed() {
    if (FChanged) FChanged();
}

void TskTitleBarSection::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    if (autoSize && !FPicture->Empty()) FWidth = FPicture->Width();
    Changed();
}

void TskTitleBarSection::SetWidth(int width) {
    FWidth = width;
    Changed();
}

void TskTitleBarSection::SetAlign(TskTitleBarAlign align) {
    if (align == FAlign) return;
    if (align == TskTitleBarAlign::skClient && FCanBeClient && !FCanBeClient(this)) {
        Application->MessageBox("Sorry, only one section's Align property can be \"skClient\"", "Error",
                                MB_OK | MB_ICONERROR);
        return;
    }
    FAlign = align;
    if (align == TskTitleBarAlign::skClient) FStretch = true;
    Changed();
}

void TskTitleBarSection::SetPicture(const TPicture& picture) {
    FPicture->Assign(picture);
    if (FAutoSize && !FPicture->Empty()) FWidth = FPicture->Width();
    Changed();
}

void TskTitleBarSection::SetStretch(bool stretch) {
    if (!stretch && FAlign == TskTitleBarAlign::skClient) return;
    FStretch = stretch;
    Changed();
}

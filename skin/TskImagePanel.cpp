#include "skin/TskImagePanel.h"

#include "gui/PictureSource.h"
#include "gui/graphics/TPicture.h"

const TClassInfo& TskImagePanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskImagePanel>("TskImagePanel", &TskCustomPanel::StaticClass())
            .Prop("Picture", &TskImagePanel::PictureSource, &TskImagePanel::SetPictureSource)
            .Enum("DrawStyle", &TskImagePanel::DrawStyle, &TskImagePanel::SetDrawStyle,
                  DrawStyleNames())
            .Prop("Transparent", &TskImagePanel::Transparent, &TskImagePanel::SetTransparent)
            .Prop("AutoSize", &TskImagePanel::AutoSize, &TskImagePanel::SetAutoSize)
            .Build();
    return info;
}

TskImagePanel::TskImagePanel(TComponent* owner) : TskCustomPanel(owner) {}

void TskImagePanel::SetPictureSource(const std::string& source) {
    FPictureSource.clear();
    LoadPictureFromSource(Picture(), source);
    FPictureSource = source;
}

#include "skin/TskComboBox.h"

const TClassInfo& TskComboBox::StaticClass() {
    static TClassBuilder<TskComboBox> builder("TskComboBox", &TComboBox::StaticClass());
    static const TClassInfo info =
        WithThemeProperties(builder)
            .Prop("BorderColor", &TskComboBox::BorderColor, &TskComboBox::SetBorderColor, &ColorNames())
            .Prop("ArrowColor", &TskComboBox::ArrowColor, &TskComboBox::SetArrowColor, &ColorNames())
            .Prop("ButtonColor", &TskComboBox::ButtonColor, &TskComboBox::SetButtonColor, &ColorNames())
            .Build();
    return info;
}

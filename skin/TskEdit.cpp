#include "skin/TskEdit.h"

const TClassInfo& TskEdit::StaticClass() {
    static TClassBuilder<TskEdit> builder("TskEdit", &TEdit::StaticClass());
    static const TClassInfo info = WithThemeProperties(builder)
            .Prop("BorderColor", &TskEdit::BorderColor, &TskEdit::SetBorderColor, &ColorNames())
            .Build();
    return info;
}

#include "skin/TskButton.h"

const TClassInfo& TskButton::StaticClass() {
    static TClassBuilder<TskButton> builder("TskButton", &TSpeedButton::StaticClass());
    static const TClassInfo info = WithThemeProperties(builder).Build();
    return info;
}

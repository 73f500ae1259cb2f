#include "gui/TPanel.h"

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPanel>("TPanel", &TCustomPanel::StaticClass()).Build();
    return info;
}

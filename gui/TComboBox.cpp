#include "gui/TComboBox.h"

const TClassInfo& TComboBox::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TComboBox>("TComboBox", &TCustomComboBox::StaticClass()).Build();
    return info;
}

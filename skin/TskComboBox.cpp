#include "skin/TskComboBox.h"

const TClassInfo& TskComboBox::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskComboBox>("TskComboBox", &TskCustomComboBox::StaticClass()).Build();
    return info;
}

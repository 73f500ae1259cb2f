#include "gui/TMemo.h"

const TClassInfo& TMemo::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMemo>("TMemo", &TCustomMemo::StaticClass()).Build();
    return info;
}

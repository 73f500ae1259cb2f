#include "gui/TEdit.h"

const TClassInfo& TEdit::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TEdit>("TEdit", &TCustomEdit::StaticClass()).Build();
    return info;
}

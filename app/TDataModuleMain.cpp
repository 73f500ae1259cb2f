#include "app/TDataModuleMain.h"

const TClassInfo& TDataModuleMain::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDataModuleMain>("TDataModuleMain", &TComponent::StaticClass()).Build();
    return info;
}

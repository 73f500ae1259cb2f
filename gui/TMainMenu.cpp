#include "gui/TMainMenu.h"

#include "gui/TCustomForm.h"

const TClassInfo& TMainMenu::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass())
            .Prop("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge)
            .Build();
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TCustomForm* TMainMenu::Form() const {
    return dynamic_cast<TCustomForm*>(Owner());
}

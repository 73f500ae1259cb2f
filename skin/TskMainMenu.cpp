#include "skin/TskMainMenu.h"

#include "gui/TImageList.h"
#include "skin/SkinPublic.h"

const TClassInfo& TskMainMenu::StaticClass() {
    static TClassBuilder<TskMainMenu> builder("TskMainMenu", &TMainMenu::StaticClass());
    static const TClassInfo info = WithMenuLookProperties(builder).Build();
    return info;
}

TskMainMenu::TskMainMenu(TComponent* owner) : TMainMenu(owner), TskMenuLook(this, this) {
    ApplyStyle();
    InstallDrawHandlers(Items());
}

// The check-mark list stands in while no list of the program's is set.
const TCustomImageList* TskMainMenu::ImageList() const {
    if (!Images()) return &MenuCheckImages();
    return TMainMenu::ImageList();
}

void TskMainMenu::Loaded() {
    TMainMenu::Loaded();
    InstallDrawHandlers(Items());
}

void TskMainMenu::Notification(TComponent* component, TOperation operation) {
    TMainMenu::Notification(component, operation);
    if (operation == TOperation::opRemove) ThemeRemoved(component);
}

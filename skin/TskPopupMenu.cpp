#include "skin/TskPopupMenu.h"

const TClassInfo& TskPopupMenu::StaticClass() {
    static TClassBuilder<TskPopupMenu> builder("TskPopupMenu", &TPopupMenu::StaticClass());
    static const TClassInfo info = WithMenuLookProperties(builder).Build();
    return info;
}

TskPopupMenu::TskPopupMenu(TComponent* owner) : TPopupMenu(owner), TskMenuLook(this, this) {
    ApplyStyle();
    InstallDrawHandlers(Items());
}

void TskPopupMenu::Loaded() {
    TPopupMenu::Loaded();
    InstallDrawHandlers(Items());
}

void TskPopupMenu::Notification(TComponent* component, TOperation operation) {
    TPopupMenu::Notification(component, operation);
    if (operation == TOperation::opRemove) ThemeRemoved(component);
}

#include "gui/MenuHooks.h"
#include "gui/StandardClasses.h"
#include "gui/TMainMenu.h"
#include "gui/TMenuBar.h"
#include "gui/TMenuItem.h"
#include "gui/TPopupMenu.h"
#include "gui/TToolBar.h"
#include "gui/TToolButton.h"

// Menus, menu items and the tool bar that shows a menu bar.
void RegisterMenuClasses() {
    RegisterClass(TMenuItem::StaticClass());
    RegisterClass(TMainMenu::StaticClass());
    RegisterClass(TPopupMenu::StaticClass());
    RegisterClass(TMenuBar::StaticClass());
    RegisterClass(TToolBar::StaticClass());
    RegisterClass(TToolButton::StaticClass());
    InstallMenuHooks();
}

#include "gui/StandardClasses.h"

// Menus, menu items and the tool bar that shows a menu bar.
void RegisterMenuClasses() {}

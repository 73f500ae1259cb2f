#include "gui/StandardClasses.h"

#include "gui/TImageList.h"
#include "gui/TPopupWindow.h"

// The standard controls (panels, labels, images, buttons, edits, lists, ...).
void RegisterControlClasses() {
    RegisterClass(TImageList::StaticClass());
    RegisterClass(TPopupWindow::StaticClass());
}

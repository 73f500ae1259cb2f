#include "gui/StandardClasses.h"
#include "gui/TWebBrowser.h"

// The embedded browser control.
void RegisterBrowserClasses() {
    RegisterClass(TWebBrowser::StaticClass());
}

#include "gui/StandardClasses.h"

#include "gui/TApplicationEvents.h"
#include "gui/TForm.h"
#include "gui/TTimer.h"

void RegisterStandardClasses() {
    RegisterClass(TForm::StaticClass());
    RegisterClass(TTimer::StaticClass());
    RegisterClass(TApplicationEvents::StaticClass());
    RegisterControlClasses();
    RegisterMenuClasses();
    RegisterBrowserClasses();
}

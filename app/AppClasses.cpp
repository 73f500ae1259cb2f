#include "app/AppClasses.h"

#include "app/TDataModuleMain.h"
#include "app/TFrameDownloads.h"
#include "app/TFrameSiteBar.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "app/Tfrmabout.h"
#include "gui/StandardClasses.h"
#include "services/ServiceClasses.h"
#include "skin/SkinClasses.h"

void RegisterAppClasses() {
    RegisterStandardClasses();
    RegisterSkinClasses();
    RegisterServiceClasses();
    RegisterClass(TFrmMain::StaticClass());
    RegisterClass(TFrameWebBrowser::StaticClass());
    RegisterClass(TFrameDownloads::StaticClass());
    RegisterClass(TFrameSiteBar::StaticClass());
    RegisterClass(TDataModuleMain::StaticClass());
    RegisterClass(Tfrmabout::StaticClass());
}

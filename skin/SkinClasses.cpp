#include "skin/SkinClasses.h"

#include "gui/TClassInfo.h"
#include "skin/TskFileTheme.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"
#include "skin/TskThemeManager.h"

void RegisterSkinClasses() {
    RegisterClass(TskPageControl::StaticClass());
    RegisterClass(TskTabSheet::StaticClass());
    RegisterClass(TskThemeManager::StaticClass());
    RegisterClass(TskFileTheme::StaticClass());
}

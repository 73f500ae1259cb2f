#include "skin/SkinClasses.h"

#include "gui/TClassInfo.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabSheet.h"

void RegisterSkinClasses() {
    RegisterClass(TskPageControl::StaticClass());
    RegisterClass(TskTabSheet::StaticClass());
}

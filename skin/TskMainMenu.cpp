#include "skin/TskMainMenu.h"

const TClassInfo& TskMainMenu::StaticClass() {
    static TClassBuilder<TskMainMenu> builder("TskMainMenu", &TMainMenu::StaticClass());
    static const TClassInfo info = WithThemeProperties(builder)
            .Build();
    return info;
}

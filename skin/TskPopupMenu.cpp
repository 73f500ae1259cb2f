#include "skin/TskPopupMenu.h"

const TClassInfo& TskPopupMenu::StaticClass() {
    static TClassBuilder<TskPopupMenu> builder("TskPopupMenu", &TPopupMenu::StaticClass());
    static const TClassInfo info = WithThemeProperties(builder)
            .Build();
    return info;
}

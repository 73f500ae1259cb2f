#include "skin/TskPageControlTopPanel.h"

const TClassInfo& TskPageControlTopPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskPageControlTopPanel>("TskPageControlTopPanel",
                                              &TskTabControlTopPanel::StaticClass())
            .Build();
    return info;
}

#include "skin/TskScrollTrackBar.h"

const TClassInfo& TskScrollTrackBar::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskScrollTrackBar>("TskScrollTrackBar", &TskTrackBar::StaticClass()).Build();
    return info;
}

TskScrollTrackBar::TskScrollTrackBar(TComponent* owner) : TskTrackBar(owner) {
    Rebuild();
}

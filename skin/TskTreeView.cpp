#include "skin/TskTreeView.h"

const TClassInfo& TskTreeView::StaticClass() {
    static TClassBuilder<TskTreeView> builder("TskTreeView", &TTreeView::StaticClass());
    static const TClassInfo info =
        WithThemeProperties(builder)
            .Prop("BorderColor", &TskTreeView::BorderColor, &TskTreeView::SetBorderColor, &ColorNames())
            .Build();
    return info;
}

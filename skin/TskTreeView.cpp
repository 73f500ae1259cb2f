#include "skin/TskTreeView.h"

const TClassInfo& TskTreeView::StaticClass() {
    static TClassBuilder<TskTreeView> builder("TskTreeView", &TWinControl::StaticClass());
    static const TClassInfo info =
        WithThemeProperties(builder)
            .Prop("BorderColor", &TskTreeView::BorderColor, &TskTreeView::SetBorderColor, &ColorNames())
            .Prop("Images", &TskTreeView::Images, &TskTreeView::SetImages)
            .Prop("Indent", &TskTreeView::Indent, &TskTreeView::SetIndent)
            .Enum("BorderStyle", &TskTreeView::BorderStyleValue, &TskTreeView::SetBorderStyleValue, BorderStyleNames())
            .Build();
    return info;
}

#include "skin/TskSuggestList.h"

#include "gui/TStringList.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskThemeLookup.h"

const TClassInfo& TskSuggestList::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskSuggestList>("TskSuggestList", &TDropDownList::StaticClass()).Build();
    return info;
}

TskSuggestList::TskSuggestList(TComponent* owner) : TDropDownList(owner) {}

void TskSuggestList::ApplyStyle(TskUIStyle style, const TskFileTheme* fileTheme) {
    const TskThemeLookup theme(fileTheme, style);
    SetColor(theme.Color(ThemeItem::MenuBackgroundColor));
    FFontColor = theme.Color(ThemeItem::MenuFontColor);
    FSelectedColor = theme.Color(ThemeItem::MenuSelectedBackgroundColor);
    FSelectedFontColor = theme.Color(ThemeItem::MenuSelectedFontColor);
    FSelectedBorderColor = theme.Color(ThemeItem::MenuSelectedBorderColor);
    SetFrameColor(theme.Color(ThemeItem::ControlBorderColor));
    Invalidate();
}

void TskSuggestList::PaintItem(TCanvas& canvas, int index, const TRect& rect, bool hot) {
    FillRectColor(canvas, rect, hot ? FSelectedColor : Color());
    if (hot) FrameRectColor(canvas, rect, FSelectedBorderColor);
    TCanvasSaver saver(canvas);
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(hot ? FSelectedFontColor : FFontColor);
    canvas.Brush().SetStyle(bsClear);
    TRect text{rect.Left + 6, rect.Top, rect.Right - 4, rect.Bottom};
    canvas.DrawText(Item(index), text,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT | DT_END_ELLIPSIS);
}

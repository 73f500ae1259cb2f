#include "gui/graphics/TBrush.h"

#include "gui/graphics/TBitmap.h"

namespace {

constexpr int PatternSize = 8;

std::shared_ptr<const TBitmap> MakePattern(const TBitmap& source) {
    auto pattern = std::make_shared<TBitmap>(PatternSize, PatternSize);
    for (int y = 0; y < PatternSize; ++y)
        for (int x = 0; x < PatternSize; ++x)
            pattern->SetPixel(x, y, source.GetPixel(x % source.Width(), y % source.Height()));
    return pattern;
}

} // namespace

void TBrush::SetColor(TColor color) {
    const TBrushStyle style = color == clNone ? bsClear : bsSolid;
    if (color == FColor && style == FStyle) return;
    FColor = color;
    FStyle = style;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TBrush::SetBitmap(const TBitmap* bitmap) {
    if (bitmap && bitmap->Empty()) bitmap = nullptr;
    if (!bitmap && !FBitmap) return;
    FBitmap = bitmap ? MakePattern(*bitmap) : nullptr;
    Changed();
}

void TBrush::Assign(const TBrush& source) {
    if (&source == this) return;
    FColor = source.FColor;
    FStyle = source.FStyle;
    FBitmap = source.FBitmap;
    Changed();
}

void TBrush::Changed() {
    if (OnChange) OnChange();
}

#include "gui/host/gtk/TDrawPlan.h"

TDrawPlan TDrawPlan::Make(const TRegion& clip, TSize buffer, TSize area,
                          std::span<const TRect> views) {
    TRegion visible = clip.Intersect(TRect{0, 0, area.cx, area.cy});
    if (!views.empty()) visible = visible.Subtract(TRegion::FromRects(views));
    TDrawPlan plan;
    TRect bufferRect{0, 0, buffer.cx, buffer.cy};
    plan.Buffer = visible.Intersect(bufferRect);
    plan.White = visible.Subtract(TRegion(bufferRect));
    return plan;
}

#pragma once
// What one draw of a window's drawing area paints, out of the area GTK
// asks for: the form's back buffer where the buffer reaches, white beyond
// it (the window grew before the form caught up), and nothing under a
// shown native view. A web view lies on top of the drawing area and
// paints its own pixels on every frame it draws; whatever it leaves
// unpainted (a blank page) shows the window's background, white like the
// browser control beneath it. A game page damages only its view, so most
// of its frames draw nothing here at all.
#include <span>

#include "gui/Types.h"
#include "gui/graphics/TRegion.h"

struct TDrawPlan {
    TRegion Buffer;
    TRegion White;

    bool IsEmpty() const { return Buffer.IsEmpty() && White.IsEmpty(); }

    // `clip`, `views` and the sizes in the drawing area's coordinates;
    // `views` are the rectangles of the views shown over it.
    static TDrawPlan Make(const TRegion& clip, TSize buffer, TSize area,
                          std::span<const TRect> views);
};

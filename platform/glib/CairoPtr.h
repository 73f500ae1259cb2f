#pragma once
// Owners for the cairo objects the GTK host makes while presenting.
#include <cairo.h>

#include "platform/glib/GlibPtr.h"

namespace platform {

using TCairoRegionPtr = TGlibPtr<cairo_region_t, cairo_region_destroy>;
using TCairoSurfacePtr = TGlibPtr<cairo_surface_t, cairo_surface_destroy>;

} // namespace platform

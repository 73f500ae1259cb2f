#include "platform/browser/TextZoom.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/browser/OleCommands.h"

namespace platform {

namespace {
// Smallest, smaller, medium, larger, largest: steps a reader can tell apart
// without the largest breaking ordinary page layouts.
constexpr std::array<double, 5> kFactors = {0.75, 0.875, 1.0, 1.25, 1.5};
} // namespace

bool IsTextZoomLevel(int level) {
    return level >= TEXT_ZOOM_MIN_LEVEL && level <= TEXT_ZOOM_MAX_LEVEL;
}

double TextZoomFactor(int level) {
    return kFactors[static_cast<size_t>(
        std::clamp(level, TEXT_ZOOM_MIN_LEVEL, TEXT_ZOOM_MAX_LEVEL))];
}

int TextZoomLevel(double factor) {
    int best = 2;
    for (int level = TEXT_ZOOM_MIN_LEVEL; level <= TEXT_ZOOM_MAX_LEVEL; ++level)
        if (std::fabs(kFactors[level] - factor) < std::fabs(kFactors[best] - factor)) best = level;
    return best;
}

} // namespace platform

#include "gui/host/gtk/TClickTracker.h"

#include <cstdlib>

bool TClickTracker::Press(int button, uint32_t timeMs, TPoint point) {
    // Unsigned subtraction keeps working when the server's clock wraps.
    bool quick = timeMs - FTime <= FDoubleClickMs;
    bool near =
        std::abs(point.X - FPoint.X) <= FDistance && std::abs(point.Y - FPoint.Y) <= FDistance;
    if (FArmed && button == FButton && quick && near) {
        FArmed = false;
        return true;
    }
    FArmed = true;
    FButton = button;
    FTime = timeMs;
    FPoint = point;
    return false;
}

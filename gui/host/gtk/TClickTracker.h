#pragma once
// Decides which button press completes a double click, the way the
// framework expects it: down, up, double-click, up; a third quick press
// starts a new pair instead of making a triple click.
#include <cstdint>

#include "gui/Types.h"

class TClickTracker {
public:
    TClickTracker(uint32_t doubleClickMs, int distance)
        : FDoubleClickMs(doubleClickMs), FDistance(distance) {}

    // `point` in screen coordinates, `timeMs` the event's time stamp.
    bool Press(int button, uint32_t timeMs, TPoint point);
    // Forget the last press (the pointer left, another window was clicked).
    void Reset() { FArmed = false; }

private:
    uint32_t FDoubleClickMs;
    int FDistance;
    bool FArmed = false;
    int FButton = 0;
    uint32_t FTime = 0;
    TPoint FPoint;
};

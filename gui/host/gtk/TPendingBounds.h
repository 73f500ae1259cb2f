#pragma once
// Tells which window-system reports of a window's bounds the framework must
// hear about. Our own requests come back as configure reports, sometimes
// late and after newer requests; echoing those would move the form back to
// where it was a moment ago. A report that matches no outstanding request
// (the user or the window manager moved the window) is passed on.
#include <cstdint>
#include <deque>

#include "gui/Types.h"

class TPendingBounds {
public:
    // Requests older than this never get an answer (nothing changed, or the
    // window manager ignored them) and stop holding reports back.
    static constexpr uint64_t ExpiryMs = 1000;
    static constexpr size_t MaxPending = 16;

    void Requested(const TRect& bounds, uint64_t nowMs);
    // The window system reports `actual`; true when the framework must be told.
    bool Configured(const TRect& actual, uint64_t nowMs);
    bool Empty() const { return FPending.empty(); }
    const TRect& Actual() const { return FActual; }

private:
    struct TEntry {
        TRect Bounds;
        uint64_t Time;
    };
    void Expire(uint64_t nowMs);

    std::deque<TEntry> FPending;
    TRect FActual;
    bool FKnown = false;
};

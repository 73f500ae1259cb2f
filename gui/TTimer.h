#pragma once
// A timer: WM_TIMER through the application's queue, so hooks see it and
// a handler runs only between other messages.
#include <cstdint>
#include <functional>

#include "gui/Events.h"
#include "gui/TComponent.h"
#include "gui/TMessageTarget.h"

class TTimer : public TComponent, public TMessageTarget {
    XF_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return FInterval; }
    void SetInterval(int interval);
    HWND Handle() const { return FHandle; }
    void Loaded() override;
    void WndProc(TMessage& message) override;

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();

    bool FEnabled = true;
    int FInterval = 1000;
    HWND FHandle = 0;
};

#pragma once
// Keeps the window working while an HTTP request blocks: the clients run
// the message loop at the steps of a transfer. One anti-freeze serves every
// client of the process, as the last one created is the one in charge.
#include "gui/TComponent.h"

class THttpAntiFreeze : public TComponent {
    XF_CLASS(THttpAntiFreeze)
public:
    explicit THttpAntiFreeze(TComponent* owner);
    ~THttpAntiFreeze() override;
    // Only-when-idle processes messages only at steps where the transfer is
    // waiting; off, it processes them at every step.
    bool OnlyWhenIdle() const { return FOnlyWhenIdle; }
    void SetOnlyWhenIdle(bool v) { FOnlyWhenIdle = v; }
    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }

    // The anti-freeze in charge, or null when there is none.
    static THttpAntiFreeze* Current();
    // One step of a transfer: runs the message loop when this step calls for it.
    void DoProcess(bool idle);
    // One step of any wait of the process (transfers, connection checks,
    // background work): the anti-freeze in charge processes messages; false
    // once the program is quitting, so that nothing keeps it alive.
    static bool Pump(bool idle);
    int ProcessCount() const { return FProcessCount; }

private:
    bool FOnlyWhenIdle = true;
    bool FActive = true;
    int FProcessCount = 0;
    THttpAntiFreeze* FPrevious = nullptr;
};

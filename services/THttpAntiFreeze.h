#pragma once
// Keeps the window working while an HTTP request blocks: the client runs
// the message loop at every step of a transfer.
#include "gui/TComponent.h"

class THttpAntiFreeze : public TComponent {
    XF_CLASS(THttpAntiFreeze)
public:
    explicit THttpAntiFreeze(TComponent* owner) : TComponent(owner) {}
    bool OnlyWhenIdle() const { return FOnlyWhenIdle; }
    void SetOnlyWhenIdle(bool v) { FOnlyWhenIdle = v; }
    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }

private:
    bool FOnlyWhenIdle = true;
    bool FActive = true;
};

#include "gui/TTimer.h"

#include "gui/TApplication.h"

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClass())
                                       .Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                       .Prop("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                       .Event("OnTimer", &TTimer::OnTimer)
                                       .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    FHandle = Application->AllocateHandle(this);
    UpdateTimer();
}

TTimer::~TTimer() {
    if (Application) Application->ReleaseHandle(FHandle);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(int interval) {
    if (interval == FInterval) return;
    FInterval = interval;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

// A timer counts from when it was last enabled or given an interval; while
// a layout is loading it waits until the layout is complete.
void TTimer::UpdateTimer() {
    Application->KillTimer(FHandle, 1);
    if (FEnabled && FInterval > 0 && !IsLoading())
        Application->SetTimer(FHandle, 1, static_cast<uint32_t>(FInterval));
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg == WM_TIMER && FEnabled && OnTimer) OnTimer(this);
}

#include "services/THttpAntiFreeze.h"

#include "gui/TApplication.h"

namespace {
THttpAntiFreeze* GCurrent = nullptr;
}

const TClassInfo& THttpAntiFreeze::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<THttpAntiFreeze>("THttpAntiFreeze", &TComponent::StaticClass())
            .Prop("OnlyWhenIdle", &THttpAntiFreeze::OnlyWhenIdle, &THttpAntiFreeze::SetOnlyWhenIdle)
            .Prop("Active", &THttpAntiFreeze::Active, &THttpAntiFreeze::SetActive)
            .Build();
    return info;
}

THttpAntiFreeze::THttpAntiFreeze(TComponent* owner) : TComponent(owner), FPrevious(GCurrent) {
    GCurrent = this;
}

THttpAntiFreeze::~THttpAntiFreeze() {
    if (GCurrent == this) GCurrent = FPrevious;
}

THttpAntiFreeze* THttpAntiFreeze::Current() {
    return GCurrent;
}

void THttpAntiFreeze::DoProcess(bool idle) {
    if (!FActive || (FOnlyWhenIdle && !idle) || !Application) return;
    ++FProcessCount;
    Application->ProcessMessages();
}

bool THttpAntiFreeze::Pump(bool idle) {
    if (THttpAntiFreeze* freeze = Current()) freeze->DoProcess(idle);
    return !Application || !Application->Terminated();
}

#include "services/THttpAntiFreeze.h"

const TClassInfo& THttpAntiFreeze::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<THttpAntiFreeze>("THttpAntiFreeze", &TComponent::StaticClass())
            .Prop("OnlyWhenIdle", &THttpAntiFreeze::OnlyWhenIdle, &THttpAntiFreeze::SetOnlyWhenIdle)
            .Prop("Active", &THttpAntiFreeze::Active, &THttpAntiFreeze::SetActive)
            .Build();
    return info;
}

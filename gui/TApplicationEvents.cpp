#include "gui/TApplicationEvents.h"

const TClassInfo& TApplicationEvents::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TApplicationEvents>("TApplicationEvents", &TComponent::StaticClass())
            .Event("OnMessage", &TApplicationEvents::OnMessage)
            .Event("OnException", &TApplicationEvents::OnException)
            .Build();
    return info;
}

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
    if (Application) Application->AddHook(this);
}

TApplicationEvents::~TApplicationEvents() {
    if (Application) Application->RemoveHook(this);
}

void TApplicationEvents::DoMessage(TMsg& msg, bool& handled) {
    if (OnMessage) OnMessage(msg, handled);
}

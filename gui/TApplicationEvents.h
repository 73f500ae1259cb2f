#pragma once
// An application message hook: sees every message the loop takes from the
// queue, before it reaches its window, and may mark it handled.
#include <functional>

#include "gui/Messages.h"
#include "gui/TApplication.h"
#include "gui/TComponent.h"

using TMessageEvent = std::function<void(TMsg& msg, bool& handled)>;

class TApplicationEvents : public TComponent {
    XF_CLASS(TApplicationEvents)
public:
    explicit TApplicationEvents(TComponent* owner);
    ~TApplicationEvents() override;
    void DoMessage(TMsg& msg, bool& handled);

    TMessageEvent OnMessage;
    TExceptionEvent OnException;
};

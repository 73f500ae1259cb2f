#pragma once
// Anything that owns a window handle and answers messages sent to it.
#include "gui/Messages.h"

class TMessageTarget {
public:
    virtual ~TMessageTarget() = default;
    virtual void WndProc(TMessage& message) = 0;
};

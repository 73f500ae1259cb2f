#pragma once
// The multi-line edit box layouts create.
#include "gui/TCustomMemo.h"

class TMemo : public TCustomMemo {
    XF_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

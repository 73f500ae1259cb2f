#pragma once
// The edit box layouts create.
#include "gui/TCustomEdit.h"

class TEdit : public TCustomEdit {
    XF_CLASS(TEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

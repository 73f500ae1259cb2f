#pragma once
// The combo box layouts create.
#include "gui/TCustomComboBox.h"

class TComboBox : public TCustomComboBox {
    XF_CLASS(TComboBox)
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

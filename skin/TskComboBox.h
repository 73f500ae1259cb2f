#pragma once
// The skinned combo box layouts create.
#include "skin/TskCustomComboBox.h"

class TskComboBox : public TskCustomComboBox {
    XF_CLASS(TskComboBox)
public:
    explicit TskComboBox(TComponent* owner) : TskCustomComboBox(owner) {}
};

#pragma once
// The form class layouts name for ordinary windows.
#include "gui/TCustomForm.h"

class TForm : public TCustomForm {
    XF_CLASS(TForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

#pragma once
// Dialogs built in code: a control owned by the dialog and placed on it.
#include "gui/TWinControl.h"

template <typename T> T* Place(TWinControl* dialog, int left, int top, int width, int height) {
    T* control = new T(dialog);
    control->SetParent(dialog);
    control->SetBounds(left, top, width, height);
    return control;
}

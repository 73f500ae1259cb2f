#pragma once
// The panel layouts create.
#include "gui/TCustomPanel.h"

class TPanel : public TCustomPanel {
    XF_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

#pragma once
// The strip a page control makes: its tab texts are the page captions.
#include "skin/TskTabControlTopPanel.h"

class TskPageControlTopPanel : public TskTabControlTopPanel {
    XF_CLASS(TskPageControlTopPanel)
public:
    explicit TskPageControlTopPanel(TskTab* tab) : TskTabControlTopPanel(tab) {}
};

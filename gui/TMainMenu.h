#pragma once
// A form's menu bar: its top items are shown by a TMenuBar or by a tool bar
// whose buttons are bound to them; the form's Menu property names it.
#include "gui/TMenu.h"

class TCustomForm;

class TMainMenu : public TMenu {
    XF_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);

    // The form whose menu this is: the owner when it is a form.
    TCustomForm* Form() const;
    bool AutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool value) { FAutoMerge = value; }

private:
    bool FAutoMerge = false;
};

#pragma once
// The about window: what the product is, its version and how to reach its
// makers. Created once, owned by the main window, shown again on request.
#include "gui/TForm.h"

class Tfrmabout : public TForm {
    XF_CLASS(Tfrmabout)
public:
    explicit Tfrmabout(TComponent* owner);
    void btnCloseClick(TObject* sender);
    // Shows the window owned by `owner`, creating it the first time.
    static Tfrmabout* ShowFor(TComponent* owner);
};

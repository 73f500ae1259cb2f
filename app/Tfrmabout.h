#pragma once
// The about window: what the product is, its version and how to reach its
// makers. Created once, owned by the main window, shown again on request.
#include "gui/TForm.h"
#include "layouts/frmabout.fields.h"

// The components of its layout are the fields of TfrmaboutFields.
class Tfrmabout : public TForm, public TfrmaboutFields {
    XF_CLASS(Tfrmabout)
public:
    explicit Tfrmabout(TComponent* owner);
    void btnCloseClick(TObject* sender);
    // Shows the window owned by `owner`, creating it the first time.
    static Tfrmabout* ShowFor(TComponent* owner);
};

#pragma once
// The window of the layout generator's tests: CheckLaygen.cmake generates
// its fields from one of the ProbeForm.lay files beside this header.
#include "ProbeForm.fields.h"
#include "gui/TForm.h"
#include "gui/TLabel.h"

class TProbeForm : public TForm, public TProbeFormFields {
    XF_CLASS(TProbeForm)
public:
    explicit TProbeForm(TComponent* owner) : TForm(owner) { BindLayout(*this); }
    void palTopClick(TObject* sender) { (void)sender; }
    void palTopKeyPress(TObject* sender, char16_t& key) { (void)sender, (void)key; }
#ifdef PROBE_OWN_FIELD
    // The window's own declaration of a layout name, with another class.
    TLabel* palTop = nullptr;
#endif
};

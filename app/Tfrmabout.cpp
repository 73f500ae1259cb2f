#include "app/Tfrmabout.h"

const TClassInfo& Tfrmabout::StaticClass() {
    static const TClassInfo info = TClassBuilder<Tfrmabout>("Tfrmabout", &TForm::StaticClass()).Build();
    return info;
}

Tfrmabout::Tfrmabout(TComponent* owner) : TForm(owner) {
    BindLayout(*this);
    LoadLayout("layouts/frmabout.lay");
}

// Closing hides the window; it stays with its owner.
void Tfrmabout::btnCloseClick(TObject*) { Close(); }

Tfrmabout* Tfrmabout::ShowFor(TComponent* owner) {
    auto* about = dynamic_cast<Tfrmabout*>(owner->FindComponent("frmabout"));
    if (!about) about = new Tfrmabout(owner);
    about->Show();
    return about;
}

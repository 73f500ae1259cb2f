#pragma once
// The program's data module. It holds no components: the database objects
// live on the main window.
#include "gui/TComponent.h"

class TDataModuleMain : public TComponent {
    XF_CLASS(TDataModuleMain)
public:
    explicit TDataModuleMain(TComponent* owner) : TComponent(owner) { SetName("DataModuleMain"); }
};

#pragma once
// A control that shows a native GTK widget (a stand-in for a web view) at
// its own rectangle, through the host's native-view placement.
#include <gtk/gtk.h>

#include "gui/TWinControl.h"

class TDemoViewHost : public TWinControl {
    XF_CLASS(TDemoViewHost)
public:
    explicit TDemoViewHost(TComponent* owner);
    ~TDemoViewHost() override;

    GtkWidget* View() const { return FView; }
    void PlacementChanged() override;

private:
    GtkWidget* FView = nullptr;
    bool FAttached = false;
};

#pragma once
// The open and save dialogs: title, filters from the "Name|*.a;*.b|..."
// string with the 1-based FilterIndex chosen, starting folder and name.
#include <gtk/gtk.h>

#include <string>

#include "gui/THost.h"

class TGtkFileDialog {
public:
    // True with the chosen path in fileName; false (fileName untouched)
    // when cancelled.
    static bool Run(GtkWindow* parent, const TFileDialogRequest& request, std::string& fileName);
};

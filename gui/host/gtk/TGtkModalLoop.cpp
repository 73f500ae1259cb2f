#include "gui/host/gtk/TGtkModalLoop.h"

#include <glib.h>

#include "gui/TApplication.h"

void TGtkModalLoop::RunUntil(const bool& done) {
    while (!done) {
        if (Application && !Application->Terminated())
            Application->HandleMessage();
        else
            g_main_context_iteration(nullptr, TRUE);
    }
}

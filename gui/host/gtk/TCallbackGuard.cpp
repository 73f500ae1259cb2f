#include "gui/host/gtk/TCallbackGuard.h"

#include <glib.h>

#include <string>

#include "gui/Exception.h"
#include "gui/TApplication.h"

void TCallbackGuard::Report(const char* what) noexcept {
    try {
        if (!Application) {
            g_warning("%s", what);
            return;
        }
        std::string text = what ? what : "";
        Application->Queue([text] {
            if (Application) Application->HandleException(nullptr, Exception(text));
        });
    } catch (...) {
        g_warning("%s", what ? what : "error");
    }
}

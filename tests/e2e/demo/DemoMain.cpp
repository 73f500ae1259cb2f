// The e2e demo program: one window on the GTK host, driven from outside
// by xdotool. SIGUSR1 asks for a state dump (XF_STATE_DUMP), SIGTERM ends
// the program; a last dump is written at exit.
#include <glib-unix.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "TDemoForm.h"
#include "TDemoViewHost.h"
#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/host/gtk/TGtkHost.h"

namespace {

TDemoForm* gForm = nullptr;

std::string DumpFile() {
    const char* name = std::getenv("XF_STATE_DUMP");
    return name ? name : "";
}

gboolean OnDumpSignal(gpointer) {
    if (Application)
        Application->Queue([] {
            if (gForm && !DumpFile().empty()) gForm->WriteState(DumpFile());
        });
    return G_SOURCE_CONTINUE;
}

gboolean OnTermSignal(gpointer) {
    if (Application) {
        Application->Terminate();
        Application->Queue([] {});
    }
    return G_SOURCE_CONTINUE;
}

} // namespace

int main(int argc, char** argv) {
    try {
        std::unique_ptr<THost> host = CreateGtkHost(argc, argv);
        RegisterStandardClasses();
        RegisterClass(TDemoViewHost::StaticClass());
        RegisterClass(TDemoForm::StaticClass());
        TApplication app(host.get());
        app.SetTitle("星帆 demo");
        gForm = new TDemoForm(&app);
        app.SetMainForm(gForm);
        guint dump = g_unix_signal_add(SIGUSR1, OnDumpSignal, nullptr);
        guint term = g_unix_signal_add(SIGTERM, OnTermSignal, nullptr);
        gForm->Show();
        app.Run();
        if (!DumpFile().empty()) gForm->WriteState(DumpFile());
        g_source_remove(dump);
        g_source_remove(term);
        gForm = nullptr;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "xf_demo: %s\n", e.what());
        return 1;
    }
    return 0;
}

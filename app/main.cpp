// The program entry: the application object titled "星帆IE", the main window
// from its stored layout, the data module, then the message loop until the
// main window is gone.
#include <glib-unix.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/AppClasses.h"
#include "app/TDataModuleMain.h"
#include "app/TFrmMain.h"
#include "app/TReadySignal.h"
#include "app/TStateDump.h"
#include "gui/TApplication.h"
#include "gui/host/gtk/TGtkHost.h"
#include "platform/browser/webkit/TWebKitFactory.h"

namespace {

const char* StateDumpFile() {
    const char* file = std::getenv("XINGFAN_STATE_DUMP");
    return file && *file ? file : nullptr;
}

// SIGUSR1 asks for a state dump; the dump is written from the message loop,
// never inside the signal handler.
gboolean OnDumpSignal(gpointer) {
    Application->Queue([] {
        if (FrmMain && StateDumpFile()) TStateDump::Write(*FrmMain, StateDumpFile());
    });
    return G_SOURCE_CONTINUE;
}

// Keys on their way to a focused page: the window keeps its own (new tab,
// close tab, the address box, ...) before the page sees them.
void KeepWindowKeys(THost* host) {
    auto* gtk = dynamic_cast<TGtkHost*>(host);
    if (!gtk) return;
    gtk->OnNativeViewKey = [](THostWindow, void*, const TKeyStroke& key) {
        if (!FrmMain || (key.Msg != WM_KEYDOWN && key.Msg != WM_SYSKEYDOWN)) return false;
        GdkModifierType state{};
        if (!gtk_get_current_event_state(&state)) return false;
        TShiftState shift = 0;
        if (state & GDK_SHIFT_MASK) shift |= ssShift;
        if (state & GDK_CONTROL_MASK) shift |= ssCtrl;
        if (state & GDK_MOD1_MASK) shift |= ssAlt;
        return FrmMain->NativeViewKey(key.VirtualKey, shift);
    };
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<THost> host;
    try {
        host = CreateGtkHost(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "星帆IE: %s\n", e.what());
        return 1;
    }
    // The spare view that makes new tabs quick waits until the start-up pages load.
    auto engines = std::make_unique<platform::TWebKitFactory>(false);
    platform::SetBrowserEngineFactory(engines.get());
    int status = 0;
    {
        TApplication app(host.get());
        RegisterAppClasses();
        app.SetTitle("星帆IE");
        guint signalSource = g_unix_signal_add(SIGUSR1, OnDumpSignal, nullptr);
        try {
            auto* form = new TFrmMain(nullptr);
            TReadySignal::Install(*form);
            app.SetMainForm(form);
            KeepWindowKeys(host.get());
            new TDataModuleMain(&app);
            form->Show();
            engines->KeepSpareViewAfter(3000);
            app.Run();
            if (StateDumpFile() && FrmMain) TStateDump::Write(*FrmMain, StateDumpFile());
        } catch (const std::exception& e) {
            app.ShowException(e);
            status = 1;
        }
        g_source_remove(signalSource);
    }
    platform::SetBrowserEngineFactory(nullptr);
    return status;
}

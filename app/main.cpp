// The program entry: the command line, the one running program of the
// session, the application object titled "星帆IE", the main window from its
// stored layout, the data module, then the message loop until the main
// window is gone.
#include <glib-unix.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/AppClasses.h"
#include "app/TCommandLine.h"
#include "app/TDataModuleMain.h"
#include "app/TFrmMain.h"
#include "app/TOutsideAddresses.h"
#include "app/TReadySignal.h"
#include "app/TStateDump.h"
#include "gui/TApplication.h"
#include "gui/host/gtk/TGtkHost.h"
#include "platform/Resources.h"
#include "platform/Text.h"
#include "platform/TSingleInstance.h"
#include "platform/browser/webkit/TWebKitFactory.h"

// The JavaScript engine's own switch for the signal that pauses its threads;
// exported by it, not in its public headers.
extern "C" bool JSConfigureSignalForGC(int signal);

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

// The program's icon, painted at build time in several sizes. Resource
// names are kept in capitals (they are looked up without regard to case).
// The sizes go smallest first: GTK stops at the first one that no longer
// fits in the window's icon property, and the desktop wants the small ones.
void SetWindowIcon() {
    const std::string prefix = "ICONS/XINGFAN-";
    std::vector<std::pair<int, std::span<const unsigned char>>> sized;
    for (const std::string& name : platform::ResourceNames()) {
        std::string upper = platform::AsciiUpper(name);
        if (!upper.starts_with(prefix)) continue;
        if (auto image = platform::FindResource(name))
            sized.emplace_back(std::atoi(upper.c_str() + prefix.size()), *image);
    }
    std::sort(sized.begin(), sized.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::span<const unsigned char>> images;
    for (const auto& [size, image] : sized) images.push_back(image);
    TGtkHost::SetDefaultIcon(images);
}

// The JavaScript engine in this process pauses its threads for garbage
// collection with a signal, SIGUSR1 unless told otherwise; a handler of ours
// on that signal would swallow the pause and freeze the program for good.
// The engine takes its signal once, before its first use, so this goes
// first. (Its environment variable JSC_SIGNAL_FOR_GC, when the user set one,
// still wins; setting it ourselves would make every web process complain
// about an option it does not know.)
void MoveScriptEngineSignal() {
    if (std::getenv("JSC_SIGNAL_FOR_GC")) return;
    JSConfigureSignalForGC(SIGRTMIN + 6);
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
    if (TCommandLine early = TCommandLine::Parse(argc, argv); early.AnswersAlone())
        return early.Answer();
    MoveScriptEngineSignal();
    std::unique_ptr<THost> host;
    try {
        host = CreateGtkHost(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "星帆IE: %s\n", e.what());
        return 1;
    }
    // GTK has taken its own options out; what is left must be ours.
    const TCommandLine line = TCommandLine::Parse(argc, argv);
    if (line.Action() != TCommandLine::TAction::Run) return line.Answer();
    platform::TSingleInstance instance;
    if (!instance.Register()) return instance.HandOver(line.Addresses()) ? 0 : 1;
    SetWindowIcon();
    // The spare view that makes new tabs quick waits until the start-up pages load.
    auto engines = std::make_unique<platform::TWebKitFactory>(false);
    platform::SetBrowserEngineFactory(engines.get());
    int status = 0;
    {
        TApplication app(host.get());
        RegisterAppClasses();
        app.SetTitle("星帆IE");
        // Without a dump file SIGUSR1 keeps its default meaning.
        guint signalSource = StateDumpFile() ? g_unix_signal_add(SIGUSR1, OnDumpSignal, nullptr) : 0;
        try {
            auto* form = new TFrmMain(nullptr);
            TReadySignal::Install(*form);
            app.SetMainForm(form);
            KeepWindowKeys(host.get());
            new TDataModuleMain(&app);
            form->Show();
            TOutsideAddresses::Install(instance, *form, line.Addresses());
            engines->KeepSpareViewAfter(3000);
            app.Run();
            if (StateDumpFile() && FrmMain) TStateDump::Write(*FrmMain, StateDumpFile());
        } catch (const std::exception& e) {
            app.ShowException(e);
            status = 1;
        }
        if (signalSource) g_source_remove(signalSource);
        instance.OnAddresses = nullptr;
    }
    platform::SetBrowserEngineFactory(nullptr);
    return status;
}

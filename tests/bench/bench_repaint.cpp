// Repainting a full-screen window of 200 controls into its back buffer:
// the framework alone on the headless host, and on the GTK host with the
// buffer presented (drawn onto the X window and the server caught up).
// The GTK cases need a display: run under scripts/with-xvfb.sh.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <chrono>
#include <memory>
#include <string>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TEdit.h"
#include "gui/TForm.h"
#include "gui/TLabel.h"
#include "gui/TPanel.h"
#include "gui/host/gtk/TGtkHost.h"
#include "gui/host/gtk/TGtkWindow.h"
#include "gui/host/headless/THeadlessHost.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// 100 panels with captions and bevels, each holding a label, and 50 edits
// with text along the bottom: 200 controls on a 1920x1080 form.
TForm* MakeForm(TApplication& app) {
    auto* form = new TForm(&app);
    form->SetCaptionBits(false);
    form->SetBounds(0, 0, kWidth, kHeight);
    form->SetColor(clWhite);
    for (int i = 0; i < 100; ++i) {
        auto* panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10 + (i % 10) * 190, 10 + (i / 10) * 90, 180, 80);
        panel->SetCaption("面板 " + std::to_string(i));
        panel->SetColor(RGB(200, 210 + i % 40, 230));
        panel->SetBevelOuter(TBevelCut::bvRaised);
        auto* label = new TLabel(form);
        label->SetParent(panel);
        label->SetBounds(4, 4, 160, 16);
        label->SetCaption("标签 Label " + std::to_string(i));
    }
    for (int i = 0; i < 50; ++i) {
        auto* edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10 + (i % 10) * 190, 920 + (i / 10) * 30, 180, 24);
        edit->SetText("编辑框 text " + std::to_string(i));
    }
    return form;
}

void RepaintAll(TForm& form) {
    form.InvalidateWindowArea({0, 0, kWidth, kHeight});
    form.PaintInvalid();
}

void BM_RepaintHeadless(benchmark::State& state) {
    RegisterStandardClasses();
    THeadlessHost host;
    TApplication app(&host);
    TForm* form = MakeForm(app);
    form->Show();
    app.ProcessMessages();
    for (auto _ : state)
        RepaintAll(*form);
}
BENCHMARK(BM_RepaintHeadless)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

bool GtkReady() {
    static const bool ready = [] {
        gdk_set_allowed_backends("x11");
        return gtk_init_check(nullptr, nullptr) != FALSE;
    }();
    return ready;
}

// Waits for GTK to draw the window and for the X server to finish.
void WaitForFrame(TGtkHost& host, TGtkWindow& window, uint64_t before) {
    while (window.DrawCount() == before)
        host.PumpEvents(50);
    gdk_display_sync(gdk_display_get_default());
}

struct TGtkScene {
    TGtkHost Host;
    std::unique_ptr<TApplication> App;
    TForm* Form = nullptr;
    TGtkWindow* Window = nullptr;

    TGtkScene() {
        RegisterStandardClasses();
        App = std::make_unique<TApplication>(&Host);
        Form = MakeForm(*App);
        Form->Show();
        Window = Host.FindWindow(Form->HostWindow());
        while (!Window->Mapped() || Window->DrawCount() == 0) {
            App->ProcessMessages();
            Host.PumpEvents(50);
        }
    }
};

// GTK draws at the window's next frame; a window that was idle gets its
// frame at once, one that repaints back to back is held to the frame rate
// (60 per second). Each measured repaint follows an idle pause, as after
// a click; the back-to-back cases show the paced figure.
template <class TWork>
void MeasureAfterIdle(benchmark::State& state, TGtkScene& scene, TWork work) {
    using TClock = std::chrono::steady_clock;
    for (auto _ : state) {
        auto idleUntil = TClock::now() + std::chrono::milliseconds(40);
        while (TClock::now() < idleUntil)
            scene.Host.PumpEvents(5);
        uint64_t before = scene.Window->DrawCount();
        auto start = TClock::now();
        work();
        WaitForFrame(scene.Host, *scene.Window, before);
        state.SetIterationTime(std::chrono::duration<double>(TClock::now() - start).count());
    }
}

void BM_RepaintAndPresentGtk(benchmark::State& state) {
    if (!GtkReady()) {
        state.SkipWithError("no X display");
        return;
    }
    TGtkScene scene;
    MeasureAfterIdle(state, scene, [&] { RepaintAll(*scene.Form); });
}
BENCHMARK(BM_RepaintAndPresentGtk)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Only the host's part: the unchanged buffer drawn onto the window again.
void BM_PresentGtk(benchmark::State& state) {
    if (!GtkReady()) {
        state.SkipWithError("no X display");
        return;
    }
    TGtkScene scene;
    THostWindow window = scene.Form->HostWindow();
    MeasureAfterIdle(state, scene, [&] {
        scene.Host.PresentWindow(window, {0, 0, kWidth, kHeight});
    });
}
BENCHMARK(BM_PresentGtk)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_RepaintAndPresentGtkBackToBack(benchmark::State& state) {
    if (!GtkReady()) {
        state.SkipWithError("no X display");
        return;
    }
    TGtkScene scene;
    for (auto _ : state) {
        uint64_t before = scene.Window->DrawCount();
        RepaintAll(*scene.Form);
        WaitForFrame(scene.Host, *scene.Window, before);
    }
}
BENCHMARK(BM_RepaintAndPresentGtkBackToBack)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

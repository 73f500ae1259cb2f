// Page control costs that grow with the number of tabs: opening a tab,
// switching tabs, the strip's hit test on the widths of its last paint, one
// paint of the strip (measuring every tab, the pictures of the style, the
// background behind it) and a selection on a shown window.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TForm.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/host/headless/THeadlessHost.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabControlTopPanel.h"
#include "skin/TskTabSheet.h"

namespace {

struct TPagesFixture {
    explicit TPagesFixture(int pages) {
        RegisterStandardClasses();
        App = std::make_unique<TApplication>(&Host);
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 1000, 600);
        Control = new TskPageControl(Form);
        Control->SetBounds(0, 0, 1000, 600);
        Control->SetParent(Form);
        for (int i = 0; i < pages; ++i)
            Add();
    }
    ~TPagesFixture() {
        delete Form;
        App.reset();
    }
    TskTabSheet* Add() {
        auto* sheet = new TskTabSheet(nullptr);
        sheet->SetCaption("页面标题 " + std::to_string(Control->PageCount()));
        sheet->SetPageControl(Control);
        return sheet;
    }

    THeadlessHost Host;
    std::unique_ptr<TApplication> App;
    TForm* Form;
    TskPageControl* Control;
};

void BM_OpenAndCloseATab(benchmark::State& state) {
    TPagesFixture f(static_cast<int>(state.range(0)));
    for (auto _ : state)
        delete f.Add();
}
BENCHMARK(BM_OpenAndCloseATab)->Arg(1)->Arg(10)->Arg(50);

void BM_SwitchTabs(benchmark::State& state) {
    TPagesFixture f(static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state)
        f.Control->SetActivePageIndex(i++ % f.Control->PageCount());
}
BENCHMARK(BM_SwitchTabs)->Arg(2)->Arg(10)->Arg(50);

// Paints the strip once into a bitmap of its size.
void PaintStrip(TPagesFixture& f, TBitmap& target) {
    f.Control->Strip()->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&target.Canvas()));
}

void BM_StripHitTest(benchmark::State& state) {
    TPagesFixture f(static_cast<int>(state.range(0)));
    TBitmap target(1000, f.Control->StripHeight());
    PaintStrip(f, target);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.Control->Strip()->TabAtPos({500, 8}));
}
BENCHMARK(BM_StripHitTest)->Arg(10)->Arg(50);

void BM_PaintStrip(benchmark::State& state) {
    TPagesFixture f(static_cast<int>(state.range(0)));
    TBitmap target(1000, f.Control->StripHeight());
    for (auto _ : state)
        PaintStrip(f, target);
}
BENCHMARK(BM_PaintStrip)->Arg(10)->Arg(50);

// On a shown window each selection repaints at once (the strip measures
// every tab again, and scrolls when the selected tab is not drawn whole).
void BM_SelectTabOnAShownWindow(benchmark::State& state) {
    TPagesFixture f(static_cast<int>(state.range(0)));
    f.Form->Show();
    f.App->ProcessMessages();
    const int last = f.Control->PageCount() - 1;
    int i = 0;
    for (auto _ : state)
        f.Control->SetActivePageIndex(i++ % 2 ? last : 0);
}
BENCHMARK(BM_SelectTabOnAShownWindow)->Arg(10)->Arg(50);

} // namespace

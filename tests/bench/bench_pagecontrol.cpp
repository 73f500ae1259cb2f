// Page control costs that grow with the number of tabs: opening a tab,
// switching tabs, the strip's hit test and one paint of the strip.
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

void BM_StripHitTest(benchmark::State& state) {
    TPagesFixture f(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.Control->Strip()->TabAtPos({500, 8}));
}
BENCHMARK(BM_StripHitTest)->Arg(10)->Arg(50);

void BM_PaintStrip(benchmark::State& state) {
    TPagesFixture f(static_cast<int>(state.range(0)));
    TBitmap target(1000, 19);
    for (auto _ : state)
        f.Control->Strip()->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&target.Canvas()));
}
BENCHMARK(BM_PaintStrip)->Arg(10)->Arg(50);

} // namespace

// Menus: what opening a drop-down of the main menu's size costs (measure
// every item, lay out, paint into the window), moving the hot item, and a
// shortcut lookup through a menu of the main window's size.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TForm.h"
#include "gui/TMainMenu.h"
#include "gui/TMenuTracker.h"
#include "gui/TMenuWindow.h"
#include "gui/TPopupMenu.h"
#include "gui/host/headless/THeadlessHost.h"

namespace {

struct TMenuBench {
    TMenuBench() {
        RegisterStandardClasses();
        App = std::make_unique<TApplication>(&Host);
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 800, 600);
        Form->Show();
        Popup = new TPopupMenu(Form);
        for (int i = 0; i < 20; ++i) {
            auto* item = new TMenuItem(Form);
            item->SetCaption(i % 5 == 4 ? "-" : "菜单项目(&" + std::to_string(i % 10) + ")");
            item->SetShortCut(ShortCut('A' + i % 26, ssCtrl));
            item->OnClick = [](TObject*) {};
            Popup->Items()->Add(item);
        }
    }
    ~TMenuBench() {
        delete Form;
        App.reset();
    }
    THeadlessHost Host;
    std::unique_ptr<TApplication> App;
    TForm* Form;
    TPopupMenu* Popup;
};

void BM_OpenTwentyItemPopup(benchmark::State& state) {
    TMenuBench bench;
    for (auto _ : state) {
        bench.Popup->Popup(100, 100);
        bench.App->ProcessMessages();
        TMenuTracker::CloseMenus();
    }
}
BENCHMARK(BM_OpenTwentyItemPopup)->Unit(benchmark::kMicrosecond);

void BM_MoveHotItem(benchmark::State& state) {
    TMenuBench bench;
    bench.Popup->Popup(100, 100);
    TMenuWindow* window = TMenuTracker::Current()->Levels().front();
    int index = 0;
    for (auto _ : state) {
        index = window->NextSelectable(index, 1);
        window->SetHotIndex(index);
        window->PaintInvalid();
    }
}
BENCHMARK(BM_MoveHotItem)->Unit(benchmark::kMicrosecond);

void BM_ShortCutMiss(benchmark::State& state) {
    TMenuBench bench;
    for (auto _ : state)
        benchmark::DoNotOptimize(bench.Popup->FindShortCut(ShortCut(VK_F12, ssCtrl)));
}
BENCHMARK(BM_ShortCutMiss);

} // namespace

// Text boxes: what a keystroke costs in a long address, where a click
// lands in Chinese text, and wrapping the about window's introduction.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gui/StandardClasses.h"
#include "gui/TApplication.h"
#include "gui/TEdit.h"
#include "gui/TForm.h"
#include "gui/TMemo.h"
#include "gui/host/headless/THeadlessHost.h"

namespace {

struct TBench {
    THeadlessHost Host;
    std::unique_ptr<TApplication> App;
    TForm* Form;
    TBench() {
        RegisterStandardClasses();
        App = std::make_unique<TApplication>(&Host);
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 800, 600);
        Form->Show();
    }
    ~TBench() { delete Form; }
};

std::string Paragraph(int repeat) {
    std::string text;
    for (int i = 0; i < repeat; ++i)
        text += "星帆是一个游戏平台，收录网络游戏、网页游戏、单机游戏、Flash游戏和手机游戏。";
    return text;
}

// Type a character and paint, in an edit holding a 200-character address.
void BM_EditKeystroke(benchmark::State& state) {
    TBench b;
    auto* edit = new TEdit(b.Form);
    edit->SetBounds(0, 0, 518, 20);
    edit->SetParent(b.Form);
    edit->SetText("http://www.example.com/" + std::string(177, 'a'));
    edit->SetFocus();
    edit->SetSelStart(100);
    for (auto _ : state) {
        b.Host.TypeText(b.Form->HostWindow(), u"x");
        b.Host.KeyEvent(b.Form->HostWindow(), WM_KEYDOWN, VK_BACK, 0, u'\b');
        b.App->ProcessMessages();
    }
}
BENCHMARK(BM_EditKeystroke)->Unit(benchmark::kMicrosecond);

// Caret position for a click in 100 Chinese characters.
void BM_EditHitTest(benchmark::State& state) {
    TBench b;
    auto* edit = new TEdit(b.Form);
    edit->SetBounds(0, 0, 2000, 20);
    edit->SetParent(b.Form);
    edit->SetText(Paragraph(3));
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(edit->XToPos(x));
        x = (x + 37) % 1200;
    }
}
BENCHMARK(BM_EditHitTest)->Unit(benchmark::kMicrosecond);

// Wrapping an introduction of state.range(0) paragraphs into 581 pixels.
void BM_MemoWrap(benchmark::State& state) {
    TBench b;
    auto* memo = new TMemo(b.Form);
    memo->SetBounds(0, 0, 581, 273);
    memo->SetParent(b.Form);
    const std::string text = Paragraph(static_cast<int>(state.range(0)));
    int width = 581;
    for (auto _ : state) {
        memo->SetText(text);
        memo->SetWidth(width);
        benchmark::DoNotOptimize(memo->RowCount());
        width = width == 581 ? 580 : 581;
    }
}
BENCHMARK(BM_MemoWrap)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

} // namespace

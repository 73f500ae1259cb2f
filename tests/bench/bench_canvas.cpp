// Canvas primitives on a full-screen back buffer.
#include <benchmark/benchmark.h>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TRegion.h"

namespace {

constexpr int ScreenW = 1920, ScreenH = 1080;

TBitmap& Screen() {
    static TBitmap screen(ScreenW, ScreenH);
    screen.Canvas().ResetClip();
    screen.Canvas().SetOrigin({0, 0});
    return screen;
}

TBitmap& Picture(int w, int h) {
    static TBitmap picture;
    if (picture.Width() != w || picture.Height() != h) {
        picture.SetSize(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                picture.SetPixel(x, y, RGB(x * 7, y * 3, x ^ y));
    }
    return picture;
}

void BM_FillRectFullScreen(benchmark::State& state) {
    TCanvas& c = Screen().Canvas();
    c.Brush().SetColor(clBtnFace);
    for (auto _ : state)
        c.FillRect({0, 0, ScreenW, ScreenH});
    state.SetItemsProcessed(state.iterations() * ScreenW * ScreenH);
}
BENCHMARK(BM_FillRectFullScreen);

void BM_FillRectClippedToTwoRects(benchmark::State& state) {
    TCanvas& c = Screen().Canvas();
    const TRect parts[] = {{0, 0, ScreenW, 40}, {0, 40, 200, ScreenH}};
    c.SelectClipRegion(TRegion::FromRects(parts));
    c.Brush().SetColor(clNavy);
    for (auto _ : state)
        c.FillRect({0, 0, ScreenW, ScreenH});
}
BENCHMARK(BM_FillRectClippedToTwoRects);

void BM_DrawPicture(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    TBitmap& picture = Picture(side, side);
    picture.SetTransparent(state.range(1) != 0);
    TCanvas& c = Screen().Canvas();
    for (auto _ : state)
        c.Draw(10, 10, picture);
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_DrawPicture)->Args({64, 0})->Args({64, 1})->Args({512, 0})->Args({512, 1});

void BM_StretchDrawToFullScreen(benchmark::State& state) {
    TBitmap& picture = Picture(300, 20);
    picture.SetTransparent(state.range(0) != 0);
    TCanvas& c = Screen().Canvas();
    for (auto _ : state)
        c.StretchDraw({0, 0, ScreenW, ScreenH}, picture);
    state.SetItemsProcessed(state.iterations() * ScreenW * ScreenH);
}
BENCHMARK(BM_StretchDrawToFullScreen)->Arg(0)->Arg(1);

void BM_TextOut(benchmark::State& state) {
    TCanvas& c = Screen().Canvas();
    c.Font().SetName(state.range(0) ? "宋体" : "Tahoma");
    c.Font().SetHeight(-12);
    c.Brush().SetStyle(bsClear);
    const char* text = state.range(0) ? "星帆游戏大厅 - 在线游戏" : "Games portal - online";
    int y = 0;
    for (auto _ : state) {
        c.TextOut(100, y, text);
        y = (y + 17) % (ScreenH - 20);
    }
}
BENCHMARK(BM_TextOut)->Arg(0)->Arg(1);

void BM_DrawTextCentred(benchmark::State& state) {
    TCanvas& c = Screen().Canvas();
    c.Font().SetName("宋体");
    c.Brush().SetStyle(bsClear);
    TRect r(100, 100, 300, 124);
    for (auto _ : state)
        c.DrawText("文件(&F)", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
BENCHMARK(BM_DrawTextCentred);

void BM_TextWidthCached(benchmark::State& state) {
    TCanvas& c = Screen().Canvas();
    c.Font().SetName("宋体");
    for (auto _ : state)
        benchmark::DoNotOptimize(c.TextWidth("星帆IE 主页"));
}
BENCHMARK(BM_TextWidthCached);

} // namespace

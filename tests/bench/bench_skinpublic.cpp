// What the shared skin drawing costs per paint: a push button's nine-slice
// frame, a tab's three-slice, a tiled panel background, cutting a frame out
// of the title-button strip and turning a scroll-bar picture. The sizes are
// those of the built-in pictures and of the main window's controls.
#include <benchmark/benchmark.h>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"

namespace {

void Pattern(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, (x + y) % 5 ? RGB(x * 7, y * 11, 90) : SkinTransparentColor);
}

void BM_NineSliceButton(benchmark::State& state) {
    TBitmap frame, target(80, 27);
    Pattern(frame, 18, 21);
    for (auto _ : state) {
        DrawNineSlice(frame, target.Canvas(), target.BoundsRect(), true);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_NineSliceButton);

void BM_ThreeSliceTab(benchmark::State& state) {
    TBitmap tab, target(120, 17);
    Pattern(tab, 18, 17);
    for (auto _ : state) {
        DrawThreeSlice(tab, target.Canvas(), target.BoundsRect(), true);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_ThreeSliceTab);

void BM_TileWindowBackground(benchmark::State& state) {
    TBitmap tile, target(990, 538);
    Pattern(tile, 8, 8);
    for (auto _ : state) {
        TileDraw(target.Canvas(), tile, target.BoundsRect());
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_TileWindowBackground);

void BM_SplitTitleButtonStrip(benchmark::State& state) {
    TBitmap strip, frame;
    Pattern(strip, 378, 21);
    for (auto _ : state) {
        SplitBitmap(strip, frame, 18, 13);
        benchmark::DoNotOptimize(frame.Bits());
    }
}
BENCHMARK(BM_SplitTitleButtonStrip);

void BM_RotateScrollButtons(benchmark::State& state) {
    TBitmap buttons;
    Pattern(buttons, 96, 17);
    for (auto _ : state) {
        RotateBitmapLeft(buttons);
        benchmark::DoNotOptimize(buttons.Bits());
    }
}
BENCHMARK(BM_RotateScrollButtons);

} // namespace

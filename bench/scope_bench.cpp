// The A/D form's scope: one scrolling-trace pass across the whole picture,
// and a whole-picture read and write of the saved background.
#include <benchmark/benchmark.h>

#include <random>

#include "adutil/ModWaveform_ALS.h"
#include "support/HeadlessRuntime.h"
#include "ui/Form.h"
#include "ui/PictureBox.h"

namespace {

class ScopePicture : public ui::Form {
public:
    explicit ScopePicture(ui::Runtime& rt) : ui::Form(rt, "frmScope")
    {
        picTrace1_1.move(0, 0, 320, 164);
        picTrace1_1.resizeBuffer(320, 164);
    }
    ui::PictureBox picTrace1_1{*this, "picTrace1_1"};
};

// A noisy signal across the full 320 columns, one new sample per pass.
void BM_DrawScrollingTraceFullWidth(benchmark::State& state)
{
    ui::HeadlessRuntime rt;
    ScopePicture f(rt);
    adutil::ModWaveform_ALS w;
    w.ClearPixelArray(f.picTrace1_1, w.PixelSave);
    w.RestoreBackground(f.picTrace1_1);
    w.TraceColorB = 255;
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> row(60, 100);
    w.TraceY.fill(80);
    for (int i = 0; i < 400; ++i) {
        w.TraceY[1] = row(rng);
        w.DrawScrollingTrace(f.picTrace1_1, 320);
    }
    for (auto _ : state) {
        w.TraceY[1] = row(rng);
        w.DrawScrollingTrace(f.picTrace1_1, 320);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawScrollingTraceFullWidth)->Unit(benchmark::kMicrosecond);

void BM_ReadAndWriteWholePicture(benchmark::State& state)
{
    ui::HeadlessRuntime rt;
    ScopePicture f(rt);
    adutil::ModWaveform_ALS w;
    for (auto _ : state) {
        w.ReadPixels(f.picTrace1_1, w.PixelSave);
        w.WritePixels(f.picTrace1_1, w.PixelSave);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadAndWriteWholePicture)->Unit(benchmark::kMicrosecond);

}  // namespace

// Sample-mask creation (stencil pass, contours, read-backs, distance images)
// for a real model filling most of a headless view.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "sampling/KxCStencilMask.h"
#include "ui/KxCHeadlessPanel.h"

namespace {

void BM_Mask_Create(benchmark::State& state, const char* name)
{
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    auto panel = KxOGLPanel::KxCHeadlessPanel::Create(w, h);
    if (!panel) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    auto mesh = orvane_bench::Load_Or_Skip(state, name);
    if (!mesh) return;
    orvane_bench::Capture_View(w, h);
    unsigned int area = 0;
    for (auto _ : state) {
        OrvaneImage::KxCStencilMask mask;
        if (!mask.Create(mesh.get(), OrvaneImage::KxCStencilMask::Mode_Depth)) {
            state.SkipWithError("mask creation failed");
            return;
        }
        area = mask.Area();
    }
    state.counters["object_pixels"] = area;
}
BENCHMARK_CAPTURE(BM_Mask_Create, armadillo, "armadillo.obj")
    ->Args({1024, 768})
    ->Args({2048, 1536})
    ->Unit(benchmark::kMillisecond);

} // namespace

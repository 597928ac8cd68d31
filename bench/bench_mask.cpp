// Sample-mask creation (stencil pass, contours, read-backs, distance images)
// for a real model filling most of a headless view.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "render/KxCOGLProjector.h"
#include "sampling/KxCStencilMask.h"
#include "ui/KxCHeadlessPanel.h"

namespace {

/// Captures an orthographic view of the grounded, normalised model (about 0 <= y <= 1) that
/// fills about 85 % of a w x h viewport's height.
void Capture_View(int w, int h)
{
    auto& p = *KxUtils::KxCOGLProjector::InstancePtr();
    const double top = 1.1, bottom = -0.1, half = (top - bottom) * 0.5 * w / h;
    p.Viewport() = {0, 0, w, h};
    p.ProjectionMatrix() = {1 / half, 0, 0, 0, 0, 2 / (top - bottom), 0, 0, 0, 0, -0.2, 0,
                            0, -(top + bottom) / (top - bottom), 0, 1};
    p.ModelviewMatrix() = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

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
    Capture_View(w, h);
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

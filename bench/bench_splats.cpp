// The splat steps of a still image for a real model at 1024 x 768: quasi-sampling
// (importance draw, read-back, points, nearest vertices), geodesic patches and
// texture choice, timed together and one by one.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_support.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "sampling/KxCQuasiSampler.h"
#include "sampling/KxCStencilMask.h"
#include "splats/KxCDecalCntr.h"
#include "splats/KxCGEMap.h"
#include "splats/KxCTexturer.h"
#include "ui/KxCHeadlessPanel.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms_Since(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void BM_Sample_Parameterize_Texture(benchmark::State& state, const char* name)
{
    using namespace OrvaneImage;
    auto panel = KxOGLPanel::KxCHeadlessPanel::Create(1024, 768);
    if (!panel) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    auto mesh = orvane_bench::Load_Or_Skip(state, name);
    if (!mesh) return;
    orvane_bench::Capture_View(1024, 768);
    KxCStencilMask mask;
    if (!mask.Create(mesh.get(), KxCStencilMask::Mode_Depth)) {
        state.SkipWithError("mask creation failed");
        return;
    }
    KxCSampleParam sparam;
    sparam.Importance().Silhouette().Light().Light_Pos() = {0, 0, 10};
    sparam.Importance().Shading().Light().Light_Vec() = {0, 0, -1};
    KxCDecalParam dparam;
    KxCParameterizer* gemap = KxCGEMap::InstancePtr();
    KxCTexturer* texturer = KxCRandomTexturer::InstancePtr();
    const std::vector<unsigned int> textures{1};
    double sample_ms = 0, patch_ms = 0, texture_ms = 0;
    std::size_t splats = 0;
    for (auto _ : state) {
        KxCDecalCntr cntr;
        auto t0 = Clock::now();
        const bool sampled = KxCQuasiSampler::InstancePtr()->Sample(mesh.get(), &mask, &cntr, &sparam, &dparam);
        sample_ms += Ms_Since(t0);
        t0 = Clock::now();
        KxCGEMap::InstancePtr()->Trick() = true;
        const bool patched = sampled && gemap->Parameterize(mesh.get(), &cntr, &dparam);
        patch_ms += Ms_Since(t0);
        t0 = Clock::now();
        const bool textured = patched && texturer->Texture(mesh.get(), &cntr, {}, textures);
        texture_ms += Ms_Since(t0);
        if (!textured) {
            state.SkipWithError("a splat step failed");
            return;
        }
        splats = cntr.Decals().size();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["splats"] = static_cast<double>(splats);
    state.counters["sample_ms"] = sample_ms / n;
    state.counters["parameterize_ms"] = patch_ms / n;
    state.counters["texture_ms"] = texture_ms / n;
}
BENCHMARK_CAPTURE(BM_Sample_Parameterize_Texture, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond);

} // namespace

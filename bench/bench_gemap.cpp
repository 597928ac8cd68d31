// Geodesic patch parameterization of many splats on a real model: splats per
// second at the default radius (Radius_Ratio x average edge, at least the
// longest edge at the centre), Trick set as in the pipeline.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench_support.h"
#include "pipeline/params/KxCDecalParam.h"
#include "splats/KxCDecalCntr.h"
#include "splats/KxCGEMap.h"
#include "ui/KxCHeadlessPanel.h"

namespace {

void BM_GEMap_Parameterize(benchmark::State& state, const char* name)
{
    constexpr int kW = 1024, kH = 768;
    const int stride = static_cast<int>(state.range(0));
    auto panel = KxOGLPanel::KxCHeadlessPanel::Create(kW, kH);
    if (!panel) {
        state.SkipWithError("no headless OpenGL context");
        return;
    }
    auto mesh = orvane_bench::Load_Or_Skip(state, name);
    if (!mesh) return;
    orvane_bench::Capture_View(kW, kH);

    const OrvaneImage::KxCDecalParam param; // Radius_Ratio 5.0
    const double base = param.Radius_Ratio() * mesh->Avg_Edge();
    const auto& longest = mesh->Max_VertexEdges();
    OrvaneImage::KxCDecalCntr cntr;
    for (int v = 0; v < static_cast<int>(mesh->n_vertices()); v += stride) {
        auto* d = new OrvaneImage::KxCDecal;
        d->VertexIdx() = v;
        d->Radius2() = d->Radius() = std::max(base, longest[v]);
        d->Point3D() = mesh->point(mesh->vertex_handle(v));
        cntr.Decals().push_back(d);
    }

    auto* gemap = OrvaneImage::KxCGEMap::InstancePtr();
    for (auto _ : state) {
        gemap->Trick() = true;
        if (!gemap->Parameterize(mesh.get(), &cntr, &param)) {
            state.SkipWithError("parameterization failed");
            return;
        }
        benchmark::ClobberMemory();
    }

    double vertices = 0, faces = 0;
    for (OrvaneImage::KxCDecal* d : cntr.Decals()) {
        vertices += d->VertexIndices().size();
        faces += d->FaceIndices().size();
    }
    const double n = static_cast<double>(cntr.Decals().size());
    state.counters["splats"] = n;
    state.counters["splats_per_s"] =
        benchmark::Counter(n * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["mean_patch_vertices"] = vertices / n;
    state.counters["mean_patch_faces"] = faces / n;
    state.counters["radius_over_avg_edge"] = param.Radius_Ratio();
}
BENCHMARK_CAPTURE(BM_GEMap_Parameterize, armadillo, "armadillo.obj")->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

// Surface fields on a real model: the per-repaint field requests and the
// curvature estimate.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "pipeline/params/KxCSampleParam.h"

namespace {

// What every repaint and every sampling step recomputes, per vertex.
void BM_Field_Requests(benchmark::State& state, const char* name)
{
    auto mesh = orvane_bench::Load_Or_Skip(state, name);
    if (!mesh) return;
    OrvaneImage::KxCSilhoParam silho;
    OrvaneImage::KxCShadeParam shade;
    shade.Light().Light_Vec() = KxUtils::Normalized({-1, -1, -1});
    for (auto _ : state) {
        mesh->Request_Shade(&shade);
        mesh->Request_Importance(&silho, &shade);
        mesh->Convert_To_Gradient(OrvaneImage::GetImportanceInv());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(mesh->n_vertices()));
    state.counters["vertices"] = static_cast<double>(mesh->n_vertices());
}
BENCHMARK_CAPTURE(BM_Field_Requests, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond);

void BM_Request_Curvature(benchmark::State& state, const char* name)
{
    auto mesh = orvane_bench::Load_Or_Skip(state, name);
    if (!mesh) return;
    for (auto _ : state) mesh->Request_Curvature();
    state.counters["vertices"] = static_cast<double>(mesh->n_vertices());
}
BENCHMARK_CAPTURE(BM_Request_Curvature, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond);

} // namespace

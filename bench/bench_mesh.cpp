// Model loading and nearest-vertex queries on real meshes from the shared
// model folder (skipped when it is absent).
#include <benchmark/benchmark.h>

#include <random>

#include "bench_support.h"
#include "render/KxCKDtree.h"

namespace {

using orvane_bench::Model_Path;

// Read, ground, edge statistics and KD-tree build: what opening a still model costs.
void BM_Load_Model(benchmark::State& state, const char* name)
{
    const std::string path = Model_Path(name);
    if (path.empty()) {
        state.SkipWithError("model not found (../shared/models)");
        return;
    }
    std::size_t vertices = 0;
    for (auto _ : state) {
        auto mesh = OrvaneImage::Load_Model_Mesh(path, OrvaneImage::Still_Image_Options(), false);
        vertices = mesh ? mesh->n_vertices() : 0;
        benchmark::DoNotOptimize(mesh.get());
    }
    state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK_CAPTURE(BM_Load_Model, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load_Model, bunny_cgal, "bunny_cgal.obj")->Unit(benchmark::kMillisecond);

// Nearest-vertex queries at random points of the model's box.
void BM_KDtree_Query(benchmark::State& state, const char* name)
{
    auto mesh = orvane_bench::Load_Or_Skip(state, name);
    if (!mesh) return;
    const int k = static_cast<int>(state.range(0));
    std::mt19937 gen(1024);
    std::uniform_real_distribution<double> u(-0.5, 0.5);
    std::vector<int> idx;
    std::vector<double> dist;
    for (auto _ : state) {
        const double q[3] = {u(gen), u(gen) + 0.5, u(gen)};
        mesh->get_KDTreePtr()->Find(q, k, idx, dist);
        benchmark::DoNotOptimize(idx.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_KDtree_Query, armadillo, "armadillo.obj")->Arg(1)->Arg(8);
BENCHMARK_CAPTURE(BM_KDtree_Query, bunny_cgal, "bunny_cgal.obj")->Arg(1)->Arg(8);

} // namespace

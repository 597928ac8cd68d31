// The Generate command on real models at 1024 x 768 for each difficulty: the
// time of each step, what the steps made, and the "GL floor", the GL work no
// generation of this picture can avoid, measured on the same products.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <sstream>

#include "bench_support.h"
#include "composition/KxDecalRaster.h"
#include "mesh/KxCRenderInfo.h"
#include "pipeline/driver/KxCOrvaneDriver.h"
#include "pipeline/driver/KxModelLoading.h"
#include "pipeline/driver/KxItemRendering.h"
#include "pipeline/util/KxCTimer.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCViewScope.h"
#include "ui/KxCHeadlessPanel.h"
#include "ui/KxViewFraming.h"

namespace {

using namespace OrvaneImage;
using Clock = std::chrono::steady_clock;
constexpr int kW = 1024, kH = 768;

double Ms_Since(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

/// The unavoidable GL work of one picture, in milliseconds.
struct KxGLFloor {
    double mask = 0, importance = 0, splats = 0, merged = 0, composed = 0;
    double Total() const { return mask + importance + splats + merged + composed; }
};

// One draw of the model in the captured view (its geometry alone, or unlit with its
// colours) and the read of the object's rectangle that the pass needs.
double Model_Pass(KxCAppMesh& mesh, const KxCGrid& rect, bool geometry_only, GLenum format, GLenum type)
{
    const int x = static_cast<int>(rect.Corners()[0][0]), y = static_cast<int>(rect.Corners()[0][1]);
    const int w = static_cast<int>(rect.Width()), h = static_cast<int>(rect.Height());
    std::vector<unsigned int> pixels(static_cast<std::size_t>(w) * h);
    KxMesh::KxCRenderInfo& info = *mesh.get_RenderInfo();
    const bool lit = info.get_Light_Mode();
    info.set_Light_Mode(false);
    const auto t0 = Clock::now();
    {
        const KxUtils::KxCViewScope view(KxUtils::KxCViewScope::KxEnumView::Captured);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        if (geometry_only) mesh.Render_Geometry();
        else mesh.Render();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, w, h, format, type, pixels.data());
    }
    const double ms = Ms_Since(t0);
    info.set_Light_Mode(lit);
    return ms;
}

KxGLFloor Measure_Floor(KxCAppItem& item)
{
    KxCMeshItem& m = *item.CurMeshItem();
    KxGLFloor f;
    const KxCGrid& rect = *m.SampleMask()->Rectangle();
    f.mask = Model_Pass(*m.Mesh(), rect, true, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8);
    f.importance = Model_Pass(*m.Mesh(), rect, false, GL_RED, GL_UNSIGNED_BYTE);
    std::vector<KxCDecal*>& decals = m.DecalCntr()->Decals();
    {
        const KxCRasterScope scope;
        auto t0 = Clock::now();
        for (KxCDecal* d : decals)
            if (is_Eligible(*d)) benchmark::DoNotOptimize(Draw_Alone(*d).data);
        f.splats = Ms_Since(t0);
        t0 = Clock::now();
        benchmark::DoNotOptimize(Draw_Merged(decals, *m.SampleMask()->Rectangle()).data);
        f.merged = Ms_Since(t0);
    }
    const auto t0 = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Render_Orvane(&item);
    glFinish();
    f.composed = Ms_Since(t0);
    return f;
}

std::size_t Grid_Count(const std::vector<KxCWndGCntr*>& layers)
{
    std::size_t n = 0;
    for (const KxCWndGCntr* c : layers) n += c->Grids().size();
    return n;
}

void BM_Generate(benchmark::State& state, const char* name)
{
    const std::string path = orvane_bench::Model_Path(name);
    if (path.empty()) return state.SkipWithError("model not found (../shared/models)");
    auto view = KxOGLPanel::KxCHeadlessPanel::Create(kW, kH);
    auto light = KxOGLPanel::KxCHeadlessPanel::Create(64, 64);
    if (!view || !light) return state.SkipWithError("no headless OpenGL context");
    KxCOrvaneDriver driver(ORVANE_SOURCE_DIR, *view, *light);
    driver.Form_Init();
    driver.OIParam().set_Difficulty(static_cast<KxEnumDifficulty>(state.range(0)));
    driver.set_Model_Loaded_Handler([&](KxCAppMesh& mesh) {
        KxOGLPanel::Frame_Box(*view, mesh.get_AABB()->MinPoint(), mesh.get_AABB()->MaxPoint(), 0, 0);
    });
    KxCIOProp io = Still_Image_Options();
    if (!driver.Read_OrvImage(&io, path)) return state.SkipWithError("the model cannot be read");
    light->Repaint();

    auto& timer = *KxUtils::KxCTimer::InstancePtr();
    std::map<std::string, double> step_ms;
    KxGLFloor floor;
    for (auto _ : state) {
        std::ostringstream quiet;
        auto* saved = std::cout.rdbuf(quiet.rdbuf());
        driver.ToolBarExecuBtn_Click();
        std::cout.rdbuf(saved);
        for (const std::string& label : timer.Labels()) step_ms[label] += timer.Elapsed(label);
        state.PauseTiming();
        const KxGLFloor f = Measure_Floor(*driver.AppItem());
        floor.mask += f.mask, floor.importance += f.importance, floor.splats += f.splats;
        floor.merged += f.merged, floor.composed += f.composed;
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    // Counter names without blanks keep the console table readable.
    for (const auto& [label, ms] : step_ms) {
        std::string name = label;
        std::replace(name.begin(), name.end(), ' ', '_');
        state.counters[name + "_ms"] = ms / n;
    }
    state.counters["GL_floor_ms"] = floor.Total() / n;
    state.counters["floor_mask_importance_ms"] = (floor.mask + floor.importance) / n;
    state.counters["floor_splats_ms"] = floor.splats / n;
    state.counters["floor_merged_ms"] = floor.merged / n;
    state.counters["floor_composed_ms"] = floor.composed / n;
    KxCAppItem& item = *driver.AppItem();
    KxCMeshItem& m = *item.CurMeshItem();
    state.counters["splats"] = static_cast<double>(m.DecalCntr()->Decals().size());
    state.counters["merged_grids"] = static_cast<double>(m.DecalGridCntr()->Grids().size());
    state.counters["windows"] = static_cast<double>(Grid_Count(m.WindowGridCntrs()));
    std::size_t stamps = 0;
    for (const KxCStampGCntr* c : item.StampGridCntrs()) stamps += c->Grids().size();
    state.counters["stamps"] = static_cast<double>(stamps);
    state.counters["layers"] = static_cast<double>(m.WindowGridCntrs().size());
}

} // namespace

// Difficulty 0 = easy, 1 = medium, 2 = hard.
BENCHMARK_CAPTURE(BM_Generate, armadillo, "armadillo.obj")
    ->DenseRange(0, 2)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Generate, bunny_cgal, "bunny_cgal.obj")
    ->DenseRange(0, 2)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The image analysis of a real model's splats at 1024 x 768: the conversion of
// splats into grids (split into its GL passes, labelling and textures), the
// window layers and the stamps made from them, with the counts they produce.
#include <benchmark/benchmark.h>

#include <chrono>

#include "KxDiscImage.h"
#include "bench_support.h"
#include "composition/KxCAnalyzerOI.h"
#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCStampGrid.h"
#include "composition/KxCStamperCPP.h"
#include "composition/KxDecalRaster.h"
#include "composition/KxGridConversion.h"
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/util/KxPtrVector.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "sampling/KxCQuasiSampler.h"
#include "sampling/KxCStencilMask.h"
#include "splats/KxCDecalCntr.h"
#include "splats/KxCGEMap.h"
#include "splats/KxCTexturer.h"
#include "ui/KxCHeadlessPanel.h"

namespace {

using namespace OrvaneImage;
using Clock = std::chrono::steady_clock;

double Ms_Since(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

/// A model's splats in a 1024 x 768 view, sampled, parameterized and textured with a disc.
struct KxAnalysisScene {
    /// Builds everything; false (and the benchmark skipped) when something is missing.
    bool Make(benchmark::State& state, const std::string& name)
    {
        panel = KxOGLPanel::KxCHeadlessPanel::Create(1024, 768);
        if (!panel) {
            state.SkipWithError("no headless OpenGL context");
            return false;
        }
        mesh = orvane_bench::Load_Or_Skip(state, name);
        if (!mesh) return false;
        orvane_bench::Capture_View(1024, 768);
        KxCSampleParam sparam;
        sparam.Importance().Silhouette().Light().Light_Pos() = {0, 0, 10};
        sparam.Importance().Shading().Light().Light_Vec() = {0, 0, -1};
        KxCDecalParam dparam;
        KxCGEMap::InstancePtr()->Trick() = true;
        const bool ok = mask.Create(mesh.get(), KxCStencilMask::Mode_Depth) &&
                        KxCQuasiSampler::InstancePtr()->Sample(mesh.get(), &mask, &decals, &sparam, &dparam) &&
                        KxCGEMap::InstancePtr()->Parameterize(mesh.get(), &decals, &dparam) &&
                        KxCRandomTexturer::InstancePtr()->Texture(mesh.get(), &decals, {},
                                                                  {KxTools::Disc_Texture()});
        if (!ok) state.SkipWithError("preparing the splats failed");
        return ok;
    }

    /// Shows every splat again, as the sampler left them.
    void Restore_Visible()
    {
        for (KxCDecal* d : decals.Decals()) d->Visible() = true;
    }

    std::unique_ptr<KxOGLPanel::KxCHeadlessPanel> panel;
    std::unique_ptr<KxCAppMesh> mesh;
    KxCStencilMask mask;
    KxCDecalCntr decals;
    KxCDecalGParam params;
};

/// The parts of the conversion on their own: each splat drawn alone and read
/// back, the merged pass, the labelling and the textures of all grids.
struct KxConversionParts {
    double alone_ms = 0, merged_ms = 0, label_ms = 0, texture_ms = 0;

    void Measure(KxAnalysisScene& s)
    {
        cv::Mat picture;
        {
            const KxCRasterScope scope;
            auto t0 = Clock::now();
            for (KxCDecal* d : s.decals.Decals())
                if (is_Eligible(*d)) benchmark::DoNotOptimize(Draw_Alone(*d).data);
            alone_ms += Ms_Since(t0);
            t0 = Clock::now();
            picture = Draw_Merged(s.decals.Decals(), *s.mask.Rectangle());
            merged_ms += Ms_Since(t0);
        }
        KxCDecalGCntr merged;
        auto t0 = Clock::now();
        Label_Blobs(picture, s.mask, merged);
        label_ms += Ms_Since(t0);
        t0 = Clock::now();
        for (KxCGrid* g : merged.Grids()) Make_Texture(*dynamic_cast<KxCDecalGrid*>(g));
        texture_ms += Ms_Since(t0);
    }
};

void BM_Convert_Decals_to_DecalGrids(benchmark::State& state, const char* name)
{
    KxAnalysisScene s;
    if (!s.Make(state, name)) return;
    KxCAnalyzerOI& analyzer = *KxCAnalyzerOI::InstancePtr();
    KxConversionParts parts;
    std::size_t eligible = 0, hidden = 0, unmerged_n = 0, merged_n = 0, unmerged_points = 0;
    double total_ms = 0, unmerged_texture_ms = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.Restore_Visible();
        eligible = 0;
        for (KxCDecal* d : s.decals.Decals()) eligible += is_Eligible(*d);
        KxCDecalGCntr merged, unmerged;
        state.ResumeTiming();
        auto t0 = Clock::now();
        if (!analyzer.Convert_Decals_to_DecalGrids(&s.decals.Decals(), &merged, &unmerged, &s.mask, &s.params)) {
            state.SkipWithError("conversion failed");
            return;
        }
        total_ms += Ms_Since(t0);
        state.PauseTiming();
        hidden = 0;
        for (KxCDecal* d : s.decals.Decals()) hidden += !d->Visible();
        unmerged_n = unmerged.Grids().size();
        merged_n = merged.Grids().size();
        unmerged_points = 0;
        for (KxCGrid* g : unmerged.Grids()) unmerged_points += dynamic_cast<KxCDecalGrid*>(g)->Points().size();
        // Texturing the unmerged grids once more shows its share of the total.
        t0 = Clock::now();
        for (KxCGrid* g : unmerged.Grids()) Make_Texture(*dynamic_cast<KxCDecalGrid*>(g));
        unmerged_texture_ms += Ms_Since(t0);
        s.Restore_Visible();
        parts.Measure(s);
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["splats"] = static_cast<double>(s.decals.Decals().size());
    state.counters["eligible"] = static_cast<double>(eligible);
    state.counters["hidden"] = static_cast<double>(hidden);
    state.counters["unmerged"] = static_cast<double>(unmerged_n);
    state.counters["merged"] = static_cast<double>(merged_n);
    state.counters["mean_splat_px"] = unmerged_n ? double(unmerged_points) / unmerged_n : 0.0;
    state.counters["total_ms"] = total_ms / n;
    state.counters["per_splat_gl_ms"] = parts.alone_ms / n;
    state.counters["merged_pass_ms"] = parts.merged_ms / n;
    state.counters["labelling_ms"] = parts.label_ms / n;
    state.counters["textures_ms"] = (parts.texture_ms + unmerged_texture_ms) / n;
}
BENCHMARK_CAPTURE(BM_Convert_Decals_to_DecalGrids, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond);

void BM_Sample_Layers(benchmark::State& state, const char* name)
{
    KxAnalysisScene s;
    if (!s.Make(state, name)) return;
    KxCAnalyzerOI& analyzer = *KxCAnalyzerOI::InstancePtr();
    KxCDecalGCntr merged, unmerged;
    if (!analyzer.Convert_Decals_to_DecalGrids(&s.decals.Decals(), &merged, &unmerged, &s.mask, &s.params)) {
        state.SkipWithError("conversion failed");
        return;
    }
    auto& mr = s.params.Multi_Resolution();
    std::vector<double> ms(mr.Layer(), 0.0);
    std::vector<std::size_t> windows(mr.Layer(), 0);
    for (auto _ : state)
        for (int i = 0; i < mr.Layer(); ++i) {
            mr.set_Cur_Ratio(mr.Base_Ratio() * (1 << i));
            KxCWndGCntr layer;
            const auto t0 = Clock::now();
            analyzer.Sample(&unmerged, &layer, &s.mask, &s.params);
            ms[i] += Ms_Since(t0);
            windows[i] = layer.Grids().size();
        }
    const double n = static_cast<double>(state.iterations());
    state.counters["unmerged"] = static_cast<double>(unmerged.Grids().size());
    for (int i = 0; i < mr.Layer(); ++i) {
        const std::string l = "L" + std::to_string(i + 1);
        state.counters[l + "_windows"] = static_cast<double>(windows[i]);
        state.counters[l + "_ms"] = ms[i] / n;
    }
}
BENCHMARK_CAPTURE(BM_Sample_Layers, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond);

/// Copies in a stamp layer, and how many of them the filter hid.
std::pair<std::size_t, std::size_t> Copies(KxCStampGCntr& layer)
{
    std::size_t copies = 0, hidden = 0;
    for (KxCGrid* g : layer.Grids())
        for (const KxCDecalGrid* c : dynamic_cast<KxCStampGrid*>(g)->DecalGrids()) {
            ++copies;
            hidden += !c->Stamp_Flag();
        }
    return {copies, hidden};
}

void BM_Stamp_Layers(benchmark::State& state, const char* name)
{
    KxAnalysisScene s;
    if (!s.Make(state, name)) return;
    KxCDecalGCntr merged, unmerged;
    std::vector<KxCWndGCntr*> windows;
    if (!KxCAnalyzerOI::InstancePtr()->Analyze(&s.decals, &merged, &unmerged, &windows, &s.mask, &s.params)) {
        state.SkipWithError("analysis failed");
        return;
    }
    KxCStamperCPP& stamper = *KxCStamperCPP::InstancePtr();
    KxCStampGParam params;
    const double prob[] = {1.0, 0.8, 0.7};
    const std::size_t layers = std::min<std::size_t>(windows.size(), 3);
    std::vector<double> stamp_ms(layers, 0.0), filter_ms(layers, 0.0);
    std::vector<std::size_t> tiles(layers), copies(layers), hidden(layers);
    for (auto _ : state)
        for (std::size_t l = 0; l < layers; ++l) {
            params.set_Cur_Prob(prob[l]);
            KxCStampGCntr layer;
            auto t0 = Clock::now();
            stamper.Stamp_Specific(windows[l], &layer, &params);
            stamp_ms[l] += Ms_Since(t0);
            t0 = Clock::now();
            stamper.Filter(&layer, &s.mask, &params);
            filter_ms[l] += Ms_Since(t0);
            tiles[l] = layer.Grids().size();
            std::tie(copies[l], hidden[l]) = Copies(layer);
        }
    const double n = static_cast<double>(state.iterations());
    for (std::size_t l = 0; l < layers; ++l) {
        const std::string p = "L" + std::to_string(l + 1);
        state.counters[p + "_windows"] = static_cast<double>(windows[l]->Grids().size());
        state.counters[p + "_stamps"] = static_cast<double>(tiles[l]);
        state.counters[p + "_copies"] = static_cast<double>(copies[l]);
        state.counters[p + "_hidden"] = static_cast<double>(hidden[l]);
        state.counters[p + "_stamp_ms"] = stamp_ms[l] / n;
        state.counters[p + "_filter_ms"] = filter_ms[l] / n;
    }
    KxUtils::Clear_Ptr_Vector(windows);
}
BENCHMARK_CAPTURE(BM_Stamp_Layers, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond);

} // namespace

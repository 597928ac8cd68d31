#pragma once
// Models and load options shared by the benchmarks.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "pipeline/driver/KxModelLoading.h"
#include "render/KxCOGLProjector.h"

namespace orvane_bench {

/// Path of a shared model (ORVANE_MODELS overrides the folder), or "" when absent.
inline std::string Model_Path(const std::string& name)
{
    const char* dir = std::getenv("ORVANE_MODELS");
    const std::filesystem::path p = std::filesystem::path(dir ? dir : ORVANE_MODELS_DIR) / name;
    return std::filesystem::exists(p) ? p.string() : std::string();
}

/// Loads a shared model as a still model, or marks the benchmark skipped and returns null.
inline std::unique_ptr<OrvaneImage::KxCAppMesh> Load_Or_Skip(benchmark::State& state, const std::string& name)
{
    const std::string path = Model_Path(name);
    auto mesh = path.empty() ? nullptr : OrvaneImage::Load_Model_Mesh(path, OrvaneImage::Still_Image_Options(), false);
    if (!mesh) state.SkipWithError("model not found (../shared/models)");
    return mesh;
}

/// Captures an orthographic view of the grounded, normalised model (about 0 <= y <= 1) that
/// fills about 85 % of a w x h viewport's height.
inline void Capture_View(int w, int h)
{
    auto& p = *KxUtils::KxCOGLProjector::InstancePtr();
    const double top = 1.1, bottom = -0.1, half = (top - bottom) * 0.5 * w / h;
    p.Viewport() = {0, 0, w, h};
    p.ProjectionMatrix() = {1 / half, 0, 0, 0, 0, 2 / (top - bottom), 0, 0, 0, 0, -0.2, 0,
                            0, -(top + bottom) / (top - bottom), 0, 1};
    p.ModelviewMatrix() = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

} // namespace orvane_bench

#pragma once
// Models and load options shared by the benchmarks.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "pipeline/driver/KxModelLoading.h"

namespace orvane_bench {

/// Path of a shared model (ORVANE_MODELS overrides the folder), or "" when absent.
inline std::string Model_Path(const std::string& name)
{
    const char* dir = std::getenv("ORVANE_MODELS");
    const std::filesystem::path p = std::filesystem::path(dir ? dir : ORVANE_MODELS_DIR) / name;
    return std::filesystem::exists(p) ? p.string() : std::string();
}

/// The load options of a still model: centred, normalised, grounded, no buffer object.
inline OrvaneImage::KxCIOProp Still_Options()
{
    OrvaneImage::KxCIOProp io;
    io.set_Centerize(true);
    io.set_Normalize(true);
    io.set_Gravity(true);
    io.set_Use_VBO(false);
    return io;
}

/// Loads a shared model as a still model, or marks the benchmark skipped and returns null.
inline std::unique_ptr<OrvaneImage::KxCAppMesh> Load_Or_Skip(benchmark::State& state, const std::string& name)
{
    const std::string path = Model_Path(name);
    auto mesh = path.empty() ? nullptr : OrvaneImage::Load_Model_Mesh(path, Still_Options(), false);
    if (!mesh) state.SkipWithError("model not found (../shared/models)");
    return mesh;
}

} // namespace orvane_bench

#pragma once
// Models and load options shared by the benchmarks.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "pipeline/driver/KxModelLoading.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCOGLProjector.h"

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

/// A splat texture made in memory: a size x size RGBA opaque black disc on
/// transparent white with a one-pixel soft edge, linearly filtered. Needs a current context.
inline unsigned int Disc_Texture(int size = 64)
{
    std::vector<unsigned char> texels;
    const double r = size * 0.5 - 1.0, c = size * 0.5;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            const double d = std::hypot(i + 0.5 - c, j + 0.5 - c);
            const double a = d <= r - 0.5 ? 1.0 : d >= r + 0.5 ? 0.0 : r + 0.5 - d;
            const unsigned char v = a > 0 ? 0 : 255;
            texels.insert(texels.end(), {v, v, v, static_cast<unsigned char>(a * 255 + 0.5)});
        }
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return id;
}

} // namespace orvane_bench

// The hierarchical tile quasi-sampler at the splat sampler's subdivide level 10 over
// a 1024 x 768 importance image shaped like a shaded object: an ellipse lit from the upper
// left, importance up to 25500 (255 x the default density 100), 0 outside.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sampling/KxQuasisampler.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

/// Reads an importance image, row-major, as the splat sampler's subclass does.
class Image_Sampler : public PelmoSampler::Quasisampler {
public:
    Image_Sampler(const std::vector<unsigned int>& image, int w, int h) : Quasisampler(w, h), m_Image(image), m_W(w) {}
    unsigned int getImportanceAt(PelmoSampler::Point2D pt) override
    {
        return m_Image[static_cast<std::size_t>(pt.y) * m_W + static_cast<std::size_t>(pt.x)];
    }

private:
    const std::vector<unsigned int>& m_Image;
    int m_W;
};

std::vector<unsigned int> Shaded_Ellipse()
{
    std::vector<unsigned int> image(static_cast<std::size_t>(kWidth) * kHeight, 0);
    const double cx = 512, cy = 384, rx = 420, ry = 330;
    const double lx = -0.4, ly = 0.5, lz = 0.77; // light direction (unit)
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry, r2 = u * u + v * v;
            if (r2 >= 1) continue;
            const double nz = std::sqrt(1 - r2);
            const double shade = std::max(0.0, u * lx + v * ly + nz * lz);
            // Dark parts are important (the sampler reads the inverted shading), plus a floor.
            image[static_cast<std::size_t>(y) * kWidth + x] = static_cast<unsigned int>(25500 * (0.15 + 0.85 * (1 - shade)));
        }
    return image;
}

void BM_Quasisampler_Level10(benchmark::State& state)
{
    const std::vector<unsigned int> image = Shaded_Ellipse();
    std::size_t points = 0;
    for (auto _ : state) {
        Image_Sampler sampler(image, kWidth, kHeight);
        PelmoSampler::Quasisampler::PointList list;
        sampler.getSamplingPoints(list, 10);
        points = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["points"] = static_cast<double>(points);
    state.counters["points_per_s"] =
        benchmark::Counter(static_cast<double>(points) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Quasisampler_Level10)->Unit(benchmark::kMillisecond);

} // namespace

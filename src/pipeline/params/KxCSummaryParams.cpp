#include "pipeline/params/KxCSummaryParams.h"

namespace OrvaneImage {

namespace {

struct KxCImagePreset {
    int Density;
    double Break_Degree;
    double Silhouette_Rotate;
    double Silhouette_Move;
};

// Indexed by difficulty. Hard's silhouette move (0.001) is smaller than
// Easy's and Medium's on purpose, not a slip.
constexpr KxCImagePreset kImagePresets[] = {
    {100, 0.05, 5.0, 0.005},
    {80, 0.1, 10.0, 0.005},
    {70, 0.15, 15.0, 0.001},
};
constexpr int kImageSplatSize = 5;

constexpr int kVideoDensities[] = {100, 60, 30};
constexpr int kVideoSplatSize = 6;

} // namespace

bool KxCSummaryParam::Store_Difficulty(KxEnumDifficulty d)
{
    m_Difficulty = d;
    const int i = static_cast<int>(d);
    return i >= 0 && i <= 2;
}

void KxCSummaryParam::Apply_Shared_Preset(int density, int splat_size)
{
    m_Density = density;
    m_Splat_Size = splat_size;
    m_Splat_Perturb = KxCXFormParam(true, 36.0, 0.05);
    m_Stamp_Perturb = KxCXFormParam(true, 360.0, 0.75);
}

KxCOIParam::KxCOIParam() : KxCSummaryParam(kImageSplatSize) { set_Difficulty(KxEnumDifficulty::Easy); }

void KxCOIParam::set_Difficulty(KxEnumDifficulty d)
{
    if (!Store_Difficulty(d)) return;
    const KxCImagePreset& p = kImagePresets[static_cast<int>(d)];
    Apply_Shared_Preset(p.Density, kImageSplatSize);
    m_Silhouette_Break.set_Enabled(true);
    m_Silhouette_Break.set_Degree(p.Break_Degree);
    m_Silhouette_Perturb = KxCXFormParam(true, p.Silhouette_Rotate, p.Silhouette_Move);
}

KxCOVParam::KxCOVParam() : KxCSummaryParam(kVideoSplatSize) { set_Difficulty(KxEnumDifficulty::Easy); }

void KxCOVParam::set_Difficulty(KxEnumDifficulty d)
{
    if (!Store_Difficulty(d)) return;
    Apply_Shared_Preset(kVideoDensities[static_cast<int>(d)], kVideoSplatSize);
}

} // namespace OrvaneImage

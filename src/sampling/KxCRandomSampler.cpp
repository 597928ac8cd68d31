#include "sampling/KxCRandomSampler.h"

#include <vector>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "pipeline/util/KxDebug.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

namespace {

/// Keeps a candidate unless an earlier kept one lies closer than d_min (quadratic in the count).
std::vector<bool> Thin(KxCAppMesh* mesh, const std::vector<int>& candidates, double d_min)
{
    const auto& points = mesh->property(mesh->get_VPoint_Prop()).data_vector();
    std::vector<bool> alive(candidates.size(), true);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (!alive[i]) continue;
        const auto& p = points[candidates[i]];
        for (std::size_t j = i + 1; j < candidates.size(); ++j)
            if ((points[candidates[j]] - p).norm() < d_min) alive[j] = false;
    }
    return alive;
}

} // namespace

bool KxCRandomSampler::Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                              KxCDecalParam* dparam)
{
    if (!mesh || !mask || !cntr || !sparam || !dparam) {
        Throw_Debug_Msg("KxCRandomSampler", "Sample", "Invalid inputs");
        return false;
    }
    Seed();
    const KxCRandSParam& rp = sparam->Random();
    const std::size_t nv = mesh->n_vertices();
    const auto n = std::min(nv, static_cast<std::size_t>(std::max(0.0, nv * rp.Cur_Ratio())));
    std::vector<int> order = Shuffled_Vertices(mesh);
    order.resize(n);
    const std::vector<bool> alive = Thin(mesh, order, rp.Radius_Ratio() * mesh->Avg_Edge());

    const double base = dparam->Radius_Ratio() * mesh->Avg_Edge();
    for (std::size_t i = 0; i < n; ++i) {
        if (!alive[i]) continue;
        auto* decal = new KxCDecal();
        Setup_Decal(mesh, decal, order[i], base, dparam);
        Project_Decal(decal);
        Test_Visibility(mesh, mask, decal, rp.Depth_Ratio());
        cntr->Decals().push_back(decal);
    }
    dparam->set_Number(static_cast<int>(cntr->Decals().size()));
    return true;
}

} // namespace OrvaneImage

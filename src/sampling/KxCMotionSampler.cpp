#include "sampling/KxCMotionSampler.h"

#include <algorithm>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxRandom.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

std::vector<int> KxCMotionSampler::K_Ring(const KxCAppMesh* mesh, int v, int k)
{
    std::vector<int> ring{v};
    std::vector<int> front{v}, next;
    for (int step = 0; step < k && !front.empty(); ++step) {
        next.clear();
        for (const int u : front)
            for (auto w : mesh->vv_range(KxCAppMesh::VertexHandle(u)))
                if (std::find(ring.begin(), ring.end(), w.idx()) == ring.end()) {
                    ring.push_back(w.idx());
                    next.push_back(w.idx());
                }
        front.swap(next);
    }
    return ring;
}

bool KxCMotionSampler::Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                              KxCDecalParam* dparam)
{
    if (!mesh || !mask || !cntr || !sparam || !dparam) {
        Throw_Debug_Msg("KxCMotionSampler", "Sample", "Invalid inputs");
        return false;
    }
    Seed();
    const KxCRandSParam& rp = sparam->Random();
    // A ring size below 1 would divide by zero; it means the direct neighbours.
    const int ring_size = std::max(rp.Ring_Size(), 1);
    const double base = dparam->Radius_Ratio() * mesh->Avg_Edge();
    for (KxCDecal* decal : cntr->Decals()) {
        if (decal->VertexIdx() < 0 || decal->VertexIdx() >= static_cast<int>(mesh->n_vertices())) continue;
        const int k = KxUtils::Rand() % ring_size + 1;
        const std::vector<int> ring = K_Ring(mesh, decal->VertexIdx(), k);
        const float draw = static_cast<float>(KxUtils::Rand());
        const float last = static_cast<float>(ring.size()) - 1.0f;
        const auto i = static_cast<std::size_t>(draw / 32767.0 * last);
        Setup_Decal(mesh, decal, ring[std::min(i, ring.size() - 1)], base, dparam);
        Project_Decal(decal);
        Test_Visibility(mesh, mask, decal, rp.Depth_Ratio());
    }
    return true;
}

} // namespace OrvaneImage

#include "sampling/KxCRandomSampler2.h"

#include <vector>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "pipeline/util/KxDebug.h"
#include "render/KxCKDtree.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

bool KxCRandomSampler2::Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                               KxCDecalParam* dparam)
{
    if (!mesh || !mask || !cntr || !sparam || !dparam) {
        Throw_Debug_Msg("KxCRandomSampler2", "Sample", "Invalid inputs");
        return false;
    }
    Seed();
    const KxCRandSParam& rp = sparam->Random();
    const std::size_t nv = mesh->n_vertices();
    const auto target = static_cast<std::size_t>(std::max(0.0, nv * rp.Cur_Ratio()));
    const double d = rp.Radius_Ratio() * mesh->Avg_Edge();
    std::vector<int> order = Shuffled_Vertices(mesh);

    if (mesh->Vertex_Flags().size() != nv) mesh->Request_Vertex_Flags();
    auto& flags = mesh->Vertex_Flags();
    const KxUtils::KxCKDtree* tree = mesh->get_KDTreePtr();
    std::vector<int> idx;
    std::vector<double> dist;
    for (const int v : order) {
        if (cntr->Decals().size() >= target) break;
        if (flags[v] == 1) continue;
        const auto& p = mesh->property(mesh->get_VPoint_Prop(), KxCAppMesh::VertexHandle(v));
        idx.clear();
        if (tree) tree->Find(p.data(), d, 0, idx, dist);
        flags[v] = 1;
        for (const int w : idx)
            if (w >= 0) flags[w] = 1;
        auto* decal = new KxCDecal();
        Setup_Decal(mesh, decal, v, d, dparam);
        Project_Decal(decal);
        Test_Visibility(mesh, mask, decal, rp.Depth_Ratio());
        cntr->Decals().push_back(decal);
    }
    mesh->Clear_Vertex_Flags();
    dparam->set_Number(static_cast<int>(cntr->Decals().size()));
    return true;
}

} // namespace OrvaneImage

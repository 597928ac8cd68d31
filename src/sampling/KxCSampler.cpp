#include "sampling/KxCSampler.h"

#include <numeric>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxRandom.h"
#include "render/KxCOGLProjector.h"
#include "sampling/KxCSampleMask.h"
#include "splats/KxCDecal.h"

namespace OrvaneImage {

void KxCSampler::Setup_Decal(KxCAppMesh* mesh, KxCDecal* decal, int v, double base, const KxCDecalParam* dparam)
{
    decal->VertexIdx() = v;
    decal->Point3D() = mesh->property(mesh->get_VPoint_Prop(), KxCAppMesh::VertexHandle(v));
    double r = dparam->Jitter_Scale() * base;
    const auto& longest = mesh->Max_VertexEdges();
    if (v < static_cast<int>(longest.size())) r = std::max(r, longest[v]);
    decal->Radius() = r;
    decal->Radius2() = r;
}

void KxCSampler::Project_Decal(KxCDecal* decal)
{
    const auto& p = decal->Point3D();
    KxUtils::KxCOGLProjector::InstancePtr()->Project(p[0], p[1], p[2], decal->Point2D().data());
}

void KxCSampler::Test_Visibility(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecal* decal, double depth_ratio)
{
    const auto* box = mesh->get_AABB();
    const double tolerance = box && !box->is_Null() ? depth_ratio * box->Diagonal().norm() : 0.0;
    const auto& w = decal->Point2D();
    float depth = 0.0f;
    if (!mask->get_Depth(w[0], w[1], depth)) {
        decal->Visible() = false;
        return;
    }
    KxUtils::Vec3d q;
    KxUtils::KxCOGLProjector::InstancePtr()->UnProject(w[0], w[1], depth, q.data());
    decal->Visible() = (decal->Point3D() - q).norm() <= tolerance;
}

std::vector<int> KxCSampler::Shuffled_Vertices(const KxCAppMesh* mesh)
{
    std::vector<int> order(mesh->n_vertices());
    std::iota(order.begin(), order.end(), 0);
    KxUtils::Random_Shuffle(order);
    return order;
}

void KxCSampler::Seed()
{
    if (AppGlobal::g_Fix_Rand) KxUtils::SRand(1024);
}

} // namespace OrvaneImage

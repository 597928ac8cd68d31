#include "mesh/KxCPrimitiveOperation.h"

#include "mesh/KxCMesh.h"
#include "mesh/KxPredicates.h"

namespace KxMesh {

int KxCPrimitiveOperationDec::Find(KxCMesh* mesh, const KxUtils::Vec3d& point)
{
    return mp_Component ? mp_Component->Find(mesh, point) : -1;
}

int KxCVertexOperation::Find(KxCMesh* mesh, const KxUtils::Vec3d& point)
{
    if (!mesh || !mesh->is_Valid()) return -1;
    const KxVec3Prop points = mesh->get_VPoint_Prop();
    const bool status = mesh->has_vertex_status();
    double best = 99999.0;
    int index = -1;
    for (auto v : mesh->all_vertices()) {
        if (status && mesh->status(v).deleted()) continue;
        const double d = (mesh->property(points, v) - point).norm();
        if (d < best) {
            best = d;
            index = v.idx();
        }
    }
    return best > 0.01 ? -1 : index;
}

int KxCFaceOperation::Find(KxCMesh* mesh, const KxUtils::Vec3d& point)
{
    if (!mesh || !mesh->is_Valid()) return -1;
    const KxVec3Prop points = mesh->get_VPoint_Prop();
    const bool status = mesh->has_face_status();
    for (auto f : mesh->all_faces()) {
        if (status && mesh->status(f).deleted()) continue;
        auto fv = mesh->cfv_iter(f);
        const auto& p0 = mesh->property(points, *fv);
        const auto& p1 = mesh->property(points, *++fv);
        const auto& p2 = mesh->property(points, *++fv);
        if (IfPointInFace(point, p0, p1, p2)) return f.idx();
    }
    return -1;
}

int KxCEdgeOperation::Find(KxCMesh* mesh, const KxUtils::Vec3d& point)
{
    if (!mesh || !mesh->is_Valid()) return -1;
    const KxVec3Prop points = mesh->get_VPoint_Prop();
    const bool status = mesh->has_edge_status();
    for (auto e : mesh->all_edges()) {
        if (status && mesh->status(e).deleted()) continue;
        const auto h = mesh->halfedge_handle(e, 0);
        const auto& p0 = mesh->property(points, mesh->from_vertex_handle(h));
        const auto& p1 = mesh->property(points, mesh->to_vertex_handle(h));
        if (IfPointOnEdge(point, p0, p1)) return e.idx();
    }
    return -1;
}

} // namespace KxMesh

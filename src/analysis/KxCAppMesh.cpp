#include "analysis/KxCAppMesh.h"

#include <algorithm>

#include "mesh/KxCMeshKernel.h"
#include "pipeline/util/KxDebug.h"
#include "render/KxCKDtree.h"

namespace OrvaneImage {

KxCAppMesh::KxCAppMesh() : KxCMesh() { Initialize(); }

KxCAppMesh::KxCAppMesh(KxMesh::KxCMeshKernel* kernel) : KxCMesh(kernel) { Initialize(); }

KxCAppMesh::~KxCAppMesh()
{
    m_MaxVertexEdges.clear();
    Release_KDTree();
    m_VertexFlags.clear();
    m_FaceFlags.clear();
    Release_TriMesh();
    Release_Curvature();
    Release_Silhouette();
    Release_Shade();
    Release_Importance();
    release_vertex_colors();
    Release_Animation();
}

void KxCAppMesh::Initialize()
{
    m_MaxEdge = m_MinEdge = m_AvgEdge = 0.0;
    m_MaxVertexEdges.clear();
    m_VertexFlags.clear();
    m_FaceFlags.clear();
    mp_KDTree = nullptr;
    mp_TriMesh = nullptr;
    m_VCurv_Prop.reset();
    m_VSilho_Prop.reset();
    m_VShade_Prop.reset();
    m_VShade2_Prop.reset();
    m_VImptn_Prop.reset();
    m_VImptn2_Prop.reset();
    m_Keys.clear();
    m_Frames.clear();
    m_InterFrames = 0;
    m_FrameIdx = 0;
    // Every analysed mesh carries vertex colours: the importance display and the sampler paint them.
    request_vertex_colors();
}

void KxCAppMesh::Preprocess()
{
    m_MaxEdge = -1e+06;
    m_MinEdge = 1e+06;
    m_AvgEdge = 0.0;
    m_MaxVertexEdges.assign(n_vertices(), -1e+06);
    const bool status = has_edge_status();
    std::size_t counted = 0;
    for (auto e : all_edges()) {
        if (status && this->status(e).deleted()) continue;
        const auto h = halfedge_handle(e, 0);
        const auto a = from_vertex_handle(h), b = to_vertex_handle(h);
        const double len = (property(m_VPoint_Prop, a) - property(m_VPoint_Prop, b)).norm();
        m_MaxEdge = std::max(m_MaxEdge, len);
        m_MinEdge = std::min(m_MinEdge, len);
        m_AvgEdge += len;
        m_MaxVertexEdges[a.idx()] = std::max(m_MaxVertexEdges[a.idx()], len);
        m_MaxVertexEdges[b.idx()] = std::max(m_MaxVertexEdges[b.idx()], len);
        ++counted;
    }
    // A mesh without edges has no average edge; 0 rather than a division by zero.
    m_AvgEdge = counted ? m_AvgEdge / static_cast<double>(counted) : 0.0;
}

void KxCAppMesh::Request_KDTree()
{
    Release_KDTree();
    mp_KDTree = new KxUtils::KxCKDtree();
    if (n_vertices() == 0 || !m_VPoint_Prop.is_valid()) return;
    mp_KDTree->Build_Tree(property(m_VPoint_Prop).data_vector().data()->data(), static_cast<int>(n_vertices()), 3);
}

void KxCAppMesh::Release_KDTree()
{
    delete mp_KDTree;
    mp_KDTree = nullptr;
}

void KxCAppMesh::Clear_Vertex_Flags()
{
    if (m_VertexFlags.size() != n_vertices()) {
        Throw_Debug_Msg("KxCAppMesh", "Clear_Vertex_Flags", "Invalid size of vertex flags");
        return;
    }
    std::fill(m_VertexFlags.begin(), m_VertexFlags.end(), 0);
}

bool KxCAppMesh::Lookup(const std::string& destination, const std::string& source, KxMesh::KxVec3Prop& d,
                        KxMesh::KxVec3Prop& s) const
{
    return get_property_handle(d, destination) && get_property_handle(s, source);
}

template <class Op>
void KxCAppMesh::Transform_Points(KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source, Op op)
{
    if (!destination.is_valid() || !source.is_valid()) {
        Throw_Debug_Msg("KxCAppMesh", "Apply_XForm", "Invalid vertex property handle");
        return;
    }
    for (auto v : vertices()) property(destination, v) = op(property(source, v));
    if (has_VBO()) Update_VBO(1);
}

void KxCAppMesh::Apply_XForm(const KxCMatrix4d& m, KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source)
{
    Transform_Points(destination, source, [&m](const KxUtils::Vec3d& p) { return m.Transform_Point(p); });
}

void KxCAppMesh::Apply_XForm(const KxUtils::Vec3d& t, KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source)
{
    Transform_Points(destination, source, [&t](const KxUtils::Vec3d& p) { return p + t; });
}

void KxCAppMesh::Apply_XForm(const KxCMatrix4d& m, const std::string& destination, const std::string& source)
{
    KxMesh::KxVec3Prop d, s;
    Lookup(destination, source, d, s);
    Apply_XForm(m, d, s);
}

void KxCAppMesh::Apply_XForm(const KxUtils::Vec3d& t, const std::string& destination, const std::string& source)
{
    KxMesh::KxVec3Prop d, s;
    Lookup(destination, source, d, s);
    Apply_XForm(t, d, s);
}

void KxCAppMesh::Apply_Gravity()
{
    Update_AABB(false);
    if (!mp_AABB) return;
    const double y0 = mp_AABB->MinPoint()[1], y1 = mp_AABB->MaxPoint()[1];
    const double dy = std::abs(y1 - y0) * 0.5 - (y0 + y1) * 0.5;
    Apply_XForm(KxUtils::Vec3d(0, dy, 0), "v:points", "v:points");
    Update_AABB(false);
}

} // namespace OrvaneImage

#pragma once
// The analysed mesh the generation pipeline works on: a KxCMesh with edge
// statistics, a KD-tree over its vertices, scratch flags per vertex and face,
// and transforms of its positions (including the drop onto the ground plane).
#include <string>
#include <vector>

#include "mesh/KxCMesh.h"
#include "pipeline/util/KxMath.h"

namespace KxUtils {
class KxCKDtree;
}

namespace OrvaneImage {

class KxCAppMesh : public KxMesh::KxCMesh {
public:
    using KxCMatrix4d = KxUtils::KxCMatrix4d;

    /// An empty mesh with a triangle kernel (the application loads models with a strip kernel).
    KxCAppMesh();
    explicit KxCAppMesh(KxMesh::KxCMeshKernel* kernel);
    ~KxCAppMesh() override;

    /// Edge statistics: longest, shortest and average edge, and the longest edge at each vertex.
    void Preprocess();
    double Max_Edge() const { return m_MaxEdge; }
    double Min_Edge() const { return m_MinEdge; }
    double& Avg_Edge() { return m_AvgEdge; }
    /// Longest incident edge per vertex; -1e+06 for a vertex without edges.
    std::vector<double>& Max_VertexEdges() { return m_MaxVertexEdges; }

    /// Rebuilds the KD-tree over the positions (tree point i is vertex i).
    void Request_KDTree();
    void Release_KDTree();
    KxUtils::KxCKDtree* get_KDTreePtr() const { return mp_KDTree; }

    /// n_vertices zero flags.
    void Request_Vertex_Flags() { m_VertexFlags.assign(n_vertices(), 0); }
    void Release_Vertex_Flags() { m_VertexFlags.clear(); }
    bool has_Vertex_Flags() const { return !m_VertexFlags.empty(); }
    /// Zeroes every vertex flag; a vector of the wrong size is reported and left alone.
    void Clear_Vertex_Flags();
    std::vector<unsigned char>& Vertex_Flags() { return m_VertexFlags; }
    /// n_faces zero flags.
    void Request_Face_Flags() { m_FaceFlags.assign(n_faces(), 0); }
    void Release_Face_Flags() { m_FaceFlags.clear(); }
    bool has_Face_Flags() const { return !m_FaceFlags.empty(); }
    std::vector<unsigned char>& Face_Flags() { return m_FaceFlags; }

    /// destination <- M * (source, 1) (first three components) for every vertex; properties by name.
    void Apply_XForm(const KxCMatrix4d& m, const std::string& destination, const std::string& source);
    void Apply_XForm(const KxCMatrix4d& m, KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source);
    /// destination <- source + t for every vertex; properties by name.
    void Apply_XForm(const KxUtils::Vec3d& t, const std::string& destination, const std::string& source);
    void Apply_XForm(const KxUtils::Vec3d& t, KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source);
    /// Moves the mesh so that its lowest y becomes 0 (needs the bounding box).
    void Apply_Gravity();

private:
    void Initialize();
    template <class Op>
    void Transform_Points(KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source, Op op);
    bool Lookup(const std::string& destination, const std::string& source, KxMesh::KxVec3Prop& d,
                KxMesh::KxVec3Prop& s) const;

    double m_MaxEdge = 0.0;
    double m_MinEdge = 0.0;
    double m_AvgEdge = 0.0;
    std::vector<double> m_MaxVertexEdges;
    KxUtils::KxCKDtree* mp_KDTree = nullptr;
    std::vector<unsigned char> m_VertexFlags;
    std::vector<unsigned char> m_FaceFlags;
};

} // namespace OrvaneImage

#pragma once
// The analysed mesh the generation pipeline works on: a KxCMesh with edge
// statistics, a KD-tree over its vertices, scratch flags per vertex and face,
// per-vertex fields seen from the current camera and light (tangent frame,
// curvature, silhouette, shading, importance), keyframe animation, and
// transforms of its positions (including the drop onto the ground plane).
//
// Every field is made by a Request_ operation, removed by its Release_ and
// tested by its has_. Fields are not kept up to date: after the positions
// change the caller requests them again.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "mesh/KxCMesh.h"
#include "pipeline/util/KxMath.h"

namespace KxUtils {
class KxCKDtree;
}

namespace OrvaneImage {

class KxCSilhoParam;
class KxCShadeParam;
class KxCAIOProp;
class KxCAnimeProp;
struct KxCCurvatureMesh;

class KxCAppMesh : public KxMesh::KxCMesh {
public:
    using KxCMatrix4d = KxUtils::KxCMatrix4d;
    using Vec3d = KxUtils::Vec3d;
    /// One pose: the positions of vertex 0, 1, 2, ... in index order.
    using KxCPose = std::vector<Vec3d>;

    /// Curvature and tangent frame of one vertex.
    class KxCCurv {
    public:
        /// First tangent direction (first principal direction after Request_Curvature).
        Vec3d& Vect1() { return m_Vect1; }
        /// Second tangent direction.
        Vec3d& Vect2() { return m_Vect2; }
        /// First principal curvature (the larger one).
        double& Curv1() { return m_Curv1; }
        /// Second principal curvature.
        double& Curv2() { return m_Curv2; }
        /// (Curv1 + Curv2) / 2.
        double& MeanCurv() { return m_MeanCurv; }
        /// Curv1 * Curv2.
        double& GaussianCurv() { return m_GaussianCurv; }

    private:
        Vec3d m_Vect1{0, 0, 0};
        Vec3d m_Vect2{0, 0, 0};
        double m_Curv1 = 0.0;
        double m_Curv2 = 0.0;
        double m_MeanCurv = 0.0;
        double m_GaussianCurv = 0.0;
    };
    using KxCurvProp = OpenMesh::VPropHandleT<KxCCurv>;
    using KxDoubleProp = OpenMesh::VPropHandleT<double>;

    /// An empty mesh with a triangle kernel (the application loads models with a strip kernel).
    KxCAppMesh();
    explicit KxCAppMesh(KxMesh::KxCMeshKernel* kernel);
    ~KxCAppMesh() override;

    // --- Edge statistics and search -------------------------------------

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

    // --- Scratch flags ---------------------------------------------------

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

    // --- Tangent frame and curvature ------------------------------------

    /// Builds the float copy of positions, normals and faces the curvature estimator works on.
    void Request_TriMesh();
    void Release_TriMesh();
    /// Principal curvatures and directions per vertex, by local quadric (jet) fitting over the
    /// vertex's 2-ring. Positive where the surface bends away from its normal (a sphere with
    /// outward normals has +1/r twice); Curv1 >= Curv2; directions are unit tangents.
    void Request_Curvature();
    /// A deterministic tangent frame per vertex (Vect1, Vect2) from its normal and first
    /// neighbour; overwrites the principal directions. A vertex without edges gets any frame
    /// perpendicular to its normal.
    void Request_TangentPlane();
    void Release_Curvature();
    bool has_Curvature() const { return m_VCurv_Prop.is_valid(); }
    KxCurvProp& get_VCurv_Prop() { return m_VCurv_Prop; }

    // --- Silhouette, shading and importance ------------------------------

    /// 1.0 where the vertex faces the eye (Light_Pos of the parameter's light) within the
    /// silhouette margin, else 0.0. Null parameter: nothing happens.
    void Request_Silhouette(const KxCSilhoParam* param);
    void Release_Silhouette();
    bool has_Silhouette() const { return m_VSilho_Prop.is_valid(); }
    /// Stepped and continuous shading from the parameter's light direction (high = dark).
    /// Null parameter: nothing happens.
    void Request_Shade(const KxCShadeParam* param);
    void Release_Shade();
    bool has_Shade() const { return m_VShade_Prop.is_valid(); }
    /// importance = max(0, silhouette, stepped shading), smooth importance = max(0, silhouette,
    /// continuous shading); each term only when its field exists and its parameter is enabled.
    /// Nothing happens when either parameter is null.
    void Request_Importance(const KxCSilhoParam* silho, const KxCShadeParam* shade);
    void Release_Importance();
    bool has_Importance() const { return m_VImptn_Prop.is_valid(); }
    KxDoubleProp& get_VImptn_Prop() { return m_VImptn_Prop; }
    KxDoubleProp& get_VImptn2_Prop() { return m_VImptn2_Prop; }
    /// Field values of one vertex (the field must exist).
    double Silhouette(VertexHandle v) const { return property(m_VSilho_Prop, v); }
    double Shade(VertexHandle v) const { return property(m_VShade_Prop, v); }
    double Shade2(VertexHandle v) const { return property(m_VShade2_Prop, v); }

    /// Paints every vertex grey by f(mesh, v), stretched so the smallest value is black and the
    /// largest white (all black when the values span less than 1e-6); updates the buffer's colours.
    template <class F>
    void Convert_To_Gradient(F f);

    // --- Keyframe animation ----------------------------------------------

    /// Reads keyframe poses from mesh files; unreadable files and files of another vertex or
    /// face count are reported and skipped. False only for no paths or a null option.
    bool Read_Animation(const std::vector<std::string>& paths, const KxCAIOProp* option);
    /// Builds the frames: the keys with option's Inter_Frames linear blends between neighbours.
    void Interpolate_Animation(const KxCAIOProp* option);
    /// Frees every pose; no keys, no frames.
    void Release_Animation();
    /// Next frame; wraps to the first with Loop, else stays at the last without rewriting.
    void Playback(const KxCAnimeProp* anime);
    /// Next frame, stopping at the last.
    void Playback_Fwd();
    /// Previous frame, stopping at the first.
    void Playback_Rew();
    void Playback_Start() { Playback_Goto(0); }
    void Playback_End() { Playback_Goto(Total_Frames() - 1); }
    /// Moves the mesh to frame index (-1: the current frame again); updates box, normals, buffer.
    void Playback_Goto(int index);
    int Total_Keys() const { return static_cast<int>(m_Keys.size()); }
    int Total_Frames() const { return static_cast<int>(m_Frames.size()); }
    int& Inter_Frames() { return m_InterFrames; }
    int& Frame_Idx() { return m_FrameIdx; }
    /// Pose of frame i (0 <= i < Total_Frames).
    const KxCPose& Frame(int i) const { return *m_Frames[i]; }

    // --- Transforms --------------------------------------------------------

    /// destination <- M * (source, 1) (first three components) for every vertex; properties by name.
    void Apply_XForm(const KxCMatrix4d& m, const std::string& destination, const std::string& source);
    void Apply_XForm(const KxCMatrix4d& m, KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source);
    /// destination <- source + t for every vertex; properties by name.
    void Apply_XForm(const Vec3d& t, const std::string& destination, const std::string& source);
    void Apply_XForm(const Vec3d& t, KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source);
    /// Moves the mesh so that its lowest y becomes 0 (needs the bounding box).
    void Apply_Gravity();

private:
    void Initialize();
    template <class Op>
    void Transform_Points(KxMesh::KxVec3Prop destination, KxMesh::KxVec3Prop source, Op op);
    bool Lookup(const std::string& destination, const std::string& source, KxMesh::KxVec3Prop& d,
                KxMesh::KxVec3Prop& s) const;
    void Request_Curv_Prop();
    template <class Handle>
    void Release_Prop(Handle& h);

    double m_MaxEdge = 0.0;
    double m_MinEdge = 0.0;
    double m_AvgEdge = 0.0;
    std::vector<double> m_MaxVertexEdges;
    KxUtils::KxCKDtree* mp_KDTree = nullptr;
    std::vector<unsigned char> m_VertexFlags;
    std::vector<unsigned char> m_FaceFlags;
    KxCCurvatureMesh* mp_TriMesh = nullptr;
    KxCurvProp m_VCurv_Prop;
    KxDoubleProp m_VSilho_Prop;
    KxDoubleProp m_VShade_Prop;
    KxDoubleProp m_VShade2_Prop;
    KxDoubleProp m_VImptn_Prop;
    KxDoubleProp m_VImptn2_Prop;
    // Keys point into the frames; the frames own every pose.
    std::vector<KxCPose*> m_Keys;
    std::vector<KxCPose*> m_Frames;
    int m_InterFrames = 0;
    int m_FrameIdx = 0;
};

/// 1 - importance, or 1 without the field: important vertices come out black.
struct GetImportance {
    double operator()(KxCAppMesh& m, KxCAppMesh::VertexHandle v) const
    {
        return m.has_Importance() ? 1.0 - m.property(m.get_VImptn_Prop(), v) : 1.0;
    }
};

/// 1 - smooth importance, or 1 without the field.
struct GetImportanceSmooth {
    double operator()(KxCAppMesh& m, KxCAppMesh::VertexHandle v) const
    {
        return m.has_Importance() ? 1.0 - m.property(m.get_VImptn2_Prop(), v) : 1.0;
    }
};

/// Importance itself, or 1 without the field: important vertices come out white.
struct GetImportanceInv {
    double operator()(KxCAppMesh& m, KxCAppMesh::VertexHandle v) const
    {
        return m.has_Importance() ? m.property(m.get_VImptn_Prop(), v) : 1.0;
    }
};

template <class F>
void KxCAppMesh::Convert_To_Gradient(F f)
{
    if (!has_vertex_colors() || !m_VColor_Prop.is_valid()) return;
    double lo = 1e+06, hi = -1e+06;
    for (auto v : vertices()) {
        const double x = f(*this, v);
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
    double range = std::abs(hi - lo);
    if (range <= 1e-06) range = 1.0;
    for (auto v : vertices()) {
        const double g = (f(*this, v) - lo) / range * 255.0;
        // Truncate towards zero and keep the low byte, as an unsigned conversion does.
        const auto grey = static_cast<unsigned char>(static_cast<unsigned int>(static_cast<long long>(g)) & 0xFFu);
        property(m_VColor_Prop, v) = KxMesh::KxTriMesh::Color(grey, grey, grey);
    }
    if (has_VBO()) Update_VBO(4);
}

} // namespace OrvaneImage

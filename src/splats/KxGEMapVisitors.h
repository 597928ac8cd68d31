#pragma once
// The patch graph of the geodesic parameterizer and the two shortest-path
// visitors that turn each finished node into 2D coordinates. Both react only to on_finish_vertex: nodes finish in
// order of non-decreasing distance and a node's predecessor always finishes
// before it, so the predecessor's parameter is known.
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/KxCAppMesh.h"
#include "splats/KxCDecal.h"

namespace OrvaneImage {
namespace KxGEMap {

using Vec2d = KxUtils::Vec2d;
using Vec3d = KxUtils::Vec3d;

/// Undirected patch graph: node = local patch index, edge weight = edge length. Edges are kept
/// in a vector (not the default list) so that building a patch graph costs no allocation per edge.
using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
                                    boost::property<boost::edge_weight_t, double>, boost::no_property, boost::vecS>;
using Node = boost::graph_traits<Graph>::vertex_descriptor;
using IndexMap = boost::property_map<Graph, boost::vertex_index_t>::const_type;

constexpr double kDistanceInf = 1.7976931348623157e+308;

/// Addition that saturates at the search's infinity.
struct Saturating_Plus {
    double operator()(double a, double b) const
    {
        if (a >= kDistanceInf || b >= kDistanceInf) return kDistanceInf;
        const double s = a + b;
        return s < kDistanceInf ? s : kDistanceInf;
    }
};

/// arccos with its argument clamped to [-1, 1].
inline double Safe_Acos(double c) { return std::acos(std::max(-1.0, std::min(1.0, c))); }

/// Right-handed rotation of v about axis by angle (unit quaternion with vector part
/// axis sin(angle/2) / |axis| and scalar part cos(angle/2)); an axis shorter than 1e-6 means none.
inline Vec3d Rotate(const Vec3d& v, const Vec3d& axis, double angle)
{
    const double len = axis.norm();
    if (len < 1e-6) return v;
    const Vec3d u = axis * (std::sin(angle * 0.5) / len);
    const double w = std::cos(angle * 0.5);
    const Vec3d t = OpenMesh::cross(u, v) * 2.0;
    return v + t * w + OpenMesh::cross(u, t);
}

/// Fields and steps shared by both visitors, in this order: mesh, splat, vertex
/// map (local -> mesh index), predecessor and distance maps (by local index), vertex index
/// map, out list, centre vertex, centre normal N0 and centre frame T1, T2.
class gemap_visitor_data {
public:
    gemap_visitor_data(KxCAppMesh* mesh, KxCDecal* decal, std::vector<Node>* pred, std::vector<double>* dist,
                       IndexMap index, std::vector<int>* out)
        : mp_Mesh(mesh), mp_Decal(decal), mp_VertexMap(&decal->VertexIndices()), mp_Pred(pred), mp_Dist(dist),
          m_Index(index), mp_Out(out), m_Center(decal->VertexIdx())
    {
        const auto vh = mesh->vertex_handle(static_cast<unsigned int>(m_Center));
        m_N0 = mesh->property(mesh->get_VNormal_Prop(), vh);
        auto& curv = mesh->property(mesh->get_VCurv_Prop(), vh);
        m_T1 = curv.Vect1();
        m_T2 = curv.Vect2();
    }

protected:
    /// The parameter of node u: (0, 0) at the centre; beyond the radius, u goes on the out list;
    /// else the predecessor's parameter plus step(v, m(p), N_p), the transported (dx, dy) of the
    /// tangent edge vector v leaving the predecessor p (read in the centre frame when p is the centre).
    template <class Step>
    void Finish(Node u, Step step)
    {
        auto& params = mp_Decal->ParameterArray();
        const std::size_t iu = get(m_Index, u);
        const int mu = (*mp_VertexMap)[iu];
        if (mu == m_Center) {
            params[iu] = Vec2d(0.0, 0.0);
            return;
        }
        if ((*mp_Dist)[iu] > mp_Decal->Radius()) {
            mp_Out->push_back(mu);
            return;
        }
        const std::size_t ip = get(m_Index, (*mp_Pred)[iu]);
        const int mp = (*mp_VertexMap)[ip];
        const Vec3d e = Pos(mu) - Pos(mp);
        const Vec3d np = Normal(mp);
        const Vec3d t = e - np * OpenMesh::dot(np, e);
        const double le = e.norm(), lt = t.norm();
        // An edge along the normal has no tangent direction: it contributes a zero step.
        const Vec3d v = lt > 1e-12 * le ? t * (le / lt) : Vec3d(0.0, 0.0, 0.0);
        if (mp == m_Center) {
            params[iu] = Vec2d(OpenMesh::dot(m_T1, v), OpenMesh::dot(m_T2, v));
            return;
        }
        params[iu] = params[ip] + step(v, mp, np);
    }

    Vec3d Pos(int m) const { return mp_Mesh->property(mp_Mesh->get_VPoint_Prop(), Vh(m)); }
    Vec3d Normal(int m) const { return mp_Mesh->property(mp_Mesh->get_VNormal_Prop(), Vh(m)); }
    KxCAppMesh::KxCCurv& Curv(int m) const { return mp_Mesh->property(mp_Mesh->get_VCurv_Prop(), Vh(m)); }
    OpenMesh::VertexHandle Vh(int m) const { return mp_Mesh->vertex_handle(static_cast<unsigned int>(m)); }

    KxCAppMesh* mp_Mesh;
    KxCDecal* mp_Decal;
    std::vector<int>* mp_VertexMap;
    std::vector<Node>* mp_Pred;
    std::vector<double>* mp_Dist;
    IndexMap m_Index;
    std::vector<int>* mp_Out;
    int m_Center;
    Vec3d m_N0{0, 0, 1};
    Vec3d m_T1{1, 0, 0};
    Vec3d m_T2{0, 1, 0};
};

/// Transport with Trick clear: the stored tangent frame D1, D2 at the predecessor, related to
/// the centre frame by rotating D1 into the centre's tangent plane. The sign rule (s > 0 or not)
/// undoes the turn between the frames when they are right-handed (Vect2 = N x Vect1); the
/// frames of Request_TangentPlane are left-handed (Vect2 = Vect1 x N), and with them this
/// transport mirrors the turn. The pipeline always sets Trick, which does not depend on it.
class gemap_visitor : public gemap_visitor_data, public boost::base_visitor<gemap_visitor> {
public:
    using event_filter = boost::on_finish_vertex;
    using gemap_visitor_data::gemap_visitor_data;

    void operator()(Node u, const Graph&)
    {
        Finish(u, [this](const Vec3d& v, int mp, const Vec3d& np) {
            auto& frame = Curv(mp);
            const Vec3d d1 = frame.Vect1(), d2 = frame.Vect2();
            const double a = OpenMesh::dot(v, d1), b = OpenMesh::dot(v, d2);
            const Vec3d d1r = KxUtils::Normalized(
                Rotate(d1, KxUtils::Normalized(OpenMesh::cross(np, m_N0)), Safe_Acos(OpenMesh::dot(np, m_N0))));
            const double cs = OpenMesh::dot(d1r, m_T1);
            const double sn = std::sin(Safe_Acos(cs));
            const double s = OpenMesh::dot(KxUtils::Normalized(OpenMesh::cross(d1r, m_T1)), m_N0);
            if (s > 0.0) return Vec2d(cs * a + sn * b, cs * b - sn * a);
            return Vec2d(cs * a - sn * b, cs * b + sn * a);
        });
    }
};

/// Transport with Trick set: the centre frame rotated onto the predecessor's normal; the
/// stored frame is read at the centre only.
class gemap_trick_visitor : public gemap_visitor_data, public boost::base_visitor<gemap_trick_visitor> {
public:
    using event_filter = boost::on_finish_vertex;
    using gemap_visitor_data::gemap_visitor_data;

    void operator()(Node u, const Graph&)
    {
        Finish(u, [this](const Vec3d& v, int, const Vec3d& np) {
            const Vec3d axis = KxUtils::Normalized(OpenMesh::cross(m_N0, np));
            const double angle = Safe_Acos(OpenMesh::dot(m_N0, np));
            const Vec3d t1 = KxUtils::Normalized(Rotate(m_T1, axis, angle));
            const Vec3d t2 = KxUtils::Normalized(Rotate(m_T2, axis, angle));
            return Vec2d(OpenMesh::dot(v, t1), OpenMesh::dot(v, t2));
        });
    }
};

} // namespace KxGEMap
} // namespace OrvaneImage

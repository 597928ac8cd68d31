#include "splats/KxCGEMap.h"

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>

#include "analysis/KxCAppMesh.h"
#include "pipeline/util/KxDebug.h"
#include "render/KxCOGLProjector.h"
#include "splats/KxCDecal.h"
#include "splats/KxGEMapVisitors.h"

namespace OrvaneImage {

namespace {

using KxGEMap::Graph;
using KxGEMap::Node;
using Vec2d = KxUtils::Vec2d;
using Vec3d = KxUtils::Vec3d;

// Flag values of the collection of one patch.
constexpr unsigned char kNotSeen = 0;
constexpr unsigned char kInPatch = 1;  // vertex expanded / face in the patch
constexpr unsigned char kOnStack = 2;  // vertex discovered inside the radius
constexpr unsigned char kOutside = 3;  // vertex outside the patch / face rejected

/// Scratch of one call, reused from splat to splat so that the work per splat is proportional
/// to its patch. Only the entries of the current patch are ever read.
struct KxCScratch {
    std::vector<int> Stack;
    std::vector<int> Touched_Vertices;
    std::vector<int> Touched_Faces;
    std::vector<std::pair<int, int>> Edges; // mesh vertex indices
    std::vector<double> Weights;
    std::vector<int> Local;                 // mesh vertex -> local patch index (patch vertices only)
    std::vector<int> Out;                   // mesh vertices beyond the radius along the surface
    std::vector<Node> Pred;
    std::vector<double> Dist;
    std::vector<int> Faces;
    std::vector<OpenMesh::HalfedgeHandle> Ring; // outgoing halfedges of the vertex being expanded
};

template <class Visitor>
void Search(const Graph& g, KxCAppMesh* mesh, KxCDecal* d, KxCScratch& s)
{
    const std::size_t n = boost::num_vertices(g);
    s.Pred.assign(n, 0);
    s.Dist.assign(n, KxGEMap::kDistanceInf);
    const auto index = get(boost::vertex_index, g);
    Visitor vis(mesh, d, &s.Pred, &s.Dist, index, &s.Out);
    boost::dijkstra_shortest_paths(
        g, Node(0),
        boost::predecessor_map(boost::make_iterator_property_map(s.Pred.begin(), index))
            .distance_map(boost::make_iterator_property_map(s.Dist.begin(), index))
            .weight_map(get(boost::edge_weight, g))
            .vertex_index_map(index)
            .distance_compare(std::less<double>())
            .distance_combine(KxGEMap::Saturating_Plus())
            .distance_inf(KxGEMap::kDistanceInf)
            .distance_zero(0.0)
            .visitor(boost::make_dijkstra_visitor(vis)));
}

/// Steps 5 to 12 for one visible splat.
void Parameterize_One(KxCAppMesh* mesh, KxCDecal* d, bool trick, const std::array<int, 4>& vp, KxCScratch& s)
{
    auto& vflags = mesh->Vertex_Flags();
    auto& fflags = mesh->Face_Flags();
    const auto& points = mesh->get_VPoint_Prop();
    auto pos = [&](int m) -> const Vec3d& {
        return mesh->property(points, mesh->vertex_handle(static_cast<unsigned int>(m)));
    };

    // 5. Reset.
    d->Parameterize_Init();
    const int centre = d->VertexIdx();
    if (centre < 0 || centre >= static_cast<int>(mesh->n_vertices())) return; // no such vertex: no patch
    const double R = d->Radius();
    const Vec3d c = pos(centre);
    auto& vidx = d->VertexIndices();
    auto& fidx = d->FaceIndices();

    s.Stack.clear();
    s.Touched_Vertices.clear();
    s.Touched_Faces.clear();
    s.Edges.clear();
    s.Weights.clear();
    s.Out.clear();

    // 6. Candidate patch: depth-first walk inside the straight-line ball.
    s.Stack.push_back(centre);
    while (!s.Stack.empty()) {
        const int v = s.Stack.back();
        s.Stack.pop_back();
        s.Local[v] = static_cast<int>(vidx.size());
        vidx.push_back(v);
        s.Touched_Vertices.push_back(v);
        vflags[v] = kInPatch;
        const auto vh = mesh->vertex_handle(static_cast<unsigned int>(v));
        const Vec3d& pv = pos(v);
        // One turn around v over its outgoing halfedges: their end vertices are the neighbours
        // and their faces the faces around v, in the mesh's order (as vv_range and vf_range).
        s.Ring.clear();
        for (auto h : mesh->voh_range(vh)) {
            s.Ring.push_back(h);
            const int w = mesh->to_vertex_handle(h).idx();
            const unsigned char f = vflags[w];
            if (f == kNotSeen) {
                const Vec3d& pw = pos(w);
                if ((pw - c).norm() <= R) {
                    s.Stack.push_back(w);
                    vflags[w] = kOnStack;
                    s.Edges.emplace_back(v, w);
                    s.Weights.push_back((pw - pv).norm());
                } else {
                    vflags[w] = kOutside;
                    s.Touched_Vertices.push_back(w);
                }
            } else if (f == kOnStack) {
                s.Edges.emplace_back(v, w);
                s.Weights.push_back((pos(w) - pv).norm());
            }
        }
        for (const auto h : s.Ring) {
            const auto fh = mesh->face_handle(h);
            if (!fh.is_valid()) continue; // boundary: no face on this side
            const int f = fh.idx();
            if (fflags[f] != kNotSeen) continue;
            // The face's vertices are v (flag 1) and the ends of h and of the next halfedge.
            const bool outside = vflags[mesh->to_vertex_handle(h).idx()] == kOutside ||
                                 vflags[mesh->to_vertex_handle(mesh->next_halfedge_handle(h)).idx()] == kOutside;
            if (outside) {
                fflags[f] = kOutside;
            } else {
                fidx.push_back(f);
                fflags[f] = kInPatch;
            }
            s.Touched_Faces.push_back(f);
        }
    }

    // 7. The patch graph on local indices.
    const std::size_t n = vidx.size();
    Graph g(n);
    for (std::size_t k = 0; k < s.Edges.size(); ++k)
        boost::add_edge(static_cast<Node>(s.Local[s.Edges[k].first]), static_cast<Node>(s.Local[s.Edges[k].second]),
                        s.Weights[k], g);
    auto& params = d->ParameterArray();
    params.assign(n, Vec2d(0.0, 0.0));

    // 8-9. Shortest paths from the centre; the visitor fills the parameters.
    if (trick) Search<KxGEMap::gemap_trick_visitor>(g, mesh, d, s);
    else Search<KxGEMap::gemap_visitor>(g, mesh, d, s);

    // 10. Cut to the geodesic radius.
    for (int m : s.Out) vflags[m] = kOutside;
    if (!s.Out.empty()) {
        std::size_t k = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (vflags[vidx[i]] == kOutside) continue;
            vidx[k] = vidx[i];
            params[k] = params[i];
            ++k;
        }
        vidx.resize(k);
        params.resize(k);
    }

    // 11. Fill the splat.
    const auto& projector = *KxUtils::KxCOGLProjector::InstancePtr();
    auto& verts = d->VertexArray();
    verts.resize(vidx.size());
    Vec2d lo(1e+06, 1e+06), hi(-1e+06, -1e+06);
    double rho = -1e+06;
    for (std::size_t i = 0; i < vidx.size(); ++i) {
        s.Local[vidx[i]] = static_cast<int>(i);
        const Vec3d& p = pos(vidx[i]);
        verts[i] = p;
        double w[3] = {0.0, 0.0, 0.0};
        projector.Project(p[0], p[1], p[2], w);
        lo[0] = std::min(lo[0], w[0]);
        lo[1] = std::min(lo[1], w[1]);
        hi[0] = std::max(hi[0], w[0]);
        hi[1] = std::max(hi[1], w[1]);
        rho = std::max(rho, params[i].norm());
    }
    const double x0 = vp[0], y0 = vp[1], x1 = vp[0] + vp[2] - 1, y1 = vp[1] + vp[3] - 1;
    auto clamp_px = [](double v, double a, double b) { return std::trunc(std::max(a, std::min(b, v))); };
    d->Rectangle().Create(Vec2d(clamp_px(lo[0], x0, x1), clamp_px(lo[1], y0, y1)),
                          Vec2d(clamp_px(hi[0], x0, x1), clamp_px(hi[1], y0, y1)));

    // A patch whose parameters all vanish (the centre alone) has no extent to fit: scale 1.
    double scale = std::sqrt(2.0) / (2.0 * rho);
    if (!(rho > 0.0) || !std::isfinite(scale)) scale = 1.0;
    d->Scale() = scale;
    auto& tex = d->TexCoordArray();
    tex.resize(params.size());
    const Vec2d half(0.5, 0.5);
    for (std::size_t i = 0; i < params.size(); ++i) {
        params[i] *= scale;
        tex[i] = params[i] + half;
    }

    s.Faces.swap(fidx);
    fidx.clear();
    auto& tris = d->FaceArray();
    for (int f : s.Faces) {
        const auto fh = mesh->face_handle(static_cast<unsigned int>(f));
        bool outside = false;
        for (auto u : mesh->fv_range(fh))
            if (vflags[u.idx()] == kOutside) outside = true;
        if (outside) continue;
        fidx.push_back(f);
        for (auto u : mesh->fv_range(fh)) tris.push_back(static_cast<unsigned int>(s.Local[u.idx()]));
    }

    // 12. Every touched flag back to 0.
    for (int v : s.Touched_Vertices) vflags[v] = kNotSeen;
    for (int f : s.Touched_Faces) fflags[f] = kNotSeen;
}

} // namespace

bool KxCGEMap::Parameterize(KxCAppMesh* mesh, std::vector<KxCDecal*>& decals, const KxCDecalParam* param)
{
    if (!mesh || decals.empty() || !param) {
        Throw_Debug_Msg("KxCGEMap", "Parameterize", "Invalid inputs");
        return false;
    }
    // Flag arrays of another size than the mesh belong to an older mesh: as good as none.
    if (!mesh->has_Curvature() || !mesh->has_Vertex_Flags() || !mesh->has_Face_Flags() ||
        mesh->Vertex_Flags().size() != mesh->n_vertices() || mesh->Face_Flags().size() != mesh->n_faces()) {
        Throw_Debug_Msg("KxCGEMap", "Parameterize", "No curvature/vertex flags/face flags information");
        return false;
    }
    const std::array<int, 4> vp = KxUtils::KxCOGLProjector::InstancePtr()->Viewport();
    KxCScratch scratch;
    scratch.Local.assign(mesh->n_vertices(), -1);
    for (KxCDecal* d : decals)
        if (d && d->Visible()) Parameterize_One(mesh, d, m_Trick, vp, scratch);
    return true;
}

} // namespace OrvaneImage

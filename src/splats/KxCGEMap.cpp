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

const Vec3d& Pos(KxCAppMesh* mesh, int m)
{
    return mesh->property(mesh->get_VPoint_Prop(), mesh->vertex_handle(static_cast<unsigned int>(m)));
}

/// Expands v: neighbours inside the straight-line ball go on the stack with their edges, the
/// others are marked outside; faces around v join the patch unless a vertex is outside.
void Expand(KxCAppMesh* mesh, KxCDecal* d, int v, const Vec3d& c, KxCScratch& s)
{
    auto& vflags = mesh->Vertex_Flags();
    auto& fflags = mesh->Face_Flags();
    s.Local[v] = static_cast<int>(d->VertexIndices().size());
    d->VertexIndices().push_back(v);
    s.Touched_Vertices.push_back(v);
    vflags[v] = kInPatch;
    const Vec3d& pv = Pos(mesh, v);
    // One turn around v over its outgoing halfedges: their end vertices are the neighbours
    // and their faces the faces around v, in the mesh's order (as vv_range and vf_range).
    s.Ring.clear();
    for (auto h : mesh->voh_range(mesh->vertex_handle(static_cast<unsigned int>(v)))) {
        s.Ring.push_back(h);
        const int w = mesh->to_vertex_handle(h).idx();
        const unsigned char f = vflags[w];
        if (f == kNotSeen) {
            const Vec3d& pw = Pos(mesh, w);
            if ((pw - c).norm() <= d->Radius()) {
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
            s.Weights.push_back((Pos(mesh, w) - pv).norm());
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
            d->FaceIndices().push_back(f);
            fflags[f] = kInPatch;
        }
        s.Touched_Faces.push_back(f);
    }
}

/// The candidate patch: a depth-first walk from the centre inside the straight-line ball.
void Collect_Patch(KxCAppMesh* mesh, KxCDecal* d, KxCScratch& s)
{
    s.Stack.clear();
    s.Touched_Vertices.clear();
    s.Touched_Faces.clear();
    s.Edges.clear();
    s.Weights.clear();
    s.Out.clear();
    const Vec3d c = Pos(mesh, d->VertexIdx());
    s.Stack.push_back(d->VertexIdx());
    while (!s.Stack.empty()) {
        const int v = s.Stack.back();
        s.Stack.pop_back();
        Expand(mesh, d, v, c, s);
    }
}

/// The parameters of the patch vertices: shortest paths from the centre over the patch graph.
void Solve_Parameters(KxCAppMesh* mesh, KxCDecal* d, bool trick, KxCScratch& s)
{
    const std::size_t n = d->VertexIndices().size();
    Graph g(n);
    for (std::size_t k = 0; k < s.Edges.size(); ++k)
        boost::add_edge(static_cast<Node>(s.Local[s.Edges[k].first]), static_cast<Node>(s.Local[s.Edges[k].second]),
                        s.Weights[k], g);
    d->ParameterArray().assign(n, Vec2d(0.0, 0.0));
    if (trick) Search<KxGEMap::gemap_trick_visitor>(g, mesh, d, s);
    else Search<KxGEMap::gemap_visitor>(g, mesh, d, s);
}

/// Drops the vertices found beyond the radius along the surface, keeping the others' order.
void Cut_To_Radius(KxCAppMesh* mesh, KxCDecal* d, KxCScratch& s)
{
    auto& vflags = mesh->Vertex_Flags();
    for (int m : s.Out) vflags[m] = kOutside;
    if (s.Out.empty()) return;
    auto& vidx = d->VertexIndices();
    auto& params = d->ParameterArray();
    std::size_t k = 0;
    for (std::size_t i = 0; i < vidx.size(); ++i) {
        if (vflags[vidx[i]] == kOutside) continue;
        vidx[k] = vidx[i];
        params[k] = params[i];
        ++k;
    }
    vidx.resize(k);
    params.resize(k);
}

/// Positions, the window rectangle clamped to the viewport vp, and the largest parameter length.
double Fill_Positions(KxCAppMesh* mesh, KxCDecal* d, const std::array<int, 4>& vp, KxCScratch& s)
{
    const auto& projector = *KxUtils::KxCOGLProjector::InstancePtr();
    const auto& vidx = d->VertexIndices();
    auto& verts = d->VertexArray();
    verts.resize(vidx.size());
    Vec2d lo(1e+06, 1e+06), hi(-1e+06, -1e+06);
    double rho = -1e+06;
    for (std::size_t i = 0; i < vidx.size(); ++i) {
        s.Local[vidx[i]] = static_cast<int>(i);
        const Vec3d& p = Pos(mesh, vidx[i]);
        verts[i] = p;
        double w[3] = {0.0, 0.0, 0.0};
        projector.Project(p[0], p[1], p[2], w);
        lo[0] = std::min(lo[0], w[0]);
        lo[1] = std::min(lo[1], w[1]);
        hi[0] = std::max(hi[0], w[0]);
        hi[1] = std::max(hi[1], w[1]);
        rho = std::max(rho, d->ParameterArray()[i].norm());
    }
    const double x0 = vp[0], y0 = vp[1], x1 = vp[0] + vp[2] - 1, y1 = vp[1] + vp[3] - 1;
    auto clamp_px = [](double v, double a, double b) { return std::trunc(std::max(a, std::min(b, v))); };
    d->Rectangle().Create(Vec2d(clamp_px(lo[0], x0, x1), clamp_px(lo[1], y0, y1)),
                          Vec2d(clamp_px(hi[0], x0, x1), clamp_px(hi[1], y0, y1)));
    return rho;
}

/// Scales the parameters so the farthest vertex lies sqrt(2)/2 from the centre and shifts
/// them into texture coordinates.
void Fill_Texture_Coordinates(KxCDecal* d, double rho)
{
    // A patch whose parameters all vanish (the centre alone) has no extent to fit: scale 1.
    double scale = std::sqrt(2.0) / (2.0 * rho);
    if (!(rho > 0.0) || !std::isfinite(scale)) scale = 1.0;
    d->Scale() = scale;
    auto& params = d->ParameterArray();
    auto& tex = d->TexCoordArray();
    tex.resize(params.size());
    const Vec2d half(0.5, 0.5);
    for (std::size_t i = 0; i < params.size(); ++i) {
        params[i] *= scale;
        tex[i] = params[i] + half;
    }
}

/// Keeps the collected faces whose three vertices remain and lists their local indices.
void Fill_Faces(KxCAppMesh* mesh, KxCDecal* d, KxCScratch& s)
{
    const auto& vflags = mesh->Vertex_Flags();
    auto& fidx = d->FaceIndices();
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
}

/// Patch, parameters, rectangle, scale and texture coordinates of one visible splat; every
/// flag it touched is 0 again afterwards.
void Parameterize_One(KxCAppMesh* mesh, KxCDecal* d, bool trick, const std::array<int, 4>& vp, KxCScratch& s)
{
    d->Parameterize_Init();
    if (d->VertexIdx() < 0 || d->VertexIdx() >= static_cast<int>(mesh->n_vertices())) return; // no patch
    Collect_Patch(mesh, d, s);
    Solve_Parameters(mesh, d, trick, s);
    Cut_To_Radius(mesh, d, s);
    Fill_Texture_Coordinates(d, Fill_Positions(mesh, d, vp, s));
    Fill_Faces(mesh, d, s);
    for (int v : s.Touched_Vertices) mesh->Vertex_Flags()[v] = kNotSeen;
    for (int f : s.Touched_Faces) mesh->Face_Flags()[f] = kNotSeen;
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

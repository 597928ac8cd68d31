// Geodesic patch parameterization (KxCGEMap): patch collection, geodesic cut,
// exponential-map coordinates, scale and texture coordinates, rectangle,
// scratch flags, frame transports, failures and degenerate patches.
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <queue>
#include <set>
#include <string>
#include <vector>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCDecalParam.h"
#include "render/KxCOGLProjector.h"
#include "splats/KxCDecalCntr.h"
#include "splats/KxCGEMap.h"
#include "test_support.h"

using OrvaneImage::KxCAppMesh;
using OrvaneImage::KxCDecal;
using OrvaneImage::KxCDecalCntr;
using OrvaneImage::KxCDecalParam;
using OrvaneImage::KxCGEMap;
using Vec2d = OpenMesh::Vec2d;
using Vec3d = OpenMesh::Vec3d;

namespace {

constexpr int kView = 64;
const double kHalfDiag = std::sqrt(2.0) / 2.0;


/// Shortest edge-path distances from src over the whole mesh.
std::vector<double> Graph_Distances(KxCAppMesh& m, int src)
{
    std::vector<double> dist(m.n_vertices(), std::numeric_limits<double>::infinity());
    using Item = std::pair<double, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> q;
    dist[src] = 0.0;
    q.emplace(0.0, src);
    while (!q.empty()) {
        const auto [d, v] = q.top();
        q.pop();
        if (d > dist[v]) continue;
        const auto vh = m.vertex_handle(v);
        for (auto w : m.vv_range(vh)) {
            const double nd = d + (m.point(w) - m.point(vh)).norm();
            if (nd < dist[w.idx()]) {
                dist[w.idx()] = nd;
                q.emplace(nd, w.idx());
            }
        }
    }
    return dist;
}

bool All_Finite(KxCDecal& d)
{
    auto ok = [](double x) { return std::isfinite(x); };
    if (!ok(d.Scale())) return false;
    for (const auto& p : d.ParameterArray())
        if (!ok(p[0]) || !ok(p[1])) return false;
    for (const auto& p : d.TexCoordArray())
        if (!ok(p[0]) || !ok(p[1])) return false;
    for (const auto& p : d.VertexArray())
        if (!ok(p[0]) || !ok(p[1]) || !ok(p[2])) return false;
    for (const auto& c : d.Rectangle().Corners())
        if (!ok(c[0]) || !ok(c[1])) return false;
    return true;
}

/// The invariants of a parameterized splat.
void Expect_Invariants(KxCAppMesh& m, KxCDecal& d)
{
    const std::size_t n = d.VertexIndices().size();
    ASSERT_GE(n, 1u);
    EXPECT_EQ(d.VertexIndices()[0], d.VertexIdx());
    EXPECT_EQ(d.VertexArray().size(), n);
    EXPECT_EQ(d.ParameterArray().size(), n);
    EXPECT_EQ(d.TexCoordArray().size(), n);
    ASSERT_EQ(d.FaceArray().size(), 3 * d.FaceIndices().size());
    for (unsigned int i : d.FaceArray()) EXPECT_LT(i, n);
    EXPECT_TRUE(All_Finite(d));
    for (std::size_t i = 0; i < n; ++i) {
        EXPECT_EQ(d.VertexArray()[i], m.point(m.vertex_handle(d.VertexIndices()[i])));
        EXPECT_LE(d.ParameterArray()[i].norm(), kHalfDiag + 1e-12);
        const Vec2d t = d.TexCoordArray()[i] - Vec2d(0.5, 0.5);
        EXPECT_NEAR(t[0], d.ParameterArray()[i][0], 1e-15);
        EXPECT_NEAR(t[1], d.ParameterArray()[i][1], 1e-15);
    }
    // Each triangle names the mesh face's vertices, in face order.
    for (std::size_t k = 0; k < d.FaceIndices().size(); ++k) {
        int j = 0;
        for (auto v : m.fv_range(m.face_handle(d.FaceIndices()[k])))
            EXPECT_EQ(d.VertexIndices()[d.FaceArray()[3 * k + j++]], v.idx());
    }
}

void Expect_Flags_Clear(KxCAppMesh& m)
{
    EXPECT_EQ(std::count(m.Vertex_Flags().begin(), m.Vertex_Flags().end(), 0),
              static_cast<std::ptrdiff_t>(m.n_vertices()));
    EXPECT_EQ(std::count(m.Face_Flags().begin(), m.Face_Flags().end(), 0), static_cast<std::ptrdiff_t>(m.n_faces()));
}

/// Analysed mesh ready for the parameterizer and a container of splats on it.
class GEMapTest : public ::testing::Test {
protected:
    void Prepare()
    {
        mesh.Request_TangentPlane();
        mesh.Request_Vertex_Flags();
        mesh.Request_Face_Flags();
    }

    /// An 11 x 11 vertex grid of unit squares, seen as [0, 10]^2 in a 64 x 64 view.
    void Grid()
    {
        orvane_test::Make_Flat_Grid(mesh, 10);
        Prepare();
        orvane_test::Capture_Ortho(0, 10, 0, 10, {0, 0, kView, kView});
    }

    static int Grid_Vertex(int x, int y) { return y * 11 + x; }

    KxCDecal* Add(int vertex, double radius, bool visible = true)
    {
        auto* d = new KxCDecal;
        d->VertexIdx() = vertex;
        d->Radius() = d->Radius2() = radius;
        d->Point3D() = mesh.point(mesh.vertex_handle(vertex));
        d->Visible() = visible;
        cntr.Decals().push_back(d);
        return d;
    }

    bool Run(bool trick = true)
    {
        gemap.Trick() = trick;
        return gemap.Parameterize(&mesh, &cntr, &param);
    }

    Vec3d Pos(int v) { return mesh.point(mesh.vertex_handle(v)); }
    KxCAppMesh::KxCCurv& Frame(int v) { return mesh.property(mesh.get_VCurv_Prop(), mesh.vertex_handle(v)); }

    /// Parameter before scaling of patch vertex i.
    static Vec2d Unscaled(KxCDecal& d, std::size_t i) { return d.ParameterArray()[i] / d.Scale(); }

    KxCAppMesh mesh;
    KxCDecalCntr cntr;
    KxCDecalParam param;
    KxCGEMap gemap; // a private instance: Trick is the only state
};

TEST_F(GEMapTest, FlatGridPatchIsTheEdgePathBallWithPlanarCoordinates)
{
    Grid();
    const int c = Grid_Vertex(5, 5);
    KxCDecal* d = Add(c, 2.5);
    ASSERT_TRUE(Run(true));
    Expect_Invariants(mesh, *d);
    Expect_Flags_Clear(mesh);

    // Exactly the vertices within 2.5 along grid edges (diagonals included).
    const auto dist = Graph_Distances(mesh, c);
    std::set<int> expected;
    for (int v = 0; v < static_cast<int>(mesh.n_vertices()); ++v)
        if (dist[v] <= 2.5) expected.insert(v);
    const std::set<int> got(d->VertexIndices().begin(), d->VertexIndices().end());
    EXPECT_EQ(got, expected);
    EXPECT_EQ(got.size(), d->VertexIndices().size()); // no duplicates
    EXPECT_TRUE(got.count(Grid_Vertex(7, 6)));        // sqrt(2) + 1 = 2.41 along edges
    EXPECT_FALSE(got.count(Grid_Vertex(7, 7)));       // 2 sqrt(2) = 2.83 along edges
    EXPECT_FALSE(got.count(Grid_Vertex(3, 3)));       // 4 along edges, 2.83 straight

    // Exactly the faces whose three vertices are in the patch.
    std::set<int> faces;
    for (auto f : mesh.faces()) {
        bool all = true;
        for (auto v : mesh.fv_range(f)) all = all && expected.count(v.idx());
        if (all) faces.insert(f.idx());
    }
    EXPECT_EQ(std::set<int>(d->FaceIndices().begin(), d->FaceIndices().end()), faces);

    // Parameters before scaling: planar offsets in the centre frame.
    const Vec3d t1 = Frame(c).Vect1(), t2 = Frame(c).Vect2();
    double rho = 0;
    for (std::size_t i = 0; i < d->VertexIndices().size(); ++i) {
        const Vec3d off = Pos(d->VertexIndices()[i]) - Pos(c);
        const Vec2d u = Unscaled(*d, i);
        EXPECT_NEAR(u[0], OpenMesh::dot(off, t1), 1e-12) << "vertex " << d->VertexIndices()[i];
        EXPECT_NEAR(u[1], OpenMesh::dot(off, t2), 1e-12) << "vertex " << d->VertexIndices()[i];
        rho = std::max(rho, off.norm());
    }
    EXPECT_NEAR(d->Scale(), kHalfDiag / rho, 1e-12);

    // Centre at the origin and the texture centre; the farthest vertex at sqrt(2)/2.
    EXPECT_EQ(d->ParameterArray()[0], Vec2d(0, 0));
    EXPECT_EQ(d->TexCoordArray()[0], Vec2d(0.5, 0.5));
    double far = 0;
    for (const auto& p : d->ParameterArray()) far = std::max(far, p.norm());
    EXPECT_NEAR(far, kHalfDiag, 1e-12);

    // The rectangle spans the projected patch in whole pixels: x, y in 2.5 ... 7.5 of [0, 10].
    const auto& r = d->Rectangle().Corners();
    EXPECT_EQ(r[0], Vec2d(std::trunc(3 * 6.4), std::trunc(3 * 6.4))); // (3, 3) and its mirror are at 2 along edges
    EXPECT_EQ(r[2], Vec2d(std::trunc(7 * 6.4), std::trunc(7 * 6.4)));
}

TEST_F(GEMapTest, RhoTwoGivesScaleQuarterRootTwo)
{
    Grid();
    const int c = Grid_Vertex(5, 5);
    Frame(c).Vect1() = Vec3d(1, 0, 0);
    Frame(c).Vect2() = Vec3d(0, 1, 0);
    KxCDecal* d = Add(c, 2.0);
    ASSERT_TRUE(Run(true));
    Expect_Invariants(mesh, *d);
    EXPECT_NEAR(d->Scale(), 0.353553, 5e-7);
    const auto& vi = d->VertexIndices();
    struct Case {
        int x, y;
        Vec2d unscaled, tex;
    };
    const Case cases[] = {
        {7, 5, {2, 0}, {1.207107, 0.5}},
        {5, 7, {0, 2}, {0.5, 1.207107}},
        {3, 5, {-2, 0}, {-0.207107, 0.5}},
        {6, 4, {1, -1}, {0.853553, 0.146447}},
    };
    for (const Case& k : cases) {
        const auto it = std::find(vi.begin(), vi.end(), Grid_Vertex(k.x, k.y));
        ASSERT_NE(it, vi.end()) << k.x << "," << k.y;
        const std::size_t i = it - vi.begin();
        for (int a = 0; a < 2; ++a) {
            EXPECT_NEAR(Unscaled(*d, i)[a], k.unscaled[a], 1e-12) << k.x << "," << k.y;
            EXPECT_NEAR(d->TexCoordArray()[i][a], k.tex[a], 5e-7) << k.x << "," << k.y;
        }
    }
    EXPECT_EQ(std::count(vi.begin(), vi.end(), Grid_Vertex(6, 6)), 1); // sqrt(2) along the diagonal
    EXPECT_EQ(std::count(vi.begin(), vi.end(), Grid_Vertex(4, 6)), 1); // 2 along edges, sqrt(2) straight
}

/// Two parallel sheets 0.25 apart joined along x = 3 (a hairpin fold), extruded along z.
void Make_Hairpin(KxCAppMesh& m)
{
    const double profile[8][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 0.25}, {2, 0.25}, {1, 0.25}, {0, 0.25}};
    std::vector<Vec3d> p;
    std::vector<std::vector<int>> f;
    for (int z = 0; z <= 4; ++z)
        for (const auto& q : profile) p.emplace_back(q[0], q[1], z);
    for (int z = 0; z < 4; ++z)
        for (int i = 0; i < 7; ++i) {
            const int a = z * 8 + i, b = a + 1, c = a + 9, d = a + 8;
            f.push_back({a, b, c});
            f.push_back({a, c, d});
        }
    orvane_test::Fill_Mesh(m, p, f);
}

TEST_F(GEMapTest, VertexAcrossAFoldIsCutThoughInsideTheBall)
{
    Make_Hairpin(mesh);
    Prepare();
    orvane_test::Capture_Ortho(-1, 5, -1, 5, {0, 0, kView, kView});
    const int c = 2 * 8 + 5;     // (2, 0.25, 2) on the upper sheet
    const int below = 2 * 8 + 2; // (2, 0, 2): 0.25 away in a straight line, 2.25 along the surface
    ASSERT_NEAR((Pos(below) - Pos(c)).norm(), 0.25, 1e-12);
    KxCDecal* d = Add(c, 1.5);
    ASSERT_TRUE(Run(true));
    Expect_Invariants(mesh, *d);
    Expect_Flags_Clear(mesh);
    const auto& vi = d->VertexIndices();
    EXPECT_EQ(std::count(vi.begin(), vi.end(), below), 0);
    EXPECT_EQ(std::count(vi.begin(), vi.end(), 2 * 8 + 4), 1); // (3, 0.25, 2) on the fold, 1 away
    EXPECT_EQ(std::count(vi.begin(), vi.end(), 2 * 8 + 3), 1); // (3, 0, 2), 1.25 along the surface
    for (int v : vi)
        if (Pos(v)[1] == 0.0) {
            EXPECT_EQ(Pos(v)[0], 3.0) << "lower sheet vertex " << v << " away from the fold";
        }
    // No kept face touches the lower sheet away from the fold.
    for (int f : d->FaceIndices())
        for (auto v : mesh.fv_range(mesh.face_handle(f))) EXPECT_NE(v.idx(), below);
}

TEST_F(GEMapTest, InvisibleSplatKeepsItsArrays)
{
    Grid();
    KxCDecal* hidden = Add(Grid_Vertex(2, 2), 2.5, false);
    hidden->VertexIndices() = {1, 2, 3};
    hidden->FaceIndices() = {4};
    hidden->VertexArray() = {Vec3d(1, 2, 3)};
    hidden->FaceArray() = {0, 0, 0};
    hidden->ParameterArray() = {Vec2d(0.25, 0.5)};
    hidden->TexCoordArray() = {Vec2d(0.75, 1.0)};
    hidden->Rectangle().Create(Vec2d(1, 2), Vec2d(5, 9));
    hidden->Scale() = 7.0;
    KxCDecal* shown = Add(Grid_Vertex(5, 5), 2.5);
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(hidden->VertexIndices(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(hidden->FaceIndices(), std::vector<int>{4});
    EXPECT_EQ(hidden->VertexArray(), std::vector<Vec3d>{Vec3d(1, 2, 3)});
    EXPECT_EQ(hidden->FaceArray(), (std::vector<unsigned int>{0, 0, 0}));
    EXPECT_EQ(hidden->ParameterArray(), std::vector<Vec2d>{Vec2d(0.25, 0.5)});
    EXPECT_EQ(hidden->TexCoordArray(), std::vector<Vec2d>{Vec2d(0.75, 1.0)});
    EXPECT_EQ(hidden->Rectangle().Corners()[0], Vec2d(1, 2));
    EXPECT_EQ(hidden->Rectangle().Corners()[2], Vec2d(5, 9));
    EXPECT_EQ(hidden->Scale(), 7.0);
    EXPECT_TRUE(shown->is_Patch_Ready());
    Expect_Flags_Clear(mesh);
}

TEST_F(GEMapTest, RectangleIsClampedToTheViewport)
{
    Grid();
    struct Case {
        const char* name;
        double x0, x1, y0, y1;     // the part of the grid plane the view shows
        std::array<int, 4> viewport;
        Vec2d lo, hi;              // expected rectangle corners 0 and 2
    };
    // Patch around (5, 5) with radius 2.5 spans 3 ... 7 in x and y.
    const Case cases[] = {
        {"inside", 0, 10, 0, 10, {0, 0, 64, 64}, {19, 19}, {44, 44}},
        {"larger than the view", 4, 6, 4, 6, {10, 20, 64, 48}, {10, 20}, {73, 67}},
        {"off the lower left", 4, 14, 4, 14, {10, 20, 64, 64}, {10, 20}, {10 + 19, 20 + 19}},
        {"off the upper right", -4, 6, -4, 6, {10, 20, 64, 64}, {10 + 44, 20 + 44}, {73, 83}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        cntr.Clear();
        orvane_test::Capture_Ortho(k.x0, k.x1, k.y0, k.y1, k.viewport);
        KxCDecal* d = Add(Grid_Vertex(5, 5), 2.5);
        ASSERT_TRUE(Run(true));
        EXPECT_EQ(d->Rectangle().Corners()[0], k.lo);
        EXPECT_EQ(d->Rectangle().Corners()[2], k.hi);
    }
}

/// Gives every vertex a right-handed frame (Vect2 = N x Vect1) turned by its own angle.
void Turn_Frames(KxCAppMesh& m)
{
    for (auto v : m.vertices()) {
        const double a = 0.37 * v.idx() + 0.1;
        const Vec3d n = m.normal(v);
        auto& f = m.property(m.get_VCurv_Prop(), v);
        f.Vect1() = Vec3d(std::cos(a), std::sin(a), 0);
        f.Vect2() = OpenMesh::cross(n, f.Vect1());
    }
}

TEST_F(GEMapTest, TrickReadsTheStoredFrameAtTheCentreOnly)
{
    Grid();
    const int c = Grid_Vertex(5, 5);
    KxCDecal* d = Add(c, 2.5);
    ASSERT_TRUE(Run(true));
    const auto reference = d->ParameterArray();
    const auto indices = d->VertexIndices();

    // Trick set: frames away from the centre make no difference.
    for (auto v : mesh.vertices())
        if (v.idx() != c) {
            mesh.property(mesh.get_VCurv_Prop(), v).Vect1() = Vec3d(0, 1, 0);
            mesh.property(mesh.get_VCurv_Prop(), v).Vect2() = Vec3d(-1, 0, 0);
        }
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(d->VertexIndices(), indices);
    EXPECT_EQ(d->ParameterArray(), reference);

    // Trick clear: the predecessor frames are read; turned right-handed frames are undone.
    Turn_Frames(mesh);
    const Vec3d t1 = Frame(c).Vect1(), t2 = Frame(c).Vect2();
    ASSERT_TRUE(Run(false));
    Expect_Invariants(mesh, *d);
    Expect_Flags_Clear(mesh);
    EXPECT_EQ(d->VertexIndices(), indices);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const Vec3d off = Pos(indices[i]) - Pos(c);
        EXPECT_NEAR(Unscaled(*d, i)[0], OpenMesh::dot(off, t1), 1e-9) << "vertex " << indices[i];
        EXPECT_NEAR(Unscaled(*d, i)[1], OpenMesh::dot(off, t2), 1e-9) << "vertex " << indices[i];
    }

    // ... and a frame at a predecessor that disagrees with its neighbours changes the result.
    const auto clear_result = d->ParameterArray();
    const int p = Grid_Vertex(6, 5); // predecessor of (7, 5)
    Frame(p).Vect1() = -Frame(p).Vect1();
    ASSERT_TRUE(Run(false));
    EXPECT_NE(d->ParameterArray(), clear_result);
    ASSERT_TRUE(Run(true)); // Trick set again: the centre frame alone counts
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const Vec3d off = Pos(indices[i]) - Pos(c);
        EXPECT_NEAR(Unscaled(*d, i)[0], OpenMesh::dot(off, t1), 1e-12);
        EXPECT_NEAR(Unscaled(*d, i)[1], OpenMesh::dot(off, t2), 1e-12);
    }
}

TEST_F(GEMapTest, FailuresReportAndChangeNothing)
{
    Grid();
    KxCDecal* d = Add(Grid_Vertex(5, 5), 2.5);
    d->ParameterArray() = {Vec2d(9, 9)};
    KxCDecalCntr empty;
    std::vector<KxCDecal*> none;
    KxCAppMesh bare; // no curvature, no flags
    orvane_test::Make_Flat_Grid(bare, 2);
    KxCAppMesh no_vflags, no_fflags, no_curv;
    for (KxCAppMesh* m : {&no_vflags, &no_fflags, &no_curv}) {
        orvane_test::Make_Flat_Grid(*m, 2);
        m->Request_TangentPlane();
        m->Request_Vertex_Flags();
        m->Request_Face_Flags();
    }
    no_vflags.Release_Vertex_Flags();
    no_fflags.Release_Face_Flags();
    no_curv.Release_Curvature();
    KxCDecalCntr one;
    one.Decals().push_back(new KxCDecal);

    const std::string entry = "KxCParameterizer::Parameterize: Invalid inputs\n";
    const std::string invalid = "KxCGEMap::Parameterize: Invalid inputs\n";
    const std::string info = "KxCGEMap::Parameterize: No curvature/vertex flags/face flags information\n";
    struct Case {
        const char* name;
        std::function<bool()> call;
        std::string message;
    };
    const Case cases[] = {
        {"entry without mesh", [&] { return gemap.Parameterize(nullptr, &cntr, &param); }, entry},
        {"entry without container",
         [&] { return gemap.Parameterize(&mesh, static_cast<KxCDecalCntr*>(nullptr), &param); }, entry},
        {"entry without parameters", [&] { return gemap.Parameterize(&mesh, &cntr, nullptr); }, entry},
        {"entry with an empty container", [&] { return gemap.Parameterize(&mesh, &empty, &param); }, invalid},
        {"no mesh", [&] { return gemap.Parameterize(nullptr, cntr.Decals(), &param); }, invalid},
        {"no splats", [&] { return gemap.Parameterize(&mesh, none, &param); }, invalid},
        {"no parameters", [&] { return gemap.Parameterize(&mesh, cntr.Decals(), nullptr); }, invalid},
        {"bare mesh", [&] { return gemap.Parameterize(&bare, &one, &param); }, info},
        {"no vertex flags", [&] { return gemap.Parameterize(&no_vflags, &one, &param); }, info},
        {"no face flags", [&] { return gemap.Parameterize(&no_fflags, &one, &param); }, info},
        {"no curvature", [&] { return gemap.Parameterize(&no_curv, &one, &param); }, info},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        testing::internal::CaptureStderr();
        const bool ok = k.call();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), k.message);
        EXPECT_FALSE(ok);
        EXPECT_EQ(d->ParameterArray(), std::vector<Vec2d>{Vec2d(9, 9)});
        EXPECT_TRUE(one.Decals()[0]->VertexIndices().empty());
    }

    // Flag arrays left over from another mesh count as missing.
    mesh.Vertex_Flags().push_back(0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), info);
}

TEST_F(GEMapTest, DegeneratePatchesStayFinite)
{
    Grid();
    // The centre alone: radius below the shortest edge.
    KxCDecal* lone = Add(Grid_Vertex(5, 5), 0.5);
    // An edge along the normal at its start: (6, 2) -> (7, 2) with the normal at (6, 2) along +x.
    KxCDecal* along = Add(Grid_Vertex(5, 2), 2.0);
    mesh.property(mesh.get_VNormal_Prop(), mesh.vertex_handle(Grid_Vertex(6, 2))) = Vec3d(1, 0, 0);
    // A splat on a vertex that does not exist is left without a patch.
    KxCDecal* nowhere = Add(0, 1.0);
    nowhere->VertexIdx() = 9999;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    EXPECT_EQ(lone->VertexIndices(), std::vector<int>{Grid_Vertex(5, 5)});
    EXPECT_EQ(lone->ParameterArray(), std::vector<Vec2d>{Vec2d(0, 0)});
    EXPECT_EQ(lone->TexCoordArray(), std::vector<Vec2d>{Vec2d(0.5, 0.5)});
    EXPECT_EQ(lone->Scale(), 1.0);
    EXPECT_TRUE(lone->FaceArray().empty());
    EXPECT_FALSE(lone->is_Patch_Ready());
    EXPECT_TRUE(All_Finite(*lone));

    Expect_Invariants(mesh, *along);
    const auto& vi = along->VertexIndices();
    const std::size_t p = std::find(vi.begin(), vi.end(), Grid_Vertex(6, 2)) - vi.begin();
    const std::size_t u = std::find(vi.begin(), vi.end(), Grid_Vertex(7, 2)) - vi.begin();
    ASSERT_LT(u, vi.size());
    EXPECT_EQ(along->ParameterArray()[u], along->ParameterArray()[p]); // a zero step

    EXPECT_TRUE(nowhere->VertexIndices().empty());
    EXPECT_FALSE(nowhere->is_Patch_Ready());
    Expect_Flags_Clear(mesh);
}

TEST_F(GEMapTest, CosinesJustAboveOneAreClamped)
{
    Grid();
    // Equal frames everywhere, the centre's first direction a rounding error longer than 1:
    // the transport without Trick takes arccos of D1' . T1 > 1.
    for (auto v : mesh.vertices()) {
        auto& f = mesh.property(mesh.get_VCurv_Prop(), v);
        f.Vect1() = Vec3d(1, 0, 0);
        f.Vect2() = Vec3d(0, 1, 0);
    }
    Frame(Grid_Vertex(5, 5)).Vect1() = Vec3d(1 + 4e-16, 0, 0);
    // A normal a rounding error longer than 1 (N0 . Np > 1 for the trick's angle).
    mesh.property(mesh.get_VNormal_Prop(), mesh.vertex_handle(Grid_Vertex(6, 5))) = Vec3d(0, 0, 1 + 4e-16);
    for (const bool trick : {false, true}) {
        SCOPED_TRACE(trick ? "trick" : "no trick");
        cntr.Clear();
        KxCDecal* d = Add(Grid_Vertex(5, 5), 2.5);
        ASSERT_TRUE(Run(trick));
        Expect_Invariants(mesh, *d);
        for (std::size_t i = 0; i < d->VertexIndices().size(); ++i) {
            const Vec3d off = Pos(d->VertexIndices()[i]) - Pos(Grid_Vertex(5, 5));
            EXPECT_NEAR(Unscaled(*d, i)[0], off[0], 1e-9);
            EXPECT_NEAR(Unscaled(*d, i)[1], off[1], 1e-9);
        }
    }
}

TEST_F(GEMapTest, SpherePatchesFollowGreatCircleDistances)
{
    orvane_test::Make_Sphere(mesh, 1.0, 5);
    Prepare();
    orvane_test::Capture_Ortho(-1.5, 1.5, -1.5, 1.5, {0, 0, kView, kView});
    const int centres[] = {0, 100, 5000};
    // Trick set, as the pipeline runs it; then Trick clear, which relates the stored frames
    // correctly when they are right-handed (Vect2 = N x Vect1).
    for (const bool trick : {true, false}) {
        if (!trick)
            for (auto v : mesh.vertices()) {
                auto& f = mesh.property(mesh.get_VCurv_Prop(), v);
                f.Vect2() = OpenMesh::cross(mesh.normal(v), f.Vect1());
            }
        for (const double R : {0.3, 0.8, M_PI / 2}) {
            cntr.Clear();
            for (int c : centres) Add(c, R);
            ASSERT_TRUE(Run(trick));
            Expect_Flags_Clear(mesh);
            for (KxCDecal* d : cntr.Decals()) {
                SCOPED_TRACE(std::string(trick ? "trick" : "no trick") + " radius " + std::to_string(R) + " centre " +
                             std::to_string(d->VertexIdx()));
                Expect_Invariants(mesh, *d);
                const Vec3d n0 = Pos(d->VertexIdx()).normalized();
                double worst = 0, covered = 0;
                for (std::size_t i = 0; i < d->VertexIndices().size(); ++i) {
                    const Vec3d p = Pos(d->VertexIndices()[i]).normalized();
                    const double g = std::acos(std::max(-1.0, std::min(1.0, OpenMesh::dot(n0, p))));
                    // Chords are a little shorter than their arcs, so an edge path may undercut
                    // the great circle by a hair, never by more.
                    EXPECT_LE(g, R * (1 + 1e-3));
                    covered = std::max(covered, g);
                    if (i == 0) continue;
                    worst = std::max(worst, std::abs(Unscaled(*d, i).norm() - g) / g);
                }
                EXPECT_LT(worst, 0.03); // about 1.2 % at a quarter of the circumference
                EXPECT_GT(covered, 0.9 * R);
            }
        }
    }
}

TEST_F(GEMapTest, ManySplatsKeepTheInvariants)
{
    orvane_test::Make_Sphere(mesh, 1.0, 3);
    Prepare();
    orvane_test::Capture_Ortho(-1.5, 1.5, -1.5, 1.5, {0, 0, kView, kView});
    for (int v = 0; v < static_cast<int>(mesh.n_vertices()); v += 7) Add(v, 0.05 + 0.02 * (v % 13), v % 5 != 0);
    for (const bool trick : {true, false}) {
        ASSERT_TRUE(Run(trick));
        Expect_Flags_Clear(mesh);
        for (KxCDecal* d : cntr.Decals()) {
            if (!d->Visible()) {
                EXPECT_TRUE(d->VertexIndices().empty());
                continue;
            }
            Expect_Invariants(mesh, *d);
            double far = 0;
            for (const auto& p : d->ParameterArray()) far = std::max(far, p.norm());
            if (d->VertexIndices().size() > 1) {
                EXPECT_NEAR(far, kHalfDiag, 1e-12);
            }
        }
    }
}

} // namespace

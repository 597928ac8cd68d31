// Splat samplers on a sphere seen head-on: the quasi-sampler of still images,
// the random samplers of an animation's first frame and the motion sampler.
#include <set>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCSampleParam.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCOGLProjector.h"
#include "sampling/KxCMotionSampler.h"
#include "sampling/KxCQuasiSampler.h"
#include "sampling/KxCRandomSampler.h"
#include "sampling/KxCRandomSampler2.h"
#include "sampling/KxCStencilMask.h"
#include "splats/KxCDecalCntr.h"
#include "test_support.h"

using namespace OrvaneImage;

namespace {

constexpr int kSize = 256;

/// A sphere of radius 0.5 at the origin on a 256 x 256 panel, seen along -z through an
/// orthographic view of [-1, 1]^2: it covers a disc of radius 64 pixels about (128, 128).
/// The mesh is prepared as a loaded model is, and the mask is made with depth.
class SamplerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = KxOGLPanel::KxCHeadlessPanel::Create(kSize, kSize);
        ASSERT_TRUE(panel) << "a headless OpenGL context is required (Mesa EGL)";
        orvane_test::Capture_Ortho(-1, 1, -1, 1, {0, 0, kSize, kSize});
        Prepare(mesh, {{0, 0, 0}});
        ASSERT_TRUE(mask.Create(&mesh, KxCSampleMask::Mode_Depth));
        // Eye on +z for the silhouette, light from the eye for the shading.
        sparam.Importance().Silhouette().Light().Light_Pos() = {0, 0, 10};
        sparam.Importance().Shading().Light().Light_Vec() = {0, 0, -1};
    }

    static void Prepare(KxCAppMesh& m, const std::vector<OpenMesh::Vec3d>& centres, int levels = 4)
    {
        for (const auto& c : centres) orvane_test::Make_Sphere(m, 0.5, levels, c);
        m.Request_AABB(false);
        m.Preprocess();
        m.Request_KDTree();
        m.Request_TangentPlane();
        m.Request_Vertex_Flags();
        m.Request_Face_Flags();
    }

    /// Runs a sampler on a fresh container and returns the splat count (-1 on failure).
    int Run(KxCSampler* s, KxCDecalCntr& c) { return s->Sample(&mesh, &mask, &c, &sparam, &dparam) ? Count(c) : -1; }
    static int Count(KxCDecalCntr& c) { return static_cast<int>(c.Decals().size()); }

    bool All_Flags_Zero()
    {
        for (auto f : mesh.Vertex_Flags())
            if (f) return false;
        return true;
    }

    std::unique_ptr<KxOGLPanel::KxCHeadlessPanel> panel;
    KxCAppMesh mesh;
    KxCStencilMask mask;
    KxCSampleParam sparam;
    KxCDecalParam dparam;
};

KxCSampler* Quasi() { return KxCQuasiSampler::InstancePtr(); }

} // namespace

TEST_F(SamplerTest, QuasiSamplingIsRepeatableAndGivesEveryVertexAtMostOneSplat)
{
    const orvane_test::FixRand fix(true);
    KxCDecalCntr a, b;
    ASSERT_GT(Run(Quasi(), a), 50);
    ASSERT_EQ(Run(Quasi(), b), Count(a));
    EXPECT_EQ(dparam.Number(), Count(a));
    std::set<int> vertices;
    for (int i = 0; i < Count(a); ++i) {
        KxCDecal& d = *a.Decals()[i];
        EXPECT_EQ(d.VertexIdx(), b.Decals()[i]->VertexIdx());
        EXPECT_EQ(d.Point2D(), b.Decals()[i]->Point2D());
        EXPECT_EQ(d.Radius(), b.Decals()[i]->Radius());
        vertices.insert(d.VertexIdx());
        EXPECT_TRUE(mask.Intersect(d.Point2D()[0], d.Point2D()[1])) << "splat " << i;
        EXPECT_TRUE(d.Visible());
        EXPECT_EQ(d.Radius(), d.Radius2());
        EXPECT_GE(d.Radius(), mesh.Max_VertexEdges()[d.VertexIdx()]);
        // The centre vertex lies on the visible front, near the unprojected sample point.
        EXPECT_GT(d.Point3D()[2], -1e-9); // the rim vertices lie at z = 0
        EXPECT_NEAR(d.Point3D()[0], (d.Point2D()[0] - 128) / 128, 0.05);
    }
    EXPECT_EQ(vertices.size(), a.Decals().size());
    EXPECT_TRUE(All_Flags_Zero());
}

TEST_F(SamplerTest, QuasiSamplerFillsTheSilhouetteBandOfTheMask)
{
    KxCDecalCntr c;
    ASSERT_GE(Run(Quasi(), c), 0);
    const cv::Mat* band = mask.Silho_Image()->Image();
    ASSERT_TRUE(band);
    const cv::Mat& object = *mask.Mask_Image()->Image();
    ASSERT_EQ(band->size(), object.size());
    EXPECT_EQ(cv::countNonZero(*band & (object != 255)), 0); // no band off the object
    // The band holds the pixels within 14 % of the 64-pixel radius from the rim.
    const double ring = M_PI * (64.0 * 64.0 - 55.0 * 55.0);
    EXPECT_NEAR(cv::countNonZero(*band), ring, 0.15 * ring);
    EXPECT_EQ(band->at<unsigned char>(64, 64), 0); // the centre is not in the band
}

TEST_F(SamplerTest, NoImportanceMeansNoSplats)
{
    struct Case {
        const char* name;
        int density;
        bool shading, silhouette;
    } cases[] = {{"density 0", 0, true, true}, {"both fields off", 100, false, false}};
    for (const auto& k : cases) {
        sparam.Importance().set_Density(k.density);
        sparam.Importance().Shading().set_Enabled(k.shading);
        sparam.Importance().Silhouette().set_Enabled(k.silhouette);
        dparam.set_Number(7);
        KxCDecalCntr c;
        EXPECT_EQ(Run(Quasi(), c), 0) << k.name;
        EXPECT_EQ(dparam.Number(), 0) << k.name;
    }
}

TEST_F(SamplerTest, DoublingTheDensityAboutDoublesTheSplats)
{
    // The silhouette band alone, on a finer sphere so vertex collisions stay rare.
    KxCAppMesh fine;
    Prepare(fine, {{0, 0, 0}}, 5);
    sparam.Importance().Shading().set_Enabled(false);
    int counts[2];
    for (int i = 0; i < 2; ++i) {
        sparam.Importance().set_Density(10 * (i + 1));
        KxCDecalCntr c;
        ASSERT_TRUE(Quasi()->Sample(&fine, &mask, &c, &sparam, &dparam));
        counts[i] = Count(c);
        // Without shading the mesh is still drawn into the depth buffer: centres are visible vertices.
        for (KxCDecal* d : c.Decals()) EXPECT_GT(d->Point3D()[2], -1e-9);
    }
    ASSERT_GT(counts[0], 20);
    EXPECT_NEAR(static_cast<double>(counts[1]) / counts[0], 2.0, 0.35);
}

TEST_F(SamplerTest, QuasiSamplerRejectsAnInvalidRectangleAndRestoresTheGLState)
{
    KxCStencilMask empty;
    KxCDecalCntr c;
    GLint attribs = 0, matrices = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribs);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrices);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Quasi()->Sample(&mesh, &empty, &c, &sparam, &dparam));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCQuasiSampler::Sample: Invalid mask rectangle\n");
    EXPECT_TRUE(c.Decals().empty());
    GLint attribs2 = 0, matrices2 = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribs2);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrices2);
    EXPECT_EQ(attribs2, attribs);
    EXPECT_EQ(matrices2, matrices);
}

TEST_F(SamplerTest, EverySamplerRejectsMissingInputs)
{
    struct Case {
        KxCSampler* sampler;
        const char* name;
    } cases[] = {{Quasi(), "KxCQuasiSampler"},
                 {KxCRandomSampler::InstancePtr(), "KxCRandomSampler"},
                 {KxCMotionSampler::InstancePtr(), "KxCMotionSampler"},
                 {KxCRandomSampler2::InstancePtr(), "KxCRandomSampler2"}};
    for (const auto& k : cases) {
        KxCDecalCntr c;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(k.sampler->Sample(&mesh, nullptr, &c, &sparam, &dparam));
        EXPECT_FALSE(k.sampler->Sample(&mesh, &mask, &c, &sparam, nullptr));
        const std::string line = std::string(k.name) + "::Sample: Invalid inputs\n";
        EXPECT_EQ(testing::internal::GetCapturedStderr(), line + line);
        EXPECT_TRUE(c.Decals().empty());
    }
}

TEST_F(SamplerTest, RandomSplatsKeepTheirSpacingAndSeeOnlyTheFront)
{
    const orvane_test::FixRand fix(true);
    KxCDecalCntr c;
    const int n = Run(KxCRandomSampler::InstancePtr(), c);
    const double d_min = sparam.Random().Radius_Ratio() * mesh.Avg_Edge();
    ASSERT_GT(n, 10);
    EXPECT_LE(n, static_cast<int>(mesh.n_vertices() * sparam.Random().Cur_Ratio()));
    EXPECT_EQ(dparam.Number(), n);
    for (int i = 0; i < n; ++i) {
        KxCDecal& d = *c.Decals()[i];
        for (int j = 0; j < i; ++j) EXPECT_GE((d.Point3D() - c.Decals()[j]->Point3D()).norm(), d_min);
        // Hidden splats are kept, marked invisible; the rim is left undecided.
        if (std::abs(d.Point3D()[2]) > 0.1) {
            EXPECT_EQ(d.Visible(), d.Point3D()[2] > 0) << "splat " << i;
        }
        EXPECT_NEAR(d.Point2D()[0], 128 + 128 * d.Point3D()[0], 1e-9);
    }
    KxCDecalCntr again;
    EXPECT_EQ(Run(KxCRandomSampler::InstancePtr(), again), n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(again.Decals()[i]->VertexIdx(), c.Decals()[i]->VertexIdx());
}

TEST_F(SamplerTest, KdTreeSamplerKeepsItsSpacingAndStopsAtTheTarget)
{
    sparam.Random().set_Radius_Ratio(1.0);
    KxCDecalCntr c;
    const int n = Run(KxCRandomSampler2::InstancePtr(), c);
    const double d = mesh.Avg_Edge();
    EXPECT_EQ(n, static_cast<int>(mesh.n_vertices() * sparam.Random().Cur_Ratio()));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            EXPECT_GT((c.Decals()[i]->Point3D() - c.Decals()[j]->Point3D()).norm(), d * (1 - 1e-5));
    EXPECT_TRUE(All_Flags_Zero());
}

TEST_F(SamplerTest, NoRatioMeansNoRandomSplats)
{
    sparam.Random().set_Vertex_Ratio(0.0);
    for (KxCSampler* s : {static_cast<KxCSampler*>(KxCRandomSampler::InstancePtr()),
                          static_cast<KxCSampler*>(KxCRandomSampler2::InstancePtr())}) {
        KxCDecalCntr c;
        EXPECT_EQ(Run(s, c), 0);
        EXPECT_EQ(dparam.Number(), 0);
    }
}

TEST_F(SamplerTest, SplatsProjectingOutsideTheMaskAreInvisible)
{
    // The mask sees only the first sphere; the second projects to the right of its rectangle.
    KxCAppMesh two;
    Prepare(two, {{0, 0, 0}, {0.8, 0, 0}});
    KxCDecalCntr c;
    ASSERT_TRUE(KxCRandomSampler::InstancePtr()->Sample(&two, &mask, &c, &sparam, &dparam));
    int outside = 0;
    for (KxCDecal* d : c.Decals())
        if (d->Point3D()[0] > 0.55) {
            ++outside;
            EXPECT_FALSE(d->Visible());
        }
    EXPECT_GT(outside, 0);
}

TEST_F(SamplerTest, MotionWithRingOneMovesEverySplatToANeighbourOrKeepsIt)
{
    sparam.Random().set_Ring_Size(1);
    KxCDecalCntr c;
    const int n = Run(KxCRandomSampler::InstancePtr(), c);
    ASSERT_GT(n, 10);
    std::vector<int> before;
    for (KxCDecal* d : c.Decals()) before.push_back(d->VertexIdx());
    dparam.set_Number(-5);
    ASSERT_EQ(Run(KxCMotionSampler::InstancePtr(), c), n);
    EXPECT_EQ(dparam.Number(), -5);
    int moved = 0;
    for (int i = 0; i < n; ++i) {
        KxCDecal& d = *c.Decals()[i];
        std::set<int> allowed{before[i]};
        for (auto w : mesh.vv_range(KxCAppMesh::VertexHandle(before[i]))) allowed.insert(w.idx());
        EXPECT_TRUE(allowed.count(d.VertexIdx())) << "splat " << i;
        moved += d.VertexIdx() != before[i];
        orvane_test::Expect_Near(d.Point3D(), mesh.point(KxCAppMesh::VertexHandle(d.VertexIdx())));
    }
    EXPECT_GT(moved, n / 2);
}

TEST(MotionRing, ListsTheVertexThenEachRingInOrder)
{
    KxCAppMesh grid;
    orvane_test::Make_Flat_Grid(grid, 6);
    const int centre = 3 * 7 + 3; // an inner vertex of the 7 x 7 vertex grid
    const auto one = KxCMotionSampler::K_Ring(&grid, centre, 1);
    const auto two = KxCMotionSampler::K_Ring(&grid, centre, 2);
    EXPECT_EQ(one.front(), centre);
    EXPECT_EQ(one.size(), 1 + grid.valence(KxCAppMesh::VertexHandle(centre)));
    ASSERT_GT(two.size(), one.size());
    EXPECT_TRUE(std::equal(one.begin(), one.end(), two.begin()));
    EXPECT_EQ(std::set<int>(two.begin(), two.end()).size(), two.size());
}

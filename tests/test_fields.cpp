// Surface fields of the analysed mesh: shading, silhouette, importance, the
// grey-level display, tangent frames and principal curvatures.
#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCSampleParam.h"
#include "test_support.h"

using OrvaneImage::KxCAppMesh;
using OrvaneImage::KxCShadeParam;
using OrvaneImage::KxCSilhoParam;

namespace {

/// A 3 x 3 grid of vertices whose normals are set by hand so that, lit along -z,
/// vertex i sees the light at the cosine kCos[i].
const std::vector<double> kCos{-0.5, 0.0, 0.33, 0.5, 0.76, 0.9, 1.0};

class FieldsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orvane_test::Make_Flat_Grid(mesh, 2);
        for (std::size_t i = 0; i < mesh.n_vertices(); ++i) {
            const double c = kCos[std::min(i, kCos.size() - 1)];
            mesh.set_normal(mesh.vertex_handle(static_cast<int>(i)), {std::sqrt(1 - c * c), 0, c});
        }
        shade.Light().Light_Vec() = {0, 0, -1};
    }
    double Importance(int i) { return mesh.property(mesh.get_VImptn_Prop(), mesh.vertex_handle(i)); }
    double Importance2(int i) { return mesh.property(mesh.get_VImptn2_Prop(), mesh.vertex_handle(i)); }

    KxCAppMesh mesh;
    KxCShadeParam shade;
    KxCSilhoParam silho;
};

} // namespace

TEST_F(FieldsTest, ShadingLevelsAndRangeBoundaries)
{
    mesh.Request_Shade(&shade);
    ASSERT_TRUE(mesh.has_Shade());
    // Back-facing and grazing vertices are darkest; Dot_Range bounds are inclusive from below.
    const std::vector<double> stepped{1.0, 1.0, 1.0, 0.76, 0.76, 0.43, 0.43};
    for (std::size_t i = 0; i < kCos.size(); ++i) {
        const auto v = mesh.vertex_handle(static_cast<int>(i));
        EXPECT_DOUBLE_EQ(mesh.Shade(v), stepped[i]) << "cos " << kCos[i];
        EXPECT_DOUBLE_EQ(mesh.Shade2(v), kCos[i] < 0 ? 1.0 : 1.0 - kCos[i]) << "cos " << kCos[i];
    }
    // A second request reuses the fields and overwrites them.
    shade.Light().Light_Vec() = {0, 0, 1};
    mesh.Request_Shade(&shade);
    EXPECT_DOUBLE_EQ(mesh.Shade(mesh.vertex_handle(6)), 1.0);
}

TEST_F(FieldsTest, ImportanceIsTheLargestEnabledTerm)
{
    mesh.Request_Shade(&shade);
    mesh.Request_Importance(&silho, &shade);
    for (int i = 0; i < 7; ++i) {
        EXPECT_DOUBLE_EQ(Importance(i), mesh.Shade(mesh.vertex_handle(i)));
        EXPECT_DOUBLE_EQ(Importance2(i), mesh.Shade2(mesh.vertex_handle(i)));
    }
    // A silhouette term of 1 wins over every shading value.
    silho.Light().Light_Pos() = {1000, 0, 0.0};
    mesh.Request_Silhouette(&silho);
    mesh.Request_Importance(&silho, &shade);
    int silhouette = 0;
    for (auto v : mesh.vertices())
        if (mesh.Silhouette(v) == 1.0) {
            ++silhouette;
            EXPECT_EQ(Importance(v.idx()), 1.0);
            EXPECT_EQ(Importance2(v.idx()), 1.0);
        }
    EXPECT_GT(silhouette, 0);
    // Disabled shading and silhouette leave nothing.
    shade.set_Enabled(false);
    silho.set_Enabled(false);
    mesh.Request_Importance(&silho, &shade);
    for (auto v : mesh.vertices()) {
        EXPECT_EQ(Importance(v.idx()), 0.0);
        EXPECT_EQ(OrvaneImage::GetImportanceInv()(mesh, v), 0.0);
        EXPECT_EQ(OrvaneImage::GetImportance()(mesh, v), 1.0);
    }
}

TEST_F(FieldsTest, NullParametersAndAbsentFields)
{
    mesh.Request_Shade(nullptr);
    mesh.Request_Silhouette(nullptr);
    mesh.Request_Importance(&silho, nullptr);
    EXPECT_FALSE(mesh.has_Shade());
    EXPECT_FALSE(mesh.has_Silhouette());
    EXPECT_FALSE(mesh.has_Importance());
    const auto v = mesh.vertex_handle(0);
    EXPECT_EQ(OrvaneImage::GetImportance()(mesh, v), 1.0);
    EXPECT_EQ(OrvaneImage::GetImportanceSmooth()(mesh, v), 1.0);
    EXPECT_EQ(OrvaneImage::GetImportanceInv()(mesh, v), 1.0);
    mesh.Request_Shade(&shade);
    mesh.Request_Importance(&silho, &shade);
    mesh.Release_Shade();
    mesh.Release_Importance();
    EXPECT_FALSE(mesh.has_Shade());
    EXPECT_FALSE(mesh.has_Importance());
}

TEST(SilhouetteField, MarginAroundThePerpendicular)
{
    // Eye far along +z; vertex normals tilted away from the line of sight by known angles.
    KxCAppMesh mesh;
    orvane_test::Make_Flat_Grid(mesh, 1);
    const std::vector<double> cosines{0.0, -0.01, 0.5, 0.6};
    const std::vector<double> expected{1.0, 0.0, 1.0, 0.0}; // cos 55 degrees = 0.5736
    for (int i = 0; i < 4; ++i) {
        const double c = cosines[i];
        mesh.set_normal(mesh.vertex_handle(i), {std::sqrt(1 - c * c), 0, c});
        mesh.point(mesh.vertex_handle(i)) = {0, 0, 0};
    }
    KxCSilhoParam silho;
    silho.Light().Light_Pos() = {0, 0, 100};
    mesh.Request_Silhouette(&silho);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(mesh.Silhouette(mesh.vertex_handle(i)), expected[i]) << "cos " << cosines[i];
}

TEST_F(FieldsTest, GradientStretchesValuesToGreyLevels)
{
    mesh.Request_Shade(&shade);
    mesh.Request_Importance(&silho, &shade);
    mesh.Convert_To_Gradient(OrvaneImage::GetImportanceSmooth());
    // Smooth importance runs from 0 (cos 1) to 1 (back-facing): 1 - importance maps to 255 .. 0.
    EXPECT_EQ(mesh.color(mesh.vertex_handle(0)), KxMesh::KxTriMesh::Color(0, 0, 0));
    EXPECT_EQ(mesh.color(mesh.vertex_handle(6)), KxMesh::KxTriMesh::Color(255, 255, 255));
    EXPECT_EQ(mesh.color(mesh.vertex_handle(3))[0], 127); // 0.5 * 255 truncated

    // The same importance everywhere paints every vertex black.
    shade.Light().Light_Vec() = {0, 0, 1}; // every vertex but the back-facing one unlit
    shade.set_Enabled(false);
    mesh.Request_Importance(&silho, &shade);
    mesh.Convert_To_Gradient(OrvaneImage::GetImportanceInv());
    for (auto v : mesh.vertices()) EXPECT_EQ(mesh.color(v), KxMesh::KxTriMesh::Color(0, 0, 0));
}

TEST(TangentFrame, OrthonormalAndTangentOnASphere)
{
    KxCAppMesh mesh;
    orvane_test::Make_Sphere(mesh, 1.0, 2);
    mesh.add_vertex({3, 0, 0}); // isolated: still gets a frame
    mesh.Request_TangentPlane();
    ASSERT_TRUE(mesh.has_Curvature());
    for (auto v : mesh.vertices()) {
        auto& c = mesh.property(mesh.get_VCurv_Prop(), v);
        const auto n = mesh.normal(v);
        EXPECT_NEAR(c.Vect1().norm(), 1.0, 1e-12);
        EXPECT_NEAR(OpenMesh::dot(c.Vect1(), c.Vect2()), 0.0, 1e-12);
        EXPECT_NEAR(OpenMesh::dot(c.Vect1(), n), 0.0, 1e-12);
        EXPECT_NEAR(OpenMesh::dot(c.Vect2(), n), 0.0, 1e-12);
        if (n.norm() > 0) {
            EXPECT_NEAR(c.Vect2().norm(), 1.0, 1e-12);
        }
    }
}

// Jet fitting over the 2-ring of an icosphere with 642 vertices: within 3 % of 1/r.
TEST(Curvature, SphereHasOneOverRadiusSignedByTheNormal)
{
    for (const bool outward : {true, false}) {
        KxCAppMesh mesh;
        orvane_test::Make_Sphere(mesh, 2.0, 3, {1, 2, 3});
        if (!outward) {
            for (auto v : mesh.vertices()) mesh.set_normal(v, -mesh.normal(v));
        }
        mesh.Request_Curvature();
        const double k = outward ? 0.5 : -0.5;
        for (auto v : mesh.vertices()) {
            auto& c = mesh.property(mesh.get_VCurv_Prop(), v);
            ASSERT_NEAR(c.Curv1(), k, 0.015) << "vertex " << v.idx();
            ASSERT_NEAR(c.Curv2(), k, 0.015) << "vertex " << v.idx();
            EXPECT_GE(c.Curv1(), c.Curv2());
            EXPECT_DOUBLE_EQ(c.MeanCurv(), (c.Curv1() + c.Curv2()) * 0.5);
            EXPECT_DOUBLE_EQ(c.GaussianCurv(), c.Curv1() * c.Curv2());
        }
    }
}

// A radius-1 cylinder of 64 segments: 1 around the axis and 0 along it (within 0.03),
// directions within 3 degrees. Only vertices with a full 2-ring are checked.
TEST(Curvature, CylinderBendsAroundItsAxisOnly)
{
    KxCAppMesh mesh;
    const int segments = 64, rings = 20;
    orvane_test::Make_Cylinder(mesh, 1.0, 2.0, segments, rings);
    mesh.Request_Curvature();
    const KxUtils::Vec3d axis(0, 1, 0);
    for (int j = 2; j <= rings - 2; ++j)
        for (int i = 0; i < segments; ++i) {
            const auto v = mesh.vertex_handle(j * segments + i);
            auto& c = mesh.property(mesh.get_VCurv_Prop(), v);
            ASSERT_NEAR(c.Curv1(), 1.0, 0.03);
            ASSERT_NEAR(c.Curv2(), 0.0, 0.03);
            EXPECT_LT(std::abs(OpenMesh::dot(c.Vect1(), axis)), 0.05);
            EXPECT_GT(std::abs(OpenMesh::dot(c.Vect2(), axis)), 0.998);
        }
}

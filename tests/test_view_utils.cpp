#include <gtest/gtest.h>

#include <cmath>

#include "pipeline/util/KxOGL.h"
#include "mesh/KxCRenderInfo.h"
#include "render/KxCColorTable.h"
#include "render/KxCKDtree.h"
#include "render/KxCLight.h"
#include "render/KxCOGLProjector.h"
#include "test_support.h"

using KxUtils::Vec3d;
using namespace orvane_test;

namespace {

TEST(Light, UpdateFromModelviewMatrices)
{
    KxUtils::KxCLight light;
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    light.Update(identity);
    Expect_Near(light.Light_Pos(), Vec3d(0, 0, 0));
    Expect_Near(light.Light_Vec(), Vec3d(0, 0, -1));
    Expect_Near(light.Up_Vec(), Vec3d(0, 1, 0));

    const double back5[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1};
    light.Update(back5);
    Expect_Near(light.Light_Pos(), Vec3d(0, 0, 5));

    // Camera turned 90 degrees about y (looking along -x in object space), then moved back by 2.
    KxUtils::KxCRotation turn{Vec3d(0, 1, 0), M_PI / 2};
    const KxUtils::KxCMatrix4d m = KxUtils::KxCMatrix4d::Translation(Vec3d(0, 0, -2)) * turn.Matrix();
    light.Update(m.data());
    Expect_Near(light.Light_Vec(), Vec3d(1, 0, 0), 1e-12);
    Expect_Near(light.Light_Pos(), Vec3d(-2, 0, 0), 1e-12);
}

class LightPreview : public GLTest {};

TEST_F(LightPreview, DrawsAGreySphereFillingThePanel)
{
    KxUtils::KxCLight light;
    const auto pixels = Paint([&] { light.Render(); });
    const std::size_t centre = (32 * kSize + 32) * 4;
    EXPECT_EQ(pixels[centre], pixels[centre + 1]);
    EXPECT_LT(pixels[centre], 255);
    EXPECT_NEAR(Ink(pixels), M_PI / 4 * kSize * kSize, 0.03 * kSize * kSize);
    EXPECT_EQ(pixels[0], 255); // corner outside the unit disc
}

TEST(ColorTable, RampInterpolation)
{
    const auto* ramp = KxUtils::KxCColorTable_RGB::InstancePtr();
    using RGBA = KxUtils::KxCColorTable_RGB::RGBA;
    EXPECT_EQ(ramp->get_Interpolate(0.0), (RGBA{20, 66, 250, 255}));
    EXPECT_EQ(ramp->get_Interpolate(0.5), (RGBA{127, 255, 0, 255}));
    EXPECT_EQ(ramp->get_Interpolate(1.0), (RGBA{255, 69, 0, 255}));
    EXPECT_EQ(ramp->get_Interpolate(1.5), ramp->get_Interpolate(0.5)); // wraps
    EXPECT_EQ(ramp->get_Interpolate(-0.2), ramp->get_Interpolate(0.0));
    EXPECT_EQ(ramp->get_Interpolate(std::nan("")), ramp->get_Interpolate(0.0));
    EXPECT_EQ(KxUtils::KxCColorTable_Element::InstancePtr()->Size(), 42u);
    EXPECT_EQ((*KxUtils::KxCColorTable_Element::InstancePtr())[41], (RGBA{119, 136, 153, 255}));
}

class CubeTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 8; ++i) {
            corners.push_back(i & 1);
            corners.push_back((i >> 1) & 1);
            corners.push_back((i >> 2) & 1);
        }
        tree.Build_Tree(corners.data(), 8, 3);
    }
    std::vector<double> corners;
    KxUtils::KxCKDtree tree;
};

TEST_F(CubeTree, NearestCornerAndSquaredDistance)
{
    std::vector<int> idx;
    std::vector<double> dist;
    const double q[3] = {0.9, 0.1, 0.1};
    tree.Find(q, 1, idx, dist);
    ASSERT_EQ(idx.size(), 1u);
    EXPECT_EQ(idx[0], 1); // corner (1, 0, 0)
    EXPECT_NEAR(dist[0], 0.03, 1e-12);
    tree.Find(q, 3, idx, dist);
    EXPECT_EQ(idx[0], 1);
    EXPECT_LE(dist[0], dist[1]);
    EXPECT_LE(dist[1], dist[2]);
}

TEST_F(CubeTree, FixedRadiusSearch)
{
    std::vector<int> idx{9, 9};
    std::vector<double> dist{9, 9};
    const double centre[3] = {0.5, 0.5, 0.5};
    tree.Find(centre, 0.5, 0, idx, dist); // no corner within 0.5 of the centre
    EXPECT_TRUE(idx.empty());
    EXPECT_TRUE(dist.empty());
    tree.Find(centre, 0.9, 0, idx, dist); // all eight at sqrt(0.75)
    EXPECT_EQ(idx.size(), 8u);
    const double corner[3] = {0, 0, 0};
    tree.Find(corner, 1.01, 6, idx, dist); // itself and three neighbours
    ASSERT_EQ(idx.size(), 6u);
    EXPECT_EQ(std::count(idx.begin(), idx.end(), -1), 2);
}

TEST(KDtree, NullDataAndQueriesWithoutATreeDoNothing)
{
    KxUtils::KxCKDtree tree;
    tree.Build_Tree(nullptr, 4, 3);
    std::vector<int> idx{7};
    std::vector<double> dist{7.0};
    const double q[3] = {0, 0, 0};
    tree.Find(q, 1, idx, dist);
    EXPECT_EQ(idx, std::vector<int>{7});
}

class Projector : public GLTest {
protected:
    KxUtils::KxCOGLProjector projector; // a private instance, not the process-wide one
};

TEST_F(Projector, DepthIsZeroBeforeAnyReadBack)
{
    EXPECT_EQ(projector.Depth(3, 4), 0.0f);
}

TEST_F(Projector, LockedViewKeepsItsModelview)
{
    panel->Look_At(0, 0, 4, 0, 0, 0, 0, 1, 0);
    Paint([&] { projector.Init_Project(); });
    const auto captured = projector.ModelviewMatrix();
    EXPECT_DOUBLE_EQ(captured[14], -4.0);
    projector.View_Locked() = true;
    panel->Look_At(0, 0, 7, 0, 0, 0, 0, 1, 0);
    panel->Resize(32, 16);
    Paint([&] { projector.Init_Project(); });
    EXPECT_EQ(projector.ModelviewMatrix(), captured);
    EXPECT_EQ(projector.Viewport(), (std::array<int, 4>{0, 0, 32, 16}));
}

TEST_F(Projector, UnprojectWithReadDepthReturnsTheSurfacePoint)
{
    KxMesh::KxCMesh cube;
    Make_Cube(cube, -0.5, 0.5);
    panel->Look_At(0, 0, 3, 0, 0, 0, 0, 1, 0);
    Paint([&] {
        cube.get_RenderInfo()->set_Light_Mode(false);
        cube.Render();
        projector.Init_UnProject();
    });
    ASSERT_EQ(projector.Depth_Buffer().size(), static_cast<std::size_t>(kSize * kSize));
    double p[3];
    projector.UnProject(32.5, 32.5, p);
    EXPECT_NEAR(p[2], 0.5, 1e-3);
    double w[3];
    projector.Project(0.25, -0.25, 0.5, w);
    double back[3];
    projector.UnProject(w[0], w[1], w[2], back);
    Expect_Near(Vec3d(back[0], back[1], back[2]), Vec3d(0.25, -0.25, 0.5), 1e-9);
}

} // namespace

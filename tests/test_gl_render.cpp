#include <gtest/gtest.h>

#include <cmath>

#include "mesh/KxCMesh.h"
#include "mesh/KxCMeshKernel.h"
#include "mesh/KxCPrimitiveRender.h"
#include "mesh/KxCRender.h"
#include "mesh/KxCRenderInfo.h"
#include "mesh/KxCRenderKernel.h"
#include "mesh/KxCVBO.h"
#include "pipeline/util/KxOGL.h"
#include "test_support.h"

using KxMesh::KxCMesh;
using KxMesh::KxCRenderInfo;
using namespace orvane_test;

namespace {

class MeshDrawing : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        panel->Look_At(0, 0, 3, 0, 0, 0, 0, 1, 0);
        Make_Cube(cube, -0.5, 0.5);
    }

    std::vector<unsigned char> Draw(KxCMesh& m) { return Paint([&] { m.Render(); }); }

    static std::array<int, 3> Pixel(const std::vector<unsigned char>& rgba, int x, int y)
    {
        const std::size_t i = (static_cast<std::size_t>(y) * kSize + x) * 4;
        return {rgba[i], rgba[i + 1], rgba[i + 2]};
    }

    static int Count_Color(const std::vector<unsigned char>& rgba, int r, int g, int b)
    {
        int n = 0;
        for (std::size_t i = 0; i < rgba.size(); i += 4) n += rgba[i] == r && rgba[i + 1] == g && rgba[i + 2] == b;
        return n;
    }

    KxCMesh cube;
};

// The front face of the cube, seen head-on from distance 2.5 with a 45 degree
// field of view, spans 0.5 / (2.5 tan 22.5) of the half-height: 15.45 pixels.
constexpr double kHalf = 0.5 / (2.5 * 0.41421356237309503) * 32.0;

TEST_F(MeshDrawing, SolidCubeFillsTheExpectedStencilAndDepth)
{
    std::vector<unsigned char> stencil(kSize * kSize);
    std::vector<float> depth(kSize * kSize);
    Paint([&] {
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 1, 1);
        glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
        cube.Render();
        glDisable(GL_STENCIL_TEST);
        glReadPixels(0, 0, kSize, kSize, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
        glReadPixels(0, 0, kSize, kSize, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    });
    int covered = 0, outside = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const bool in = std::abs(x + 0.5 - 32) < kHalf && std::abs(y + 0.5 - 32) < kHalf;
            const bool set = stencil[y * kSize + x] == 1;
            covered += set;
            outside += set && !in;
        }
    EXPECT_NEAR(covered, 31 * 31, 2 * 31);
    EXPECT_EQ(outside, 0);
    // Window depth of the front face z = 0.5 (eye distance 2.5).
    double wx, wy, wz;
    GLdouble mv[16], pr[16];
    GLint vp[4] = {0, 0, kSize, kSize};
    std::copy_n(panel->Modelview_Matrix().data(), 16, mv);
    std::copy_n(panel->Projection_Matrix().data(), 16, pr);
    gluProject(0, 0, 0.5, mv, pr, vp, &wx, &wy, &wz);
    EXPECT_NEAR(depth[32 * kSize + 32], wz, 1e-5);
    EXPECT_EQ(depth[2 * kSize + 2], 1.0f);
}

TEST_F(MeshDrawing, BufferObjectAndClientArraysGiveIdenticalPixels)
{
    KxCMesh grid;
    Make_Flat_Grid(grid, 6);
    grid.request_vertex_colors();
    grid.set_Default_Property();
    for (auto v : grid.vertices())
        grid.set_color(v, OpenMesh::Vec3uc(v.idx() * 5 % 256, 255 - v.idx() * 3 % 256, v.idx() * 7 % 256));
    grid.get_RenderInfo()->set_Color_Mode(KxCRenderInfo::COLOR_VERTEX);
    panel->Look_At(3, 3, 9, 3, 3, 0, 0, 1, 0);
    const auto client = Draw(grid);
    grid.Request_VBO();
    ASSERT_TRUE(grid.has_VBO());
    const auto buffered = Draw(grid);
    EXPECT_GT(Ink(client), kSize * kSize / 2);
    EXPECT_EQ(client, buffered);
}

TEST_F(MeshDrawing, TheThreeMeshKernelsDrawTheSamePixels)
{
    auto draw_with = [&](KxMesh::KxCMeshKernel* kernel) {
        KxCMesh m(kernel);
        Make_Flat_Grid(m, 5);
        return Paint([&] { m.Render(); });
    };
    panel->Look_At(2.5, 2.5, 8, 2.5, 2.5, 0, 0, 1, 0);
    const auto triangles = draw_with(new KxMesh::KxCTriangleKernel());
    EXPECT_GT(Ink(triangles), kSize * kSize / 3);
    EXPECT_EQ(draw_with(new KxMesh::KxCTriStripKernel()), triangles);
    EXPECT_EQ(draw_with(new KxMesh::KxCFaceArrayKernel()), triangles);
}

TEST_F(MeshDrawing, UnlitSolidDrawsTheMeshColourExactly)
{
    KxCRenderInfo* info = cube.get_RenderInfo();
    info->set_Mesh_Color(10, 200, 30, 255);
    info->set_Light_Mode(false);
    EXPECT_EQ(Pixel(Draw(cube), 32, 32), (std::array<int, 3>{10, 200, 30}));
    info->set_Light_Mode(true);
    EXPECT_NE(Pixel(Draw(cube), 32, 32), (std::array<int, 3>{10, 200, 30}));
}

TEST_F(MeshDrawing, VertexColourModeWithoutColoursUsesTheInternalColour)
{
    KxCRenderInfo* info = cube.get_RenderInfo();
    info->set_Color_Mode(KxCRenderInfo::COLOR_VERTEX);
    info->set_Mesh_Color(40, 50, 60, 255);
    info->set_Light_Mode(false);
    ASSERT_FALSE(cube.has_vertex_colors());
    EXPECT_EQ(Pixel(Draw(cube), 32, 32), (std::array<int, 3>{40, 50, 60}));
}

TEST_F(MeshDrawing, WireframeAndPointStylesDrawOnlyEdgesAndVertices)
{
    const int solid = Ink(Draw(cube));
    cube.set_RenderMethod(KxMesh::KxCWireRender::InstancePtr());
    const auto wire = Draw(cube);
    EXPECT_GT(Ink(wire), 4 * 20);
    EXPECT_LT(Ink(wire), solid);
    EXPECT_EQ(Pixel(wire, 32 + 8, 32 - 4), (std::array<int, 3>{255, 255, 255})); // inside a triangle
    EXPECT_EQ(Pixel(wire, 40, static_cast<int>(32 + kHalf)), (std::array<int, 3>{20, 20, 20})); // top edge

    cube.set_RenderMethod(KxMesh::KxCPointRender::InstancePtr());
    const auto points = Draw(cube);
    EXPECT_GT(Count_Color(points, 255, 0, 0), 0);
    EXPECT_EQ(Ink(points), Count_Color(points, 255, 0, 0));
    EXPECT_LE(Ink(points), 8 * 4);
}

TEST_F(MeshDrawing, BoxDecoratorDrawsTheBoxOnlyWhenItExists)
{
    KxMesh::KxCAABBDecorator box;
    box.set_Component(KxMesh::KxCSolidRender::InstancePtr());
    cube.set_RenderMethod(&box);
    EXPECT_EQ(Count_Color(Draw(cube), 255, 0, 0), 0); // no box yet
    cube.Request_AABB(true);
    const auto drawn = Draw(cube);
    EXPECT_GT(Count_Color(drawn, 255, 0, 0), 4 * 20);
    EXPECT_EQ(Pixel(drawn, 32, 32), Pixel(Draw(cube), 32, 32));
    cube.set_RenderMethod(KxMesh::KxCSolidRender::InstancePtr());
}

TEST_F(MeshDrawing, WireDecoratorAddsEdgesOverTheSolid)
{
    KxMesh::KxCWireDecorator wire;
    wire.set_Component(KxMesh::KxCSolidRender::InstancePtr());
    cube.get_RenderInfo()->set_Light_Mode(false);
    const int solid_only = Count_Color(Draw(cube), 20, 20, 20);
    cube.set_RenderMethod(&wire);
    const auto both = Draw(cube);
    cube.set_RenderMethod(KxMesh::KxCSolidRender::InstancePtr());
    EXPECT_EQ(solid_only, 0);
    EXPECT_GT(Count_Color(both, 20, 20, 20), 4 * 20);
    EXPECT_EQ(Pixel(both, 32 + 8, 32 - 4), (std::array<int, 3>{100, 149, 237}));
}

TEST_F(MeshDrawing, HighlightsDrawNothingWithoutAPick)
{
    cube.set_PrimitiveRender(KxMesh::KxCFaceRender::InstancePtr());
    EXPECT_EQ(Ink(Paint([&] { cube.Render_Primitive(-1, true, true, true); })), 0);
    const auto face = Paint([&] { cube.Render_Primitive(4, true, true, true); });
    EXPECT_GT(Ink(face), 0);
    EXPECT_EQ(Ink(Paint([&] { cube.Render_Primitive(999, true, true, true); })), 0);
}

TEST(RenderDecorators, SetComponentRefusesItselfAndKeepsTheOld)
{
    KxMesh::KxCWireDecorator dec;
    EXPECT_EQ(dec.set_Component(KxMesh::KxCSolidRender::InstancePtr()), &dec);
    EXPECT_EQ(dec.set_Component(&dec), nullptr);
    EXPECT_EQ(dec.get_Component(), KxMesh::KxCSolidRender::InstancePtr());
}

struct ProbeStyle : KxMesh::KxCRender {
    ProbeStyle(bool shared, bool* deleted) : shared(shared), deleted(deleted) {}
    ~ProbeStyle() override { *deleted = true; }
    void Render(KxCMesh*, KxMesh::KxCMeshKernel*, KxMesh::KxCRenderKernel*, KxCRenderInfo*) override {}
    bool is_Singleton() const override { return shared; }
    bool shared;
    bool* deleted;
};

TEST(RenderDecorators, OwnedComponentsAreDeletedButSharedOnesSurvive)
{
    bool owned_deleted = false, replaced_deleted = false, shared_deleted = false;
    ProbeStyle shared(true, &shared_deleted);
    {
        KxMesh::KxCAABBDecorator outer;
        outer.set_Component(new ProbeStyle(false, &replaced_deleted));
        outer.set_Component(new ProbeStyle(false, &owned_deleted));
        EXPECT_TRUE(replaced_deleted);
        EXPECT_FALSE(owned_deleted);
    }
    EXPECT_TRUE(owned_deleted);
    {
        KxMesh::KxCWireDecorator outer;
        outer.set_Component(&shared);
    }
    EXPECT_FALSE(shared_deleted);
}

} // namespace

#include <gtest/gtest.h>

#include <cmath>

#include "mesh/KxCIOManager.h"
#include "mesh/KxCMesh.h"
#include "mesh/KxCMeshKernel.h"
#include "mesh/KxCPrimitiveOperation.h"
#include "mesh/KxPredicates.h"
#include "test_support.h"

using KxMesh::KxCIOOption;
using KxMesh::KxCMesh;
using OpenMesh::Vec3d;
using namespace orvane_test;

namespace {

TEST(MeshContainer, FreshMeshIsInvalidAndBindsNoRoles)
{
    KxCMesh m;
    EXPECT_FALSE(m.is_Valid());
    EXPECT_FALSE(m.get_VPoint_Prop().is_valid());
    m.Update_VBO(7); // nothing to do, and no GL context needed
    EXPECT_FALSE(m.has_VBO());
    EXPECT_EQ(m.Scalar_Type(), 0x140Au);
}

TEST(MeshContainer, NormalizeBoxOfTwoFourEight)
{
    KxCMesh m;
    Make_Cube(m);
    for (auto v : m.vertices()) m.point(v) = Vec3d(m.point(v)[0] * 2 + 3, m.point(v)[1] * 4 - 1, m.point(v)[2] * 8);
    m.Normalize(1.0, true);
    EXPECT_EQ(m.get_AABB(), nullptr);
    m.Request_AABB(false);
    Expect_Near(m.get_AABB()->Diagonal(), Vec3d(0.25, 0.5, 1.0));
    Expect_Near(m.Center(), Vec3d(0, 0, 0));
}

TEST(MeshContainer, NormalizeWithZeroScaleKeepsPositions)
{
    KxCMesh m;
    Make_Cube(m, 2.0, 5.0);
    m.Normalize(0.0, false);
    m.Request_AABB(false);
    Expect_Near(m.get_AABB()->MinPoint(), Vec3d(2, 2, 2));
    Expect_Near(m.get_AABB()->MaxPoint(), Vec3d(5, 5, 5));
}

TEST(MeshContainer, NormalizeOfCoincidentVerticesDoesNotDivideByZero)
{
    KxCMesh m;
    Fill_Mesh(m, {{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}, {{0, 1, 2}});
    m.Normalize(1.0, true);
    for (auto v : m.vertices()) Expect_Near(m.point(v), Vec3d(0, 0, 0));
}

TEST(MeshContainer, EnlargedBoxOfUnitCube)
{
    KxCMesh m;
    Make_Cube(m);
    m.Request_AABB(true);
    const auto* box = m.get_AABB();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->is_Null());
    Expect_Near(box->MinPoint(), Vec3d(-0.01, -0.01, -0.01));
    Expect_Near(box->MaxPoint(), Vec3d(1.01, 1.01, 1.01));
    ASSERT_EQ(box->Corners().size(), 8u);
    Expect_Near(box->Corners()[1], Vec3d(-0.01, 1.01, -0.01));
    Expect_Near(box->Corners()[7], Vec3d(1.01, -0.01, 1.01));
    Expect_Near(m.Center(), Vec3d(0.5, 0.5, 0.5));
}

TEST(MeshContainer, BoxOfMeshWithoutVerticesIsFinite)
{
    KxCMesh m;
    m.set_Default_Property();
    m.Request_AABB(true);
    Expect_Near(m.get_AABB()->Diagonal(), Vec3d(0, 0, 0));
    Expect_Near(m.Center(), Vec3d(0, 0, 0));
}

TEST(MeshContainer, DegenerateFaceGivesZeroNormals)
{
    KxCMesh m;
    Fill_Mesh(m, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{0, 1, 2}});
    EXPECT_EQ(m.normal(OpenMesh::FaceHandle(0)), Vec3d(0, 0, 0));
    for (auto v : m.vertices()) EXPECT_EQ(m.normal(v), Vec3d(0, 0, 0));
}

TEST(MeshContainer, VertexNormalOfOpposingFacesIsZero)
{
    KxCMesh m;
    // Two faces sharing an edge, folded flat onto each other: their normals cancel at the shared vertices.
    Fill_Mesh(m, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {1, 0, 3}});
    EXPECT_EQ(m.normal(OpenMesh::VertexHandle(0)), Vec3d(0, 0, 0));
    EXPECT_EQ(m.normal(OpenMesh::VertexHandle(1)), Vec3d(0, 0, 0));
    Expect_Near(m.normal(OpenMesh::VertexHandle(2)), Vec3d(0, 0, 1));
}

TEST(MeshContainer, InvalidRoleNameKeepsPreviousBinding)
{
    KxCMesh m;
    Make_Two_Triangles(m);
    const auto before = m.get_VNormal_Prop();
    testing::internal::CaptureStderr();
    const auto& after = m.set_VNormal_Name("v:no_such_property");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KxCMesh::set_VNormal_Name : Invalid name of the vertex property\n");
    EXPECT_EQ(after, before);
    EXPECT_TRUE(after.is_valid());
}

TEST(MeshContainer, UpdateAABBWithoutPositionRoleReports)
{
    KxCMesh m;
    m.add_vertex(Vec3d(0, 0, 0));
    testing::internal::CaptureStderr();
    m.Request_AABB(false);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCMesh::Update_AABB : Invalid vertex property handle\n");
    EXPECT_TRUE(m.get_AABB()->is_Null());
}

TEST(MeshContainer, PickingIndexFollowsTheOperation)
{
    KxCMesh m;
    Make_Two_Triangles(m);
    auto* vertex_op = KxMesh::KxCVertexOperation::InstancePtr();
    EXPECT_FALSE(m.Find_Primitive(Vec3d(0, 0, 0))); // no operation installed
    m.set_PrimitiveOperation(vertex_op);
    EXPECT_TRUE(m.Find_Primitive(Vec3d(1, 1, 0)));
    EXPECT_EQ(m.get_Primitive_Index(), 2);
    m.set_PrimitiveOperation(vertex_op);
    EXPECT_EQ(m.get_Primitive_Index(), 2);
    EXPECT_FALSE(m.Find_Primitive(Vec3d(0.5, 0.5, 0.5)));
    EXPECT_EQ(m.get_Primitive_Index(), -1);
    EXPECT_TRUE(m.Find_Primitive(Vec3d(0, 1, 0)));
    m.set_PrimitiveOperation(KxMesh::KxCFaceOperation::InstancePtr());
    EXPECT_EQ(m.get_Primitive_Index(), -1);
}

TEST(MeshKernels, StripKernelCoversEveryFace)
{
    auto* kernel = new KxMesh::KxCTriStripKernel();
    KxCMesh m(kernel);
    Make_Flat_Grid(m, 4);
    ASSERT_GT(kernel->Strip_Count(), 0u);
}

// ------------------------------------------------------------------ picking predicates

TEST(Predicates, PointInFaceTable)
{
    const Vec3d P0(0, 0, 0), P1(1, 0, 0), P2(0, 1, 0);
    struct Case {
        Vec3d p;
        bool inside;
    } cases[] = {{{1.0 / 3, 1.0 / 3, 0}, true},   {{1.0 / 3, 1.0 / 3, 0.1}, true}, {{1.0 / 3, 1.0 / 3, -0.1}, true},
                 {{1.0 / 3, 1.0 / 3, 2}, false},  {{1, 1, 0}, false},              {{-0.1, 0.2, 0}, false},
                 {{0.2, -0.1, 0}, false},         {{0.5, 0.5, 0}, true}};
    for (const auto& c : cases) EXPECT_EQ(KxMesh::IfPointInFace(c.p, P0, P1, P2), c.inside) << c.p;
    // Either winding: the test follows the normal computed from the vertex order.
    EXPECT_TRUE(KxMesh::IfPointInFace(Vec3d(0.2, 0.2, 0), P0, P2, P1));
    // A degenerate triangle or a point on P0 has an undefined direction and picks nothing.
    EXPECT_FALSE(KxMesh::IfPointInFace(Vec3d(0.5, 0, 0), P0, P1, Vec3d(2, 0, 0)));
    EXPECT_FALSE(KxMesh::IfPointInFace(P0, P0, P1, P2));
}

TEST(Predicates, PointOnEdgeTable)
{
    const Vec3d P0(0, 0, 0), P1(1, 0, 0);
    struct Case {
        Vec3d p;
        bool on;
    } cases[] = {{{0.5, 0, 0}, true},   {{0.5, 0.5, 0}, false}, {{0.5, 0.05, 0}, true},
                 {{1.5, 0, 0}, false},  {{-0.5, 0, 0}, false},  {{0, 0, 0}, false},
                 {{1, 0, 0}, false}};
    for (const auto& c : cases) EXPECT_EQ(KxMesh::IfPointOnEdge(c.p, P0, P1), c.on) << c.p;
}

TEST(Picking, OperationsOnTwoTriangles)
{
    KxCMesh m;
    Make_Two_Triangles(m);
    auto* v = KxMesh::KxCVertexOperation::InstancePtr();
    auto* f = KxMesh::KxCFaceOperation::InstancePtr();
    auto* e = KxMesh::KxCEdgeOperation::InstancePtr();
    EXPECT_EQ(v->Find(&m, Vec3d(1, 0, 0)), 1);
    EXPECT_EQ(v->Find(&m, Vec3d(1, 0, 0.009)), 1);
    EXPECT_EQ(v->Find(&m, Vec3d(0.5, 0.5, 0.02)), -1);
    EXPECT_EQ(v->Find(&m, Vec3d(1.02, 0, 0)), -1);
    EXPECT_EQ(f->Find(&m, Vec3d(0.7, 0.2, 0)), 0);
    EXPECT_EQ(f->Find(&m, Vec3d(0.2, 0.7, 0)), 1);
    EXPECT_EQ(f->Find(&m, Vec3d(2, 2, 0)), -1);
    // The midpoint of the shared diagonal lies on that edge; an end vertex picks no edge.
    const int diagonal = e->Find(&m, Vec3d(0.5, 0.5, 0));
    ASSERT_NE(diagonal, -1);
    const auto h = m.halfedge_handle(OpenMesh::EdgeHandle(diagonal), 0);
    EXPECT_EQ((m.point(m.from_vertex_handle(h)) + m.point(m.to_vertex_handle(h))) * 0.5, Vec3d(0.5, 0.5, 0));
    EXPECT_EQ(e->Find(&m, Vec3d(0, 0, 0)), -1);

    KxCMesh empty;
    EXPECT_EQ(v->Find(&empty, Vec3d(0, 0, 0)), -1);
    EXPECT_EQ(f->Find(&empty, Vec3d(0, 0, 0)), -1);
    EXPECT_EQ(e->Find(&empty, Vec3d(0, 0, 0)), -1);
}

} // namespace

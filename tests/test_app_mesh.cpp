// The analysed mesh's edge statistics, flags and position transforms.
#include "analysis/KxCAppMesh.h"
#include "test_support.h"

using OrvaneImage::KxCAppMesh;
using orvane_test::Expect_Near;

TEST(AppMeshEdges, StatisticsOfTwoTriangles)
{
    KxCAppMesh m;
    orvane_test::Make_Two_Triangles(m);
    m.Preprocess();
    EXPECT_DOUBLE_EQ(m.Max_Edge(), std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(m.Min_Edge(), 1.0);
    EXPECT_DOUBLE_EQ(m.Avg_Edge(), (4.0 + std::sqrt(2.0)) / 5.0);
    // Vertices 0 and 2 carry the diagonal.
    const std::vector<double> expected{std::sqrt(2.0), 1.0, std::sqrt(2.0), 1.0};
    EXPECT_EQ(m.Max_VertexEdges(), expected);
}

TEST(AppMeshEdges, IsolatedVertexAndEdgelessMesh)
{
    KxCAppMesh m;
    orvane_test::Make_Two_Triangles(m);
    m.add_vertex({5, 5, 5});
    m.Preprocess();
    EXPECT_EQ(m.Max_VertexEdges().back(), -1e+06);

    KxCAppMesh points;
    points.add_vertex({0, 0, 0});
    points.add_vertex({1, 0, 0});
    points.Preprocess();
    EXPECT_EQ(points.Avg_Edge(), 0.0);
    EXPECT_EQ(points.Max_VertexEdges(), std::vector<double>(2, -1e+06));
}

TEST(AppMeshFlags, ClearKeepsSizeAndRefusesWrongSize)
{
    KxCAppMesh m;
    orvane_test::Make_Two_Triangles(m);
    m.Request_Vertex_Flags();
    m.Request_Face_Flags();
    EXPECT_EQ(m.Vertex_Flags().size(), 4u);
    EXPECT_EQ(m.Face_Flags().size(), 2u);
    m.Vertex_Flags()[2] = 7;
    m.Clear_Vertex_Flags();
    EXPECT_EQ(m.Vertex_Flags(), std::vector<unsigned char>(4, 0));

    m.Vertex_Flags() = {1, 2};
    testing::internal::CaptureStderr();
    m.Clear_Vertex_Flags();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCAppMesh::Clear_Vertex_Flags: Invalid size of vertex flags\n");
    EXPECT_EQ(m.Vertex_Flags(), (std::vector<unsigned char>{1, 2}));
}

TEST(AppMeshXForm, MatrixAndVectorBetweenProperties)
{
    KxCAppMesh m;
    orvane_test::Make_Two_Triangles(m);
    KxMesh::KxVec3Prop copy;
    m.add_property(copy, "copy");
    KxUtils::KxCMatrix4d s;
    s(0, 0) = 2.0;
    s(1, 3) = 3.0; // scale x by 2, move y by 3
    m.Apply_XForm(s, "copy", "v:points");
    Expect_Near(m.property(copy, m.vertex_handle(2)), {2, 4, 0});
    Expect_Near(m.point(m.vertex_handle(2)), {1, 1, 0}); // the source is untouched
    m.Apply_XForm(KxUtils::Vec3d(0, 0, -1), copy, copy);
    Expect_Near(m.property(copy, m.vertex_handle(2)), {2, 4, -1});

    testing::internal::CaptureStderr();
    m.Apply_XForm(KxUtils::Vec3d(1, 1, 1), "v:points", "no such property");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCAppMesh::Apply_XForm: Invalid vertex property handle\n");
    Expect_Near(m.point(m.vertex_handle(2)), {1, 1, 0});
}

TEST(AppMeshXForm, GravityPutsTheLowestPointOnTheGround)
{
    KxCAppMesh m;
    orvane_test::Make_Cube(m, -0.5, 0.5);
    m.Request_AABB(false);
    m.Apply_Gravity();
    for (auto v : m.vertices()) {
        const auto p = m.point(v);
        EXPECT_TRUE(p[1] == 0.0 || p[1] == 1.0) << p[1];
        EXPECT_EQ(std::abs(p[0]), 0.5);
    }
    EXPECT_EQ(m.get_AABB()->MinPoint()[1], 0.0);
}

#include <gtest/gtest.h>

#include "mesh/KxCIOManager.h"
#include "mesh/KxCMesh.h"
#include "bad_mesh_files.h"
#include "test_support.h"

using KxMesh::KxCIOManager;
using KxMesh::KxCIOOption;
using KxMesh::KxCMesh;
using OpenMesh::Vec3d;
using namespace orvane_test;

namespace {

bool Read(KxCMesh& m, const fs::path& file, KxCIOOption opt = KxCIOOption())
{
    return m.Read_Mesh(file.string(), opt);
}

TEST(MeshFiles, QuadsAreReadAsTwoTriangles)
{
    TempDir dir;
    Write_File(dir / "quad.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
    KxCMesh m;
    ASSERT_TRUE(Read(m, dir / "quad.obj"));
    EXPECT_EQ(m.n_vertices(), 4u);
    EXPECT_EQ(m.n_faces(), 2u);
    EXPECT_TRUE(m.get_VPoint_Prop().is_valid());
    EXPECT_EQ(m.normal(OpenMesh::VertexHandle(0)), Vec3d(0, 0, 1));
}

TEST(MeshFiles, NegativeIndicesCountFromTheEnd)
{
    TempDir dir;
    Write_File(dir / "rel.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf -3 -2 -1\n");
    KxCMesh m;
    ASSERT_TRUE(Read(m, dir / "rel.obj"));
    EXPECT_EQ(m.n_faces(), 1u);
}

TEST(MeshFiles, LoadOptionsBoxCentreScale)
{
    TempDir dir;
    Write_File(dir / "box.obj", "v 1 1 1\nv 5 1 1\nv 1 3 1\nv 1 1 2\nf 1 3 2\nf 1 2 4\nf 1 4 3\nf 2 3 4\n");
    KxCMesh m;
    ASSERT_TRUE(Read(m, dir / "box.obj", KxCIOOption(KxCIOOption::Opt_AABB | KxCIOOption::Opt_Centerize, 1.0f)));
    ASSERT_NE(m.get_AABB(), nullptr);
    const Vec3d d = m.get_AABB()->Diagonal();
    EXPECT_NEAR(d[0], 1.02, 1e-12); // largest side 1, enlarged by 1 % per side
    EXPECT_NEAR(m.Center().norm(), 0.0, 1e-12);
    EXPECT_FALSE(m.has_VBO());
}

TEST(MeshFiles, OwnObjWriterWritesPositionsAndOneBasedFaces)
{
    TempDir dir;
    KxCMesh m;
    Make_Two_Triangles(m);
    // Positions in another property select the own writer.
    auto moved = OpenMesh::VPropHandleT<Vec3d>();
    m.add_property(moved, "v:moved");
    for (auto v : m.vertices()) m.property(moved, v) = m.point(v) + Vec3d(0.5, 0, 0);
    m.set_VPoint_Name("v:moved");
    KxCIOOption opt;
    ASSERT_TRUE(m.Save_Mesh((dir / "out.obj").string(), opt));
    EXPECT_EQ(Read_File(dir / "out.obj"), "v 0.5 0 0\nv 1.5 0 0\nv 1.5 1 0\nv 0.5 1 0\nf 1 2 3\nf 1 3 4\n");
    // An upper-case extension is not "obj": no writer for it, and no message.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(m.Save_Mesh((dir / "out.OBJ").string(), opt));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(fs::exists(dir / "out.OBJ"));
}

TEST(MeshFiles, LibraryWriterRoundTrip)
{
    TempDir dir;
    KxCMesh m, back;
    Make_Cube(m);
    KxCIOOption opt;
    ASSERT_TRUE(m.Save_Mesh((dir / "cube.off").string(), opt));
    ASSERT_TRUE(Read(back, dir / "cube.off"));
    EXPECT_EQ(back.n_vertices(), 8u);
    EXPECT_EQ(back.n_faces(), 12u);
}

TEST(MeshFiles, ExtensionOfTheIOManager)
{
    const KxCIOManager* io = KxCIOManager::InstancePtr();
    EXPECT_EQ(io->get_File_Ext("a/model.obj"), "obj");
    EXPECT_EQ(io->get_File_Ext("model.OBJ"), "OBJ");
    EXPECT_EQ(io->get_File_Ext("noext"), "noext");
}

class MeshFilesBad : public ::testing::TestWithParam<BadFile> {};

TEST_P(MeshFilesBad, ReaderReportsAndLeavesTheMeshEmpty)
{
    const BadFile& bad = GetParam();
    TempDir dir;
    if (std::string(bad.name) != "missing.obj") Write_File(dir / bad.name, bad.content);
    KxCMesh m;
    testing::internal::CaptureStderr();
    const bool ok = Read(m, dir / bad.name, KxCIOOption(KxCIOOption::Opt_AABB, 1.0f));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(ok);
    EXPECT_NE(err.find(std::string("KxCIOManager::Read_Mesh : ") + bad.message), std::string::npos) << err;
    EXPECT_EQ(m.n_vertices(), 0u);
    EXPECT_EQ(m.get_AABB(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, MeshFilesBad, ::testing::ValuesIn(Bad_Files()),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

} // namespace

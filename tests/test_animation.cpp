// Keyframe animation: reading keys, blending frames and playback.
#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/util/AppGlobal.h"
#include "test_support.h"

using OrvaneImage::KxCAppMesh;
using orvane_test::Expect_Near;

namespace {

/// Progress calls as text lines.
class RecordingSink : public KxCProgressSink {
public:
    void ProgressBar_Init(const std::string& text, int min, int max, int value) override
    {
        lines.push_back("init " + text + " " + std::to_string(min) + " " + std::to_string(max) + " " + std::to_string(value));
    }
    void ProgressBar_Update(const std::string& text, int value) override
    {
        lines.push_back("update " + text + " " + std::to_string(value));
    }
    std::vector<std::string> lines;
};

/// Two triangles over the square [0, s] x [0, s] at height z, as an OBJ file.
std::string Square_Obj(double s, double z, bool extra_vertex = false)
{
    std::ostringstream out;
    out << "v 0 0 " << z << "\nv " << s << " 0 " << z << "\nv " << s << " " << s << " " << z << "\nv 0 " << s << " " << z << "\n";
    if (extra_vertex) out << "v 9 9 9\n";
    out << "f 1 2 3\nf 1 3 4\n";
    return out.str();
}

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orvane_test::Make_Two_Triangles(mesh);
        mesh.Request_AABB(false);
        AppGlobal::g_Form = &sink;
    }
    void TearDown() override { AppGlobal::g_Form = nullptr; }

    /// Writes key files key<i>.obj with the given scales, heights 0, 1, 2, ...
    std::vector<std::string> Keys(const std::vector<double>& scales)
    {
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < scales.size(); ++i) {
            const auto p = dir / ("key" + std::to_string(i) + ".obj");
            orvane_test::Write_File(p, Square_Obj(scales[i], static_cast<double>(i)));
            paths.push_back(p.string());
        }
        return paths;
    }

    orvane_test::TempDir dir;
    RecordingSink sink;
    KxCAppMesh mesh;
    OrvaneImage::KxCAIOProp io;
    OrvaneImage::KxCAnimeProp anime;
};

} // namespace

TEST_F(AnimationTest, ThreeKeysWithTwoInterFramesMakeSevenExactBlends)
{
    ASSERT_TRUE(mesh.Read_Animation(Keys({1.0, 2.0, 4.0}), &io));
    EXPECT_EQ(mesh.Total_Keys(), 3);
    EXPECT_EQ(mesh.Total_Frames(), 0);
    io.set_Inter_Frames(2);
    mesh.Interpolate_Animation(&io);
    ASSERT_EQ(mesh.Total_Frames(), 7);
    EXPECT_EQ(mesh.Inter_Frames(), 2);
    const double step = 1.0 / 3;
    const KxUtils::Vec3d k0(1, 1, 0), k1(2, 2, 1), k2(4, 4, 2); // vertex 2 of each key
    const std::vector<KxUtils::Vec3d> expected{
        k0, k0 * (1 - step) + k1 * step, k0 * (1 - 2 * step) + k1 * (2 * step), k1,
        k1 * (1 - step) + k2 * step, k1 * (1 - 2 * step) + k2 * (2 * step), k2};
    for (int f = 0; f < 7; ++f) EXPECT_EQ(mesh.Frame(f)[2], expected[f]) << "frame " << f;
    EXPECT_EQ(sink.lines.front(), "init Reading keyframe files... 0 2 0");
    EXPECT_EQ(sink.lines.back(), "update Interpolate animation done 2");
}

TEST_F(AnimationTest, FramesAreTheKeysWithoutInterFramesOrWithOneKey)
{
    for (const int inter : {0, -3}) {
        ASSERT_TRUE(mesh.Read_Animation(Keys({1.0, 2.0}), &io));
        io.set_Inter_Frames(inter);
        mesh.Interpolate_Animation(&io);
        EXPECT_EQ(mesh.Total_Frames(), 2);
    }
    ASSERT_TRUE(mesh.Read_Animation(Keys({3.0}), &io));
    io.set_Inter_Frames(4);
    mesh.Interpolate_Animation(&io);
    ASSERT_EQ(mesh.Total_Frames(), 1);
    EXPECT_EQ(mesh.Frame(0)[2], KxUtils::Vec3d(3, 3, 0));
}

TEST_F(AnimationTest, BadKeyFilesAreSkippedWithTheirLines)
{
    auto paths = Keys({1.0, 2.0, 3.0, 4.0});
    orvane_test::Write_File(paths[1], Square_Obj(2.0, 1.0, true));
    paths.insert(paths.begin() + 2, (dir / "missing.obj").string());
    testing::internal::CaptureStderr();
    EXPECT_TRUE(mesh.Read_Animation(paths, &io));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("KxCAppMesh::Read_Animation: Invalid size of vertex/face\n"), std::string::npos) << err;
    EXPECT_NE(err.find("KxCAppMesh::Read_Animation: Failed to open keyframe file\n"), std::string::npos) << err;
    EXPECT_EQ(mesh.Total_Keys(), 3);
    EXPECT_EQ(sink.lines.back(), "update Read keyframe files done 4");

    EXPECT_FALSE(mesh.Read_Animation({}, &io));
    EXPECT_FALSE(mesh.Read_Animation(paths, nullptr));
}

TEST_F(AnimationTest, PlaybackMovesTheMeshAndStopsOrWraps)
{
    ASSERT_TRUE(mesh.Read_Animation(Keys({1.0, 2.0, 4.0}), &io));
    mesh.Interpolate_Animation(&io);
    mesh.Playback_End();
    EXPECT_EQ(mesh.Frame_Idx(), 2);
    Expect_Near(mesh.point(mesh.vertex_handle(2)), {4, 4, 2});
    EXPECT_EQ(mesh.get_AABB()->MaxPoint(), KxUtils::Vec3d(4, 4, 2));

    // Without Loop the last frame stays and the mesh is not rewritten.
    anime.set_Loop(false);
    mesh.point(mesh.vertex_handle(0)) = {7, 7, 7};
    mesh.Playback(&anime);
    EXPECT_EQ(mesh.Frame_Idx(), 2);
    Expect_Near(mesh.point(mesh.vertex_handle(0)), {7, 7, 7});
    mesh.Playback_Fwd();
    EXPECT_EQ(mesh.Frame_Idx(), 2);

    anime.set_Loop(true);
    mesh.Playback(&anime);
    EXPECT_EQ(mesh.Frame_Idx(), 0);
    Expect_Near(mesh.point(mesh.vertex_handle(0)), {0, 0, 0});
    mesh.Playback_Rew();
    EXPECT_EQ(mesh.Frame_Idx(), 0);
    mesh.Playback(&anime);
    EXPECT_EQ(mesh.Frame_Idx(), 1);
    Expect_Near(mesh.point(mesh.vertex_handle(2)), {2, 2, 1});

    testing::internal::CaptureStderr();
    mesh.Playback_Goto(3);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCAppMesh::Playback_Goto: Index is out of range\n");
    EXPECT_EQ(mesh.Frame_Idx(), 1);
}

TEST_F(AnimationTest, NothingPlaysWithoutFrames)
{
    anime.set_Loop(true);
    mesh.Playback(&anime);
    mesh.Playback_Fwd();
    mesh.Playback_Rew();
    mesh.Playback_End();
    mesh.Playback_Goto(5);
    EXPECT_EQ(mesh.Frame_Idx(), 0);
    Expect_Near(mesh.point(mesh.vertex_handle(2)), {1, 1, 0});
    // Keys read but never interpolated are released too.
    ASSERT_TRUE(mesh.Read_Animation(Keys({1.0}), &io));
    mesh.Release_Animation();
    EXPECT_EQ(mesh.Total_Keys(), 0);
}

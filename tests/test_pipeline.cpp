// The whole still-image pipeline through the driver, headless at 320 x 240:
// loading, the five steps, the composed picture and its failure chains.
#include <gtest/gtest.h>

#include <OpenMesh/Core/IO/MeshIO.hh>

#include <cstring>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include "pipeline/driver/KxCOrvaneDriver.h"
#include "pipeline/driver/KxModelLoading.h"
#include "pipeline/driver/KxItemRendering.h"
#include "pipeline/util/KxCTimer.h"
#include "pipeline/util/KxOGL.h"
#include "test_support.h"
#include "ui/KxViewFraming.h"

using namespace orvane_test;
using namespace OrvaneImage;

namespace {

constexpr int kW = 320, kH = 240;

/// A sphere of radius 0.5 written as an OBJ file.
void Write_Sphere(const fs::path& file)
{
    KxMesh::KxCMesh sphere;
    Make_Sphere(sphere, 0.5, 4);
    ASSERT_TRUE(OpenMesh::IO::write_mesh(sphere, file.string()));
}

/// A driver on a 320 x 240 main view and a light panel, with its data under app_path
/// (the source tree, which holds data/circle.png, unless a test says otherwise).
class Pipeline : public ::testing::Test {
protected:
    void SetUp() override { Make(ORVANE_SOURCE_DIR); }
    void TearDown() override { driver.reset(); }

    void Make(const std::string& app_path)
    {
        driver.reset();
        view = KxOGLPanel::KxCHeadlessPanel::Create(kW, kH);
        light = KxOGLPanel::KxCHeadlessPanel::Create(64, 64);
        ASSERT_TRUE(view && light) << "a headless OpenGL context is required (Mesa EGL)";
        driver = std::make_unique<KxCOrvaneDriver>(app_path, *view, *light);
        driver->Form_Init();
        driver->set_Model_Loaded_Handler([this](KxCAppMesh& mesh) {
            KxOGLPanel::Frame_Box(*view, mesh.get_AABB()->MinPoint(), mesh.get_AABB()->MaxPoint(), 0, 0);
        });
        io = Still_Image_Options();
    }

    /// Opens a model and lets the light panel set the shading light, as the window does.
    void Open(const std::string& path)
    {
        KxUtils::KxCTimer::InstancePtr()->Clear();
        ASSERT_TRUE(driver->Read_OrvImage(&io, path));
        light->Repaint();
    }

    KxCAppItem& Item() { return *driver->AppItem(); }
    KxCMeshItem& Mesh_Item() { return *Item().CurMeshItem(); }

    /// The main view painted in the item's mode, as RGBA bottom row first.
    std::vector<unsigned char> Picture()
    {
        view->Repaint();
        return view->Read_RGBA();
    }

    FixRand fix{true};
    KxCIOProp io;
    std::unique_ptr<KxOGLPanel::KxCHeadlessPanel> view, light;
    std::unique_ptr<KxCOrvaneDriver> driver;
};

bool is_Ink(const std::vector<unsigned char>& rgba, std::size_t pixel)
{
    return rgba[pixel * 4] != 255 || rgba[pixel * 4 + 1] != 255 || rgba[pixel * 4 + 2] != 255;
}

} // namespace

TEST_F(Pipeline, GenerateFillsEveryProductAndListsTheFiveTimers)
{
    Open(Bundled_Model("cow.obj"));
    EXPECT_EQ(Item().AppProp().Orvane_Mode(), KxEnumOrvaneMode::Scene);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(driver->ToolBarExecuBtn_Click());
    const std::string out = testing::internal::GetCapturedStdout();

    KxCMeshItem& m = Mesh_Item();
    ASSERT_TRUE(m.SampleMask() && m.DecalCntr() && m.DecalGridCntr() && m.DecalGridCntr2());
    EXPECT_GT(m.DecalCntr()->Decals().size(), 50u);
    EXPECT_FALSE(m.DecalGridCntr()->Grids().empty());
    EXPECT_FALSE(m.DecalGridCntr2()->Grids().empty());
    EXPECT_FALSE(m.WindowGridCntrs().empty());
    EXPECT_EQ(Item().StampGridCntrs().size(), m.WindowGridCntrs().size());
    EXPECT_EQ(Item().AppProp().Orvane_Mode(), KxEnumOrvaneMode::Orvane);
    EXPECT_EQ(driver->OIParam().Render_Mode(), KxEnumOrvaneMode::Orvane);
    auto& projector = *KxUtils::KxCOGLProjector::InstancePtr();
    EXPECT_FALSE(projector.Project_Locked() || projector.View_Locked());

    const std::vector<std::string> labels = {"Create orvane image", "Sample", "Parameterize", "Analyze", "Stamp"};
    EXPECT_EQ(KxUtils::KxCTimer::InstancePtr()->Labels(), labels);
    std::size_t at = 0;
    for (const auto& label : labels) {
        at = out.find(label + " Timing : ", at);
        ASSERT_NE(at, std::string::npos) << label << " missing or out of order in:\n" << out;
    }
}

TEST_F(Pipeline, SecondGenerateReplacesEveryProductAndRepeatsThePicture)
{
    Open(Bundled_Model("cow.obj"));
    driver->ToolBarExecuBtn_Click();
    KxCMeshItem& m = Mesh_Item();
    const void* first[] = {m.SampleMask(), m.DecalCntr(), m.DecalGridCntr(), m.DecalGridCntr2()};
    const std::size_t splats = m.DecalCntr()->Decals().size(), layers = m.WindowGridCntrs().size();
    const auto picture = Picture();

    driver->ToolBarExecuBtn_Click();
    const void* second[] = {m.SampleMask(), m.DecalCntr(), m.DecalGridCntr(), m.DecalGridCntr2()};
    for (int i = 0; i < 4; ++i) EXPECT_NE(first[i], second[i]) << "product " << i << " was kept";
    // Nothing of the first run is added to the second: with repeatable randomness the counts
    // and the picture come out the same.
    EXPECT_EQ(m.DecalCntr()->Decals().size(), splats);
    EXPECT_EQ(m.WindowGridCntrs().size(), layers);
    EXPECT_EQ(Item().StampGridCntrs().size(), layers);
    EXPECT_EQ(Picture(), picture);
    EXPECT_GT(Ink(picture), kW * kH / 10);
}

TEST_F(Pipeline, FixedRandomnessGivesTheSamePictureInAFreshDriver)
{
    Open(Bundled_Model("cow.obj"));
    driver->ToolBarExecuBtn_Click();
    const auto first = Picture();
    Make(ORVANE_SOURCE_DIR);
    Open(Bundled_Model("cow.obj"));
    driver->ToolBarExecuBtn_Click();
    EXPECT_EQ(Picture(), first);
}

// The stamps land only off the object unless see-through is set; on the object only the
// merged splat grids show.
TEST_F(Pipeline, StampsStayOutOfTheObjectsStencilUnlessSeeThrough)
{
    TempDir dir;
    Write_Sphere(dir / "sphere.obj");
    for (const std::string& model : {(dir / "sphere.obj").string(), Bundled_Model("cow.obj")}) {
        SCOPED_TRACE(model);
        Open(model);
        driver->ToolBarExecuBtn_Click();
        KxCMeshItem& m = Mesh_Item();
        KxCDecalGCntrProp grid_prop;
        const auto grids = [&] {
            view->set_Paint_Handler([&] { m.DecalGridCntr()->Render(&grid_prop); });
            view->Repaint();
            return view->Read_RGBA();
        }();
        view->set_Paint_Handler([this] { driver->OGLPanel_Paint(); });
        for (const bool see_through : {false, true}) {
            Item().AppProp().set_See_Through(see_through);
            const auto picture = Picture();
            // The object's stencil as the composed picture's own pass left it.
            std::vector<unsigned char> stencil(kW * kH);
            glReadPixels(0, 0, kW, kH, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
            int object = 0, stamped = 0;
            for (std::size_t p = 0; p < stencil.size(); ++p) {
                if (!see_through && stencil[p] != 1) continue;
                if (see_through && !m.SampleMask()->Intersect_Mask(p % kW, p / kW)) continue;
                ++object;
                stamped += is_Ink(picture, p) && !is_Ink(grids, p);
            }
            ASSERT_GT(object, kW * kH / 20);
            if (see_through) EXPECT_GT(stamped, 0) << "see-through shows no stamps on the object";
            else EXPECT_EQ(stamped, 0) << "stamp ink inside the object's stencil";
        }
    }
}

TEST_F(Pipeline, WithoutSplatTextureTheChainIsPrintedAndThePictureStaysOrvane)
{
    TempDir empty;
    testing::internal::CaptureStderr();
    Make(empty.path().string());
    Open(Bundled_Model("cow.obj"));
    EXPECT_FALSE(driver->ToolBarExecuBtn_Click());
    const std::string err = testing::internal::GetCapturedStderr();
    const char* chain[] = {"There was an error in", "Form::Create_Textures: Read texture failed",
                           "KxCRandomTexturer::Texture: Invalid inputs",
                           "Form1::OrvImg_Texture: texturer->Texture() failed",
                           "Form1::OrvImg_Create: OrvImg_Texture failed"};
    std::size_t at = 0;
    for (const char* line : chain) {
        at = err.find(line, at);
        ASSERT_NE(at, std::string::npos) << "missing or out of order: " << line << "\n" << err;
    }
    EXPECT_TRUE(Item().TextureIDs().empty());
    EXPECT_EQ(Item().AppProp().Orvane_Mode(), KxEnumOrvaneMode::Orvane);
    // The steps before the failure left their products; the later ones made nothing to show.
    EXPECT_TRUE(Mesh_Item().SampleMask() && Mesh_Item().DecalCntr());
    EXPECT_EQ(Mesh_Item().DecalGridCntr(), nullptr);
    EXPECT_EQ(Ink(Picture()), 0);
}

TEST_F(Pipeline, GenerateWithoutAModelDoesNothing)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(driver->ToolBarExecuBtn_Click());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(driver->AppItem(), nullptr);
}

TEST_F(Pipeline, OpeningReadsTheCompanionViewFilesBesideTheModel)
{
    TempDir dir;
    Write_Sphere(dir / "ball.obj");
    KxOGLPanel::KxCTrackball turned;
    turned.Rotation = {0.8, 0.6, 0, 0};
    light->Trackball() = turned;
    ASSERT_TRUE(light->Save_Modelview((dir / "ball_light.view").string()));
    view->Look_At(0.3, 2, 3, 0, 0.4, 0, 0, 1, 0);
    ASSERT_TRUE(view->Save_Modelview((dir / "ball.view").string()));
    light->Trackball() = {};
    view->Look_At(0, 0, 1, 0, 0, 0, 0, 1, 0);

    testing::internal::CaptureStderr();
    Open((dir / "ball.obj").string());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Form1::Read_OrvImage: Modelview setting loaded"), std::string::npos) << err;
    EXPECT_NE(err.find("Form1::Read_OrvImage: Lighting setting loaded"), std::string::npos) << err;
    EXPECT_EQ(view->Camera().Eye, KxUtils::Vec3d(0.3, 2, 3));
    EXPECT_EQ(light->Trackball().Rotation, turned.Rotation);
    // The shading light follows the light panel's pose, the silhouette light the main view.
    const auto& params = Mesh_Item().MeshParam().Sample().Importance();
    KxUtils::KxCLight expected;
    expected.Update(light->Modelview_Matrix().data());
    Expect_Near(params.Shading().Light().Light_Pos(), expected.Light_Pos(), 1e-12);
    EXPECT_GT((params.Shading().Light().Light_Pos() - KxUtils::Vec3d(0, 0, 1)).norm(), 0.5);
    // The view's matrix passes through GL in single precision.
    Expect_Near(params.Silhouette().Light().Light_Pos(), KxUtils::Vec3d(0.3, 2, 3), 1e-6);
}

TEST_F(Pipeline, OpeningRefusesOtherTypesAndKeepsTheItem)
{
    Open(Bundled_Model("cow.obj"));
    KxCAppItem* before = driver->AppItem();
    const struct {
        const char* name;
        const char* message;
    } cases[] = {{"cow.OBJ", "Form1::Read_OrvImage: Invalid file type"},
                 {"cow.oi", "Form1::Read_OrvImage: oi file is not supported now...sorry"},
                 {"cow.ply", "Form1::Read_OrvImage: Invalid file type"}};
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(driver->Read_OrvImage(&io, c.name));
        EXPECT_NE(testing::internal::GetCapturedStderr().find(c.message), std::string::npos) << c.name;
        EXPECT_EQ(driver->AppItem(), before);
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(driver->Read_OrvImage(&io, "/nonexistent/cow.obj"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Form1::Read_Model: Read mesh obj file failed"),
              std::string::npos);
    ASSERT_NE(driver->AppItem(), nullptr);
    EXPECT_EQ(driver->AppItem()->CurMeshItem(), nullptr);
}

namespace {

/// What a saved picture file is, from its first bytes and, for the vector types, the page size.
struct KxSavedKind {
    const char* ext;
    const char* magic; ///< the file's first bytes
    const char* page;  ///< how the page size of a 320 x 240 view appears, or "" for bitmaps
};

class PipelineSave : public Pipeline, public ::testing::WithParamInterface<KxSavedKind> {};

} // namespace

TEST_P(PipelineSave, WritesAValidFileOfItsTypeAndNothingElse)
{
    const KxSavedKind& kind = GetParam();
    Open(Bundled_Model("cow.obj"));
    driver->ToolBarExecuBtn_Click();
    TempDir dir;
    const std::string file = (dir / (std::string("pic") + kind.ext)).string();
    std::string written;
    ASSERT_TRUE(driver->Save_Image(&Item(), file, KxEnumOrvaneMode::Orvane, &written));
    EXPECT_EQ(written, file);
    const std::string bytes = Read_File(file);
    EXPECT_EQ(bytes.compare(0, std::strlen(kind.magic), kind.magic), 0) << kind.ext;
    EXPECT_GT(bytes.size(), 2000u);
    if (*kind.page) EXPECT_NE(bytes.find(kind.page), std::string::npos) << kind.ext;
    else {
        const cv::Mat back = cv::imread(file);
        EXPECT_EQ(back.cols, kW);
        EXPECT_EQ(back.rows, kH);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Types, PipelineSave,
                         ::testing::Values(KxSavedKind{".eps", "%!PS-Adobe", "%%BoundingBox: 0 0 320 240"},
                                           KxSavedKind{".svg", "<?xml", "width=\"320.000000pt\" height=\"240.000000pt\""},
                                           KxSavedKind{".pdf", "%PDF-", "/MediaBox[0 0 320.000000 240.000000]"},
                                           KxSavedKind{".png", "\x89PNG", ""}, KxSavedKind{".bmp", "BM", ""}),
                         [](const auto& info) { return std::string(info.param.ext + 1); });

TEST_F(Pipeline, SceneModeSavesTheShadedModelAsABitmapBesideTheName)
{
    Open(Bundled_Model("cow.obj"));
    TempDir dir;
    std::string written;
    ASSERT_TRUE(driver->Save_Image(&Item(), (dir / "pic.eps").string(), KxEnumOrvaneMode::Scene, &written));
    EXPECT_EQ(written, (dir / "pic.bmp").string());
    EXPECT_FALSE(fs::exists(dir / "pic.eps"));
    const cv::Mat shaded = cv::imread(written);
    ASSERT_EQ(shaded.cols, kW);
    cv::Mat white;
    cv::inRange(shaded, cv::Scalar(255, 255, 255), cv::Scalar(255, 255, 255), white);
    EXPECT_GT(kW * kH - cv::countNonZero(white), kW * kH / 20) << "the shaded model is missing";
}

// Everything that can go wrong in a save leaves no file and tells the user why.
TEST_F(Pipeline, FailedSavesLeaveNothingBehindAndTellTheUser)
{
    TempDir dir, bare;
    Write_File(dir / "plain", "not a folder");
    const char* saved_path = std::getenv("PATH");
    const std::string path_before = saved_path ? saved_path : "";
    const struct {
        std::string file;
        bool no_tracer;
        const char* reason;
    } cases[] = {
        {(dir / "missing" / "pic.eps").string(), false, "No such file or directory"},
        {(dir / "plain" / "pic.png").string(), false, "Not a directory"},
        {(dir / "pic.eps").string(), true, "tracer not found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        // Without a tracer beside the program and on PATH.
        if (c.no_tracer) setenv("PATH", bare.path().c_str(), 1);
        Make(c.no_tracer ? bare.path().string() : std::string(ORVANE_SOURCE_DIR));
        Open(Bundled_Model("cow.obj"));
        driver->ToolBarExecuBtn_Click();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(driver->Save_Image(&Item(), c.file, KxEnumOrvaneMode::Orvane));
        const std::string err = testing::internal::GetCapturedStderr();
        setenv("PATH", path_before.c_str(), 1);
        EXPECT_EQ(err.rfind("Save bmp file failed\n", 0), 0u) << err;
        EXPECT_NE(err.find(c.reason), std::string::npos) << err;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
}

TEST_F(Pipeline, ATooSmallViewIsNotSaved)
{
    Open(Bundled_Model("cow.obj"));
    KxUtils::KxCOGLProjector::InstancePtr()->Viewport() = {0, 0, kW, 1};
    TempDir dir;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(driver->Save_Image(&Item(), (dir / "pic.png").string(), KxEnumOrvaneMode::Orvane));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Form1::Save_Image: Invalid viewport size"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

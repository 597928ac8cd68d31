// Sample masks of rendered meshes: rectangle, object mask, contours, distance
// images, stencil and depth values, and the inspection overlay.
#include <opencv2/core.hpp>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCMeshProp.h"
#include "render/KxCOGLProjector.h"
#include "sampling/KxCStencilMask.h"
#include "test_support.h"

using OrvaneImage::KxCAppMesh;
using OrvaneImage::KxCStencilMask;

namespace {

constexpr int kSize = 256;

/// A 256 x 256 panel seen through an orthographic view of [-1, 1]^2 (depth -10 .. 10), so a
/// sphere of radius 0.5 at the origin covers a disc of radius 64 pixels about (128, 128).
class MaskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = KxOGLPanel::KxCHeadlessPanel::Create(kSize, kSize);
        ASSERT_TRUE(panel) << "a headless OpenGL context is required (Mesa EGL)";
        orvane_test::Capture_Ortho(-1, 1, -1, 1, {0, 0, kSize, kSize});
    }

    /// Sphere(s) of radius r at the given centres, with a bounding box.
    void Spheres(const std::vector<OpenMesh::Vec3d>& centres, double r = 0.5)
    {
        for (const auto& c : centres) orvane_test::Make_Sphere(mesh, r, 4, c);
        mesh.Request_AABB(false);
    }

    std::unique_ptr<KxOGLPanel::KxCHeadlessPanel> panel;
    KxCAppMesh mesh;
    KxCStencilMask mask;
};

double Max_Of(const cv::Mat& m)
{
    double hi = 0;
    cv::minMaxLoc(m, nullptr, &hi);
    return hi;
}

} // namespace

TEST_F(MaskTest, SphereSeenHeadOnIsADisc)
{
    Spheres({{0, 0, 0}});
    ASSERT_TRUE(mask.Create(&mesh, KxCStencilMask::Mode_Depth));
    const double disc = M_PI * 64 * 64;
    EXPECT_NEAR(mask.Area(), disc, 0.02 * disc);
    const auto& c = mask.Rectangle()->Corners();
    for (const double v : {c[0][0], c[0][1]}) EXPECT_NEAR(v, 64, 1.5);
    for (const double v : {c[2][0], c[2][1]}) EXPECT_NEAR(v, 191, 1.5);

    const cv::Mat& m = *mask.Mask_Image()->Matrix();
    EXPECT_EQ(m.cols, mask.Rectangle()->Width());
    EXPECT_EQ(m.rows, mask.Rectangle()->Height());
    EXPECT_EQ(cv::countNonZero(m == 255), static_cast<int>(mask.Area()));
    ASSERT_EQ(mask.Contour()->Contours().size(), 1u);
    EXPECT_NEAR(mask.Contour()->Contours()[0]->Length(), 2 * M_PI * 64, 0.05 * 2 * M_PI * 64);

    EXPECT_NEAR(Max_Of(*mask.Dist_Image()->Matrix()), 64, 2);
    EXPECT_NEAR(mask.Dist_to_Bdry({128, 128}, false), 64, 2);
    EXPECT_EQ(mask.Dist_to_Bdry({c[0][0], c[0][1]}, false), 0.0); // background corner of the rectangle
    EXPECT_EQ(mask.Dist_to_Bdry({10, 10}, false), 0.0);            // outside the rectangle
    const cv::Mat& d2 = *mask.Dist2_Image()->Matrix();
    ASSERT_EQ(d2.size(), cv::Size(kSize, kSize));
    EXPECT_EQ(d2.at<float>(128, 128), 0.0f);
    EXPECT_NEAR(d2.at<float>(0, 0), std::hypot(128.0, 128.0) - 64, 2);

    EXPECT_TRUE(mask.Intersect(128, 128));
    EXPECT_FALSE(mask.Intersect(c[0][0], c[0][1]));
    EXPECT_FALSE(mask.Intersect(10, 10));
    float depth = -1;
    ASSERT_TRUE(mask.get_Depth(128, 128, depth));
    EXPECT_NEAR(depth, 0.475, 0.002); // the sphere's front point, z = 0.5
    EXPECT_FALSE(mask.get_Depth(10, 10, depth));
}

TEST_F(MaskTest, ModelPartlyOutsideTheViewportIsClamped)
{
    Spheres({{1, -1, 0}}); // centred on the lower-right corner of the view
    ASSERT_TRUE(mask.Create(&mesh, 0));
    const auto& c = mask.Rectangle()->Corners();
    EXPECT_EQ(c[2][0], kSize - 1);
    EXPECT_EQ(c[0][1], 0);
    EXPECT_NEAR(c[0][0], 192, 1.5);
    EXPECT_NEAR(c[2][1], 63, 1.5);
    // A quarter of the disc is visible.
    EXPECT_NEAR(mask.Area(), M_PI * 64 * 64 / 4, 0.03 * M_PI * 64 * 64 / 4);
    // Object pixels on the rectangle's edge border the background beyond it.
    EXPECT_EQ(mask.Dist_to_Bdry({kSize - 1, 10}, false), 1.0);
    EXPECT_EQ(mask.Dist_to_Bdry({kSize - 11, 0}, false), 1.0);
    EXPECT_NEAR(mask.Dist_to_Bdry({kSize - 11, 10}, false), 11, 0.5);
}

TEST_F(MaskTest, TwoDisjointPartsShareOneRectangle)
{
    Spheres({{-0.5, 0.5, 0}, {0.5, -0.5, 0}}, 0.25);
    ASSERT_TRUE(mask.Create(&mesh, 0));
    EXPECT_EQ(mask.Contour()->Contours().size(), 2u);
    const auto& c = mask.Rectangle()->Corners();
    EXPECT_NEAR(c[0][0], 32, 1.5);
    EXPECT_NEAR(c[0][1], 32, 1.5);
    EXPECT_NEAR(c[2][0], 223, 1.5);
    EXPECT_NEAR(c[2][1], 223, 1.5);
    EXPECT_NEAR(mask.Area(), 2 * M_PI * 32 * 32, 0.03 * 2 * M_PI * 32 * 32);
    EXPECT_FALSE(mask.Intersect(128, 128)); // between the two parts
}

TEST_F(MaskTest, FailuresLeaveTheirChainOfLines)
{
    struct Case {
        const char* name;
        OpenMesh::Vec3d centre;
        int mode;
        std::string lines;
    } cases[] = {
        {"off-screen", {5, 0, 0}, 0, "KxCSampleMask::Create: Create_Rect failed\n"},
        {"beyond the far plane", {0, 0, -20}, 0,
         "KxCStencilMask::Create_Specific: Find_Bounding_Info failed.\nKxCSampleMask::Create: Create_Specific failed\n"},
    };
    for (const auto& c : cases) {
        KxCAppMesh m;
        orvane_test::Make_Sphere(m, 0.5, 2, c.centre);
        m.Request_AABB(false);
        KxCStencilMask k;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(k.Create(&m, c.mode)) << c.name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.lines) << c.name;
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mask.Create(nullptr, 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KxCSampleMask::Create_Rect: Invalid inputs\nKxCSampleMask::Create: Create_Rect failed\n");
}

TEST_F(MaskTest, LookUpsWithoutTheirMaps)
{
    float depth = 0;
    unsigned int stencil = 0;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mask.get_Stencil(1, 1, stencil));
    EXPECT_FALSE(mask.Create_Aux());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KxCStencilMask::get_Stencil: No stencil map exist\n"
              "KxCSampleMask::Create_Aux: Invalid mask image / bounding rectangle\n");

    Spheres({{0, 0, 0}});
    ASSERT_TRUE(mask.Create(&mesh, 0));
    ASSERT_TRUE(mask.get_Stencil(128, 128, stencil));
    EXPECT_EQ(stencil, 1u);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mask.get_Depth(128, 128, depth));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCSampleMask::get_Depth: No depth map exist\n");
}

TEST_F(MaskTest, OverlayDrawsTheMaskInsideItsRectangle)
{
    Spheres({{0, 0, 0}});
    ASSERT_TRUE(mask.Create(&mesh, 0));
    OrvaneImage::KxCSampleMaskProp prop;
    prop.set_Mask(true);
    panel->set_Paint_Handler([&] { mask.Render(&prop); });
    panel->Repaint();
    const auto rgba = panel->Read_RGBA();
    int red = 0, outside = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const unsigned char* p = &rgba[(y * kSize + x) * 4];
            if (p[0] == 255 && p[1] == 0 && p[2] == 0) ++red;
            else if (mask.Intersect(x, y)) ++outside; // an object pixel left unpainted
        }
    EXPECT_EQ(red, static_cast<int>(mask.Area()));
    EXPECT_EQ(outside, 0);
}

TEST_F(MaskTest, DepthUnprojectsOntoTheSurfaceUpToTheRim)
{
    // Edge-on triangles at the silhouette must not have their depth pushed back.
    Spheres({{0, 0, 0}});
    ASSERT_TRUE(mask.Create(&mesh, KxCStencilMask::Mode_Depth));
    const auto* projector = KxUtils::KxCOGLProjector::InstancePtr();
    double worst = 0;
    for (int y = 60; y < 196; ++y)
        for (int x = 60; x < 196; ++x) {
            float depth = 0;
            if (!mask.Intersect(x, y) || !mask.get_Depth(x, y, depth)) continue;
            double q[3];
            projector->UnProject(x + 0.5, y + 0.5, depth, q);
            worst = std::max(worst, std::abs(std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]) - 0.5));
        }
    EXPECT_LT(worst, 0.02);
}

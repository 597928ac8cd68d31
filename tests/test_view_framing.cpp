// Framing a model in a view: every corner of its box in sight, the box filling
// the chosen share of the height (or of the width, when that is tighter).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "test_support.h"
#include "ui/KxViewFraming.h"

using namespace orvane_test;
using KxUtils::Vec3d;

namespace {

/// The largest |x| and |y| in normalised device coordinates of the box's corners, and
/// whether all of them lie in front of the camera between the near and far planes.
struct KxExtent {
    double x = 0, y = 0;
    bool in_depth = true;
};

KxExtent Corner_Extent(const KxOGLPanel::KxOGLPanelControl& panel, const Vec3d& lo, const Vec3d& hi)
{
    const KxUtils::KxCMatrix4d pm = panel.Projection_Matrix() * panel.Modelview_Matrix();
    KxExtent e;
    for (int i = 0; i < 8; ++i) {
        const Vec3d c(i & 1 ? hi[0] : lo[0], i & 2 ? hi[1] : lo[1], i & 4 ? hi[2] : lo[2]);
        double clip[4] = {0, 0, 0, 0};
        for (int r = 0; r < 4; ++r) clip[r] = pm(r, 0) * c[0] + pm(r, 1) * c[1] + pm(r, 2) * c[2] + pm(r, 3);
        e.x = std::max(e.x, std::abs(clip[0] / clip[3]));
        e.y = std::max(e.y, std::abs(clip[1] / clip[3]));
        e.in_depth = e.in_depth && clip[3] > 0 && std::abs(clip[2] / clip[3]) < 1;
    }
    return e;
}

} // namespace

TEST(ViewFraming, TheBoxFillsThreeQuartersOfTheTighterSideFromAnyDirection)
{
    auto panel = KxOGLPanel::KxCHeadlessPanel::Create(320, 240);
    ASSERT_TRUE(panel);
    const struct {
        Vec3d lo, hi;
        double yaw, pitch;
    } cases[] = {
        {{-0.2, 0, -0.1}, {0.2, 1, 0.1}, 0, 0},     // tall: the height decides
        {{-0.5, 0, -0.1}, {0.5, 0.2, 0.1}, 0, 0},   // wide: the width decides
        {{-0.5, 0, -0.1}, {0.5, 0.2, 0.1}, 90, 0},  // the same box seen from its end
        {{-0.3, 0, -0.3}, {0.3, 0.6, 0.3}, 30, 45}, // from above and aside
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "yaw " << c.yaw << " pitch " << c.pitch);
        panel->Trackball().Rotation = {0.5, 0.5, 0.5, 0.5};
        KxOGLPanel::Frame_Box(*panel, c.lo, c.hi, c.yaw, c.pitch);
        EXPECT_EQ(panel->Trackball().Rotation, (std::array<double, 4>{1, 0, 0, 0}));
        Expect_Near(panel->Camera().Center, (c.lo + c.hi) * 0.5);
        const KxExtent e = Corner_Extent(*panel, c.lo, c.hi);
        EXPECT_TRUE(e.in_depth);
        EXPECT_NEAR(std::max(e.x, e.y), 0.75, 1e-9);
    }
    // Seen from +x the wide box is narrow; seen from the front it is wide.
    const Vec3d lo(-0.5, 0, -0.1), hi(0.5, 0.2, 0.1);
    KxOGLPanel::Frame_Box(*panel, lo, hi, 0, 0);
    EXPECT_NEAR(panel->Camera().Eye[0], 0.0, 1e-12);
    EXPECT_GT(panel->Camera().Eye[2], 0.5);
    KxOGLPanel::Frame_Box(*panel, lo, hi, 90, 0);
    EXPECT_GT(panel->Camera().Eye[0], 0.5);
}

#include <gtest/gtest.h>

#include <cmath>

#include "pipeline/util/KxOGL.h"
#include "test_support.h"

using KxOGLPanel::KxCHeadlessPanel;
using KxUtils::Vec3d;
using namespace orvane_test;

namespace {

class Panel : public GLTest {};

TEST_F(Panel, PaintSetsViewportMatricesAndClearsToTheBackColour)
{
    panel->Look_At(0, 0, 2, 0, 0, 0, 0, 1, 0);
    GLint viewport[4];
    GLdouble mv[16];
    const auto pixels = Paint([&] {
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    });
    EXPECT_EQ(viewport[2], kSize);
    EXPECT_EQ(viewport[3], kSize);
    EXPECT_DOUBLE_EQ(mv[14], -2.0);
    EXPECT_DOUBLE_EQ(mv[0], 1.0);
    EXPECT_EQ(Ink(pixels), 0);
    panel->set_Back_Color(0, 0, 0);
    EXPECT_EQ(Ink(Paint({})), kSize * kSize);
}

TEST_F(Panel, TrackballTurnsAboutTheCameraCentre)
{
    panel->Look_At(0, 0, 5, 1, 0, 0, 0, 1, 0);
    const double h = std::sqrt(0.5);
    panel->Trackball().Rotation = {h, 0, h, 0}; // 90 degrees about the view's y axis
    const auto m = panel->Modelview_Matrix();
    // The centre stays where the camera looks.
    const Vec3d c = m.Transform_Point(Vec3d(1, 0, 0));
    EXPECT_NEAR(c[0], 0.0, 1e-12);
    EXPECT_NEAR(c[1], 0.0, 1e-12);
    EXPECT_NEAR(c[2], -std::sqrt(26.0), 1e-12);
    // A quarter turn about y carries a point right of the centre to behind it.
    panel->Look_At(0, 0, 5, 0, 0, 0, 0, 1, 0);
    const Vec3d q = panel->Modelview_Matrix().Transform_Point(Vec3d(1, 0, 0));
    EXPECT_NEAR(q[0], 0.0, 1e-12);
    EXPECT_NEAR(q[2], -6.0, 1e-12);
    // The trackball's pan moves everything in eye coordinates.
    panel->Look_At(0, 0, 5, 1, 0, 0, 0, 1, 0);
    panel->Trackball().Translation = Vec3d(0.5, 0, 0);
    EXPECT_NEAR(panel->Modelview_Matrix().Transform_Point(Vec3d(1, 0, 0))[0], 0.5, 1e-12);
}

TEST(PanelViewFiles, SaveAndReadRoundTripExactly)
{
    auto a = KxCHeadlessPanel::Create(8, 8);
    auto b = KxCHeadlessPanel::Create(16, 4);
    ASSERT_TRUE(a && b);
    a->Look_At(0.1, -2.0 / 3.0, 1e-7, 1.0 / 7.0, 0, 3, 0, 1, 0.25);
    a->Camera().Zoom = 1.2345678901234567;
    a->Trackball().Rotation = {0.5, -0.5, 0.5, std::sqrt(0.25)};
    a->Trackball().Translation = Vec3d(M_PI, -M_E, 1e-300);
    TempDir dir;
    ASSERT_TRUE(a->Save_Modelview((dir / "cam.view").string()));
    ASSERT_TRUE(b->Read_Modelview((dir / "cam.view").string()));
    EXPECT_EQ(b->Modelview_Matrix().m, a->Modelview_Matrix().m);
    EXPECT_EQ(b->Camera().Zoom, a->Camera().Zoom);
    EXPECT_EQ(b->Trackball().Translation, a->Trackball().Translation);
}

TEST(PanelViewFiles, BadFilesLeaveTheViewUnchanged)
{
    auto p = KxCHeadlessPanel::Create(8, 8);
    ASSERT_TRUE(p);
    p->Look_At(0, 0, 3, 0, 0, 0, 0, 1, 0);
    const auto before = p->Modelview_Matrix();
    TempDir dir;
    const std::string good = "orvane-view 1\neye 0 0 1\ncenter 0 0 0\nup 0 1 0\nrotation 1 0 0 0\n"
                             "translation 0 0 0\nzoom 1\n";
    const std::string cases[] = {
        "",
        "not a view file\n",
        good.substr(0, good.find("zoom")),                       // a line missing
        "orvane-view 1\neye 0 0 nan\ncenter 0 0 0\nup 0 1 0\nrotation 1 0 0 0\ntranslation 0 0 0\nzoom 1\n",
        "orvane-view 1\neye 0 0\ncenter 0 0 0\nup 0 1 0\nrotation 1 0 0 0\ntranslation 0 0 0\nzoom 1\n",
    };
    for (const auto& text : cases) {
        Write_File(dir / "bad.view", text);
        EXPECT_FALSE(p->Read_Modelview((dir / "bad.view").string())) << text;
        EXPECT_EQ(p->Modelview_Matrix().m, before.m);
    }
    EXPECT_FALSE(p->Read_Modelview((dir / "missing.view").string()));
    EXPECT_FALSE(p->Save_Modelview((dir / "no" / "such" / "folder.view").string()));
    Write_File(dir / "good.view", good);
    EXPECT_TRUE(p->Read_Modelview((dir / "good.view").string()));
    EXPECT_DOUBLE_EQ(p->Modelview_Matrix()(2, 3), -1.0);
}

TEST(PanelCreation, InvalidSizeIsRefusedWithOneLine)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(KxCHeadlessPanel::Create(0, 10), nullptr);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
    EXPECT_NE(err.find("KxCHeadlessPanel::Create"), std::string::npos);
}

TEST(PanelCreation, TwoPanelsKeepTheirOwnContents)
{
    auto a = KxCHeadlessPanel::Create(8, 8);
    auto b = KxCHeadlessPanel::Create(8, 8);
    ASSERT_TRUE(a && b);
    a->set_Back_Color(0, 0, 0);
    a->Repaint();
    b->Repaint();
    a->Make_Current();
    EXPECT_EQ(Ink(a->Read_RGBA()), 64);
    b->Make_Current();
    EXPECT_EQ(Ink(b->Read_RGBA()), 0);
    EXPECT_TRUE(b->Resize(20, 10));
    EXPECT_EQ(b->Read_RGBA().size(), 20u * 10u * 4u);
}

} // namespace

// Splats and their container: defaults, deep copies, transforms, drawing of
// patches and markers, and the random texturer.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/params/KxCMeshProp.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxOGL.h"
#include "pipeline/util/KxRandom.h"
#include "render/KxCOGLProjector.h"
#include "render/KxCViewScope.h"
#include "splats/KxCDecalCntr.h"
#include "splats/KxCGEMap.h"
#include "splats/KxCTexturer.h"
#include "test_support.h"

using OrvaneImage::KxCAppMesh;
using OrvaneImage::KxCDecal;
using OrvaneImage::KxCDecalCntr;
using OrvaneImage::KxCDecalCntrProp;
using OrvaneImage::KxCDecalParam;
using OrvaneImage::KxCGEMap;
using OrvaneImage::KxCRandomTexturer;
using Vec2d = OpenMesh::Vec2d;
using Vec3d = OpenMesh::Vec3d;

namespace {


/// A splat with every field set to something other than its default.
void Fill_Splat(KxCDecal& d)
{
    d.Point2D() = Vec3d(10, 20, 0.5);
    d.Point3D() = Vec3d(1, 2, 3);
    d.VertexIdx() = 4;
    d.TextureID() = 9;
    d.Radius() = 2.0;
    d.Radius2() = 1.0;
    d.Scale() = 0.25;
    d.Rectangle().Create(Vec2d(1, 2), Vec2d(8, 9));
    d.VertexIndices() = {4, 5, 6};
    d.FaceIndices() = {7};
    d.VertexArray() = {Vec3d(0, 0, 0), Vec3d(1, 0, 0), Vec3d(0, 1, 0)};
    d.FaceArray() = {0, 1, 2};
    d.ParameterArray() = {Vec2d(0, 0), Vec2d(0.5, 0), Vec2d(0, 0.5)};
    d.TexCoordArray() = {Vec2d(0.5, 0.5), Vec2d(1, 0.5), Vec2d(0.5, 1)};
    d.Visible() = false;
    d.Boundary() = true;
}

void Expect_Filled(KxCDecal& d)
{
    EXPECT_EQ(d.Point2D(), Vec3d(10, 20, 0.5));
    EXPECT_EQ(d.Point3D(), Vec3d(1, 2, 3));
    EXPECT_EQ(d.VertexIdx(), 4);
    EXPECT_EQ(d.TextureID(), 9u);
    EXPECT_EQ(d.Radius(), 2.0);
    EXPECT_EQ(d.Radius2(), 1.0);
    EXPECT_EQ(d.Scale(), 0.25);
    EXPECT_EQ(d.Rectangle().Corners()[0], Vec2d(1, 2));
    EXPECT_EQ(d.Rectangle().Corners()[2], Vec2d(8, 9));
    EXPECT_EQ(d.VertexIndices(), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(d.FaceIndices(), std::vector<int>{7});
    EXPECT_EQ(d.VertexArray().size(), 3u);
    EXPECT_EQ(d.FaceArray(), (std::vector<unsigned int>{0, 1, 2}));
    EXPECT_EQ(d.ParameterArray()[1], Vec2d(0.5, 0));
    EXPECT_EQ(d.TexCoordArray()[2], Vec2d(0.5, 1));
    EXPECT_FALSE(d.Visible());
    EXPECT_TRUE(d.Boundary());
}

// ---- Splat model ----

TEST(Splat, NewSplatIsVisibleWithoutPatchOrTexture)
{
    KxCDecal d;
    EXPECT_TRUE(d.Visible());
    EXPECT_FALSE(d.Boundary());
    EXPECT_EQ(d.VertexIdx(), -1);
    EXPECT_EQ(d.TextureID(), 0u);
    EXPECT_EQ(d.Scale(), 1.0);
    EXPECT_EQ(d.Radius(), 0.0);
    EXPECT_EQ(d.Radius2(), 0.0);
    EXPECT_EQ(d.Point2D(), Vec3d(0, 0, 0));
    EXPECT_EQ(d.Point3D(), Vec3d(0, 0, 0));
    EXPECT_EQ(d.Rectangle().Width(), 0.0);
    EXPECT_TRUE(d.VertexIndices().empty());
    EXPECT_TRUE(d.FaceIndices().empty());
    EXPECT_TRUE(d.VertexArray().empty());
    EXPECT_TRUE(d.FaceArray().empty());
    EXPECT_TRUE(d.ParameterArray().empty());
    EXPECT_TRUE(d.TexCoordArray().empty());
    EXPECT_FALSE(d.is_Patch_Ready());
    EXPECT_FALSE(d.is_Texture_Ready());
}

TEST(Splat, ReadinessNeedsBothArraysOrTextureAndCoordinates)
{
    struct Case {
        bool vertices, faces, coords;
        unsigned int texture;
        bool patch, textured;
    };
    const Case cases[] = {
        {true, true, true, 3, true, true},   {true, false, true, 3, false, true}, {false, true, false, 3, false, false},
        {true, true, true, 0, true, false},  {true, true, false, 3, true, false},
    };
    for (const Case& k : cases) {
        KxCDecal d;
        if (k.vertices) d.VertexArray() = {Vec3d(0, 0, 0)};
        if (k.faces) d.FaceArray() = {0, 0, 0};
        if (k.coords) d.TexCoordArray() = {Vec2d(0.5, 0.5)};
        d.TextureID() = k.texture;
        EXPECT_EQ(d.is_Patch_Ready(), k.patch);
        EXPECT_EQ(d.is_Texture_Ready(), k.textured);
    }
}

TEST(Splat, CopiesAreDeepAndIndependent)
{
    KxCDecal a;
    Fill_Splat(a);
    KxCDecal b(a);
    KxCDecal c;
    c = a;
    Expect_Filled(b);
    Expect_Filled(c);
    // Changing the original changes neither copy.
    a.VertexIndices().push_back(99);
    a.ParameterArray()[1] = Vec2d(7, 7);
    a.Rectangle().Create(Vec2d(0, 0), Vec2d(3, 3));
    a.Visible() = true;
    a.Parameterize_Init();
    Expect_Filled(b);
    Expect_Filled(c);
    // Self-assignment changes nothing.
    KxCDecal& same = b;
    b = same;
    Expect_Filled(b);
}

TEST(Splat, ParameterizeInitClearsPatchAndRectangleOnly)
{
    KxCDecal d;
    Fill_Splat(d);
    d.Parameterize_Init();
    EXPECT_TRUE(d.VertexIndices().empty());
    EXPECT_TRUE(d.FaceIndices().empty());
    EXPECT_TRUE(d.VertexArray().empty());
    EXPECT_TRUE(d.FaceArray().empty());
    EXPECT_TRUE(d.ParameterArray().empty());
    EXPECT_TRUE(d.TexCoordArray().empty());
    EXPECT_EQ(d.Rectangle().Width(), 0.0);
    EXPECT_EQ(d.Rectangle().Corners()[2], Vec2d(0, 0));
    EXPECT_EQ(d.Point3D(), Vec3d(1, 2, 3));
    EXPECT_EQ(d.VertexIdx(), 4);
    EXPECT_EQ(d.TextureID(), 9u);
    EXPECT_EQ(d.Radius(), 2.0);
    EXPECT_EQ(d.Scale(), 0.25);
    EXPECT_FALSE(d.Visible());
    EXPECT_TRUE(d.Boundary());
}

// ---- Container ----

/// Counts its destructions.
struct Counted : KxCDecal {
    explicit Counted(int* n) : deaths(n) {}
    ~Counted() override { ++*deaths; }
    int* deaths;
};

TEST(SplatContainer, ClearAndDestructionFreeEverySplat)
{
    int deaths = 0;
    {
        KxCDecalCntr cntr;
        cntr.Clear(); // empty: harmless
        EXPECT_TRUE(cntr.Decals().empty());
        for (int i = 0; i < 3; ++i) cntr.Decals().push_back(new Counted(&deaths));
        cntr.Clear();
        EXPECT_TRUE(cntr.Decals().empty());
        EXPECT_EQ(deaths, 3);
        cntr.Clear();
        EXPECT_EQ(deaths, 3);
        cntr.Decals().push_back(new Counted(&deaths));
        cntr.Decals().push_back(new Counted(&deaths));
    }
    EXPECT_EQ(deaths, 5);
}

TEST(SplatContainer, RadiusTransformScalesTheBaseRadius)
{
    KxCDecalCntr cntr;
    for (double r : {0.5, 1.0, 2.0}) {
        auto* d = new KxCDecal;
        d->Radius2() = r;
        d->Radius() = 100;
        cntr.Decals().push_back(d);
    }
    KxCDecalParam param;
    param.set_Radius_Scale(1.5);
    cntr.Apply_RadiusXform(param);
    EXPECT_EQ(cntr.Decals()[0]->Radius(), 0.75);
    EXPECT_EQ(cntr.Decals()[1]->Radius(), 1.5);
    EXPECT_EQ(cntr.Decals()[2]->Radius(), 3.0);
    EXPECT_EQ(cntr.Decals()[2]->Radius2(), 2.0);
}

TEST(SplatContainer, TextureTransformOfScaleOneReproducesTheParameterizer)
{
    KxCAppMesh mesh;
    orvane_test::Make_Flat_Grid(mesh, 10);
    mesh.Request_TangentPlane();
    mesh.Request_Vertex_Flags();
    mesh.Request_Face_Flags();
    orvane_test::Capture_Ortho(0, 10, 0, 10, {0, 0, 64, 64});
    KxCDecalCntr cntr;
    for (int v : {60, 24, 96}) {
        auto* d = new KxCDecal;
        d->VertexIdx() = v;
        d->Radius() = 2.5;
        cntr.Decals().push_back(d);
    }
    KxCDecalParam param;
    KxCGEMap::InstancePtr()->Trick() = true;
    ASSERT_TRUE(KxCGEMap::InstancePtr()->Parameterize(&mesh, &cntr, &param));
    std::vector<std::vector<Vec2d>> made;
    for (KxCDecal* d : cntr.Decals()) made.push_back(d->TexCoordArray());

    param.set_Texture_Scale(1.0);
    cntr.Apply_TextureXform(param);
    for (std::size_t k = 0; k < made.size(); ++k) EXPECT_EQ(cntr.Decals()[k]->TexCoordArray(), made[k]);

    // Other scales stretch about the centre; a coordinate array of the wrong length is rebuilt.
    param.set_Texture_Scale(2.0);
    cntr.Decals()[1]->TexCoordArray().resize(2);
    cntr.Apply_TextureXform(param);
    for (KxCDecal* d : cntr.Decals()) {
        ASSERT_EQ(d->TexCoordArray().size(), d->ParameterArray().size());
        for (std::size_t i = 0; i < d->ParameterArray().size(); ++i)
            EXPECT_EQ(d->TexCoordArray()[i], d->ParameterArray()[i] * 2.0 + Vec2d(0.5, 0.5));
    }
}

// ---- Drawing ----

using orvane_test::GLTest;

/// Splats on an 11 x 11 vertex grid seen as [0, 10]^2 in the 64 x 64 panel.
class SplatDrawing : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        orvane_test::Make_Flat_Grid(mesh, 10);
        mesh.Request_TangentPlane();
        mesh.Request_Vertex_Flags();
        mesh.Request_Face_Flags();
        mesh.Request_AABB(false);
        orvane_test::Capture_Ortho(0, 10, 0, 10, {0, 0, kSize, kSize});
        panel->set_Back_Color(1, 1, 1, 1);
    }

    void TearDown() override
    {
        for (GLuint t : textures) glDeleteTextures(1, &t);
    }

    /// A solid, opaque black texture.
    GLuint Black_Texture()
    {
        std::vector<unsigned char> rgba(4 * 4 * 4, 0);
        for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
        GLuint id = 0;
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        textures.push_back(id);
        return id;
    }

    /// A parameterized splat around grid vertex (x, y).
    KxCDecal* Patch(int x, int y, double radius)
    {
        auto* d = new KxCDecal;
        d->VertexIdx() = y * 11 + x;
        d->Radius() = radius;
        d->Point3D() = mesh.point(mesh.vertex_handle(d->VertexIdx()));
        cntr.Decals().push_back(d);
        KxCDecalCntr one;
        one.Decals().push_back(d);
        KxCGEMap::InstancePtr()->Trick() = true;
        EXPECT_TRUE(KxCGEMap::InstancePtr()->Parameterize(&mesh, &one, &param));
        one.Decals().clear();
        return d;
    }

    /// A splat with only a window rectangle and centre.
    KxCDecal* Marker(const Vec2d& lo, const Vec2d& hi, bool boundary, bool visible = true)
    {
        auto* d = new KxCDecal;
        d->Rectangle().Create(lo, hi);
        d->Point2D() = Vec3d((lo[0] + hi[0]) / 2 + 0.5, (lo[1] + hi[1]) / 2 + 0.5, 0.5);
        d->Boundary() = boundary;
        d->Visible() = visible;
        cntr.Decals().push_back(d);
        return d;
    }

    /// Draws the container as the final rendering does, in the captured camera.
    std::vector<unsigned char> Draw(const KxCDecalCntrProp& prop, KxCAppMesh* m = nullptr)
    {
        return Paint([&] {
            const KxUtils::KxCViewScope view(KxUtils::KxCViewScope::KxEnumView::Captured);
            cntr.Render(m ? m : &mesh, &prop);
        });
    }

    static int Count_Color(const std::vector<unsigned char>& rgba, int r, int g, int b)
    {
        int n = 0;
        for (std::size_t i = 0; i < rgba.size(); i += 4) n += rgba[i] == r && rgba[i + 1] == g && rgba[i + 2] == b;
        return n;
    }

    static int Color_In(const std::vector<unsigned char>& rgba, int r, int g, int b, int x0, int y0, int x1, int y1)
    {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const std::size_t i = (static_cast<std::size_t>(y) * kSize + x) * 4;
                n += rgba[i] == r && rgba[i + 1] == g && rgba[i + 2] == b;
            }
        return n;
    }

    static KxCDecalCntrProp Switches(bool decal, bool p3, bool p2, bool rect, bool boundary)
    {
        KxCDecalCntrProp p;
        p.set_Decal(decal);
        p.set_Point3D(p3);
        p.set_Point2D(p2);
        p.set_Rectangle(rect);
        p.set_Boundary(boundary);
        return p;
    }

    KxCAppMesh mesh;
    KxCDecalCntr cntr;
    KxCDecalParam param;
    std::vector<GLuint> textures;
};

TEST_F(SplatDrawing, OnlyVisibleTexturedPatchesDraw)
{
    struct Case {
        const char* name;
        bool texture, visible, decal_switch;
        bool ink;
    };
    const Case cases[] = {
        {"textured and visible", true, true, true, true},
        {"texture name 0", false, true, true, false},
        {"invisible", true, false, true, false},
        {"splats switched off", true, true, false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        cntr.Clear();
        KxCDecal* d = Patch(5, 5, 2.5);
        ASSERT_TRUE(d->is_Patch_Ready());
        if (k.texture) d->TextureID() = Black_Texture();
        d->Visible() = k.visible;
        const auto rgba = Draw(Switches(k.decal_switch, false, false, false, false));
        const int ink = orvane_test::Ink(rgba);
        if (!k.ink) {
            EXPECT_EQ(ink, 0);
            continue;
        }
        // The patch (a disc of radius 2.5 cut to grid faces) covers pixels 19 ... 44 at most.
        EXPECT_GT(ink, 300);
        EXPECT_EQ(Count_Color(rgba, 0, 0, 0), ink); // the texture replaces the white colour
        EXPECT_EQ(Color_In(rgba, 0, 0, 0, 19, 19, 44, 44), ink);
    }
}

TEST_F(SplatDrawing, LaterSplatsDrawOverEarlierOnes)
{
    KxCDecal* first = Patch(5, 5, 2.5);
    KxCDecal* second = Patch(5, 5, 2.5);
    first->TextureID() = Black_Texture();
    // An opaque red texture for the second one.
    std::vector<unsigned char> rgba(4 * 4 * 4, 0);
    for (std::size_t i = 0; i < rgba.size(); i += 4) rgba[i] = rgba[i + 3] = 255;
    GLuint red = 0;
    glGenTextures(1, &red);
    textures.push_back(red);
    glBindTexture(GL_TEXTURE_2D, red);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    second->TextureID() = red;
    const auto img = Draw(Switches(true, false, false, false, false));
    EXPECT_GT(Count_Color(img, 255, 0, 0), 300);
    EXPECT_EQ(Count_Color(img, 0, 0, 0), 0);
}

TEST_F(SplatDrawing, RectanglesAreRedForBoundarySplatsOnlyWithTheBoundarySwitch)
{
    Marker(Vec2d(5, 5), Vec2d(25, 25), true);
    Marker(Vec2d(35, 35), Vec2d(58, 58), false);
    Marker(Vec2d(5, 35), Vec2d(25, 58), true, false); // invisible: never outlined
    struct Case {
        const char* name;
        bool boundary;
        bool first_red;
    };
    for (const Case& k : {Case{"boundary on", true, true}, Case{"boundary off", false, false}}) {
        SCOPED_TRACE(k.name);
        const auto rgba = Draw(Switches(false, false, false, true, k.boundary));
        const int red1 = Color_In(rgba, 255, 0, 0, 4, 4, 26, 26), blue1 = Color_In(rgba, 0, 0, 255, 4, 4, 26, 26);
        const int red2 = Color_In(rgba, 255, 0, 0, 34, 34, 59, 59), blue2 = Color_In(rgba, 0, 0, 255, 34, 34, 59, 59);
        EXPECT_GT(k.first_red ? red1 : blue1, 60);
        EXPECT_EQ(k.first_red ? blue1 : red1, 0);
        EXPECT_GT(blue2, 70);
        EXPECT_EQ(red2, 0);
        EXPECT_EQ(orvane_test::Ink(rgba), red1 + blue1 + red2 + blue2); // outlines only, nothing else
        // Outlines, not filled: the inside of the first square stays white.
        EXPECT_EQ(Color_In(rgba, 255, 255, 255, 8, 8, 22, 22), 15 * 15);
    }
}

TEST_F(SplatDrawing, WindowCentresAreRedPoints)
{
    Marker(Vec2d(20, 20), Vec2d(44, 44), false);      // centre at (32.5, 32.5)
    Marker(Vec2d(0, 0), Vec2d(10, 10), false, false); // invisible
    const auto rgba = Draw(Switches(false, false, true, false, false));
    EXPECT_EQ(Count_Color(rgba, 255, 0, 0), 25);
    EXPECT_EQ(Color_In(rgba, 255, 0, 0, 30, 30, 34, 34), 25);
    EXPECT_EQ(orvane_test::Ink(rgba), 25);
}

TEST_F(SplatDrawing, SurfaceCentresNeedTheBoundingBox)
{
    // Zoomed in so that the marker (0.005 x the box diagonal, 0.07) is a few pixels wide.
    orvane_test::Capture_Ortho(4.5, 5.5, 4.5, 5.5, {0, 0, kSize, kSize});
    KxCDecal* d = Marker(Vec2d(0, 0), Vec2d(1, 1), false);
    d->Point3D() = Vec3d(5, 5, 0);
    const auto with_box = Draw(Switches(false, true, false, false, false));
    const double r_px = 0.005 * std::sqrt(200.0) * 64;
    EXPECT_NEAR(orvane_test::Ink(with_box), M_PI * r_px * r_px, 0.3 * M_PI * r_px * r_px);
    d->Visible() = false;
    EXPECT_EQ(orvane_test::Ink(Draw(Switches(false, true, false, false, false))), 0);
    d->Visible() = true;
    mesh.Release_AABB();
    EXPECT_EQ(orvane_test::Ink(Draw(Switches(false, true, false, false, false))), 0);
}

TEST_F(SplatDrawing, MissingArgumentsDrawNothingAndStateIsRestored)
{
    KxCDecal* d = Patch(5, 5, 2.5);
    d->TextureID() = Black_Texture();
    Marker(Vec2d(5, 5), Vec2d(25, 25), true);
    const KxCDecalCntrProp all = Switches(true, true, true, true, true);
    int ink = -1;
    Paint([&] {
        cntr.Render(nullptr, &all);
        cntr.Render(&mesh, nullptr);
    });
    ink = orvane_test::Ink(panel->Read_RGBA());
    EXPECT_EQ(ink, 0);

    GLint before[6], after[6];
    GLboolean enabled_before[5], enabled_after[5];
    const GLenum caps[5] = {GL_BLEND, GL_TEXTURE_2D, GL_LIGHTING, GL_POLYGON_OFFSET_FILL, GL_DEPTH_TEST};
    auto read = [&](GLint* v, GLboolean* e) {
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &v[0]);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &v[1]);
        glGetIntegerv(GL_POLYGON_MODE, &v[2]); // front and back
        glGetIntegerv(GL_DEPTH_FUNC, &v[4]);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &v[5]);
        for (int i = 0; i < 5; ++i) e[i] = glIsEnabled(caps[i]);
    };
    GLboolean arrays_after[2];
    Paint([&] {
        const KxUtils::KxCViewScope view(KxUtils::KxCViewScope::KxEnumView::Captured);
        read(before, enabled_before);
        cntr.Render(&mesh, &all);
        read(after, enabled_after);
        arrays_after[0] = glIsEnabled(GL_VERTEX_ARRAY);
        arrays_after[1] = glIsEnabled(GL_TEXTURE_COORD_ARRAY);
    });
    for (int i = 0; i < 6; ++i) EXPECT_EQ(after[i], before[i]) << "value " << i;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(enabled_after[i], enabled_before[i]) << "capability " << i;
    EXPECT_FALSE(arrays_after[0]);
    EXPECT_FALSE(arrays_after[1]);
    EXPECT_GT(orvane_test::Ink(panel->Read_RGBA()), 300);
}

// ---- Texturing ----

/// Restores the process-wide repeatability switch.
struct Fix_Rand_Guard {
    bool saved = AppGlobal::g_Fix_Rand;
    ~Fix_Rand_Guard() { AppGlobal::g_Fix_Rand = saved; }
};

class Texturing : public ::testing::Test {
protected:
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i) {
            auto* d = new KxCDecal;
            d->Visible() = i % 3 != 0; // invisible splats are textured too
            cntr.Decals().push_back(d);
        }
    }

    std::vector<unsigned int> Names()
    {
        std::vector<unsigned int> out;
        for (KxCDecal* d : cntr.Decals()) out.push_back(d->TextureID());
        return out;
    }

    /// The draws of a run after SRand(seed): index floor(r / 32767 x (n - 1)) per splat.
    static std::vector<unsigned int> Expected(unsigned int seed, std::size_t splats,
                                              const std::vector<unsigned int>& list)
    {
        KxUtils::SRand(seed);
        std::vector<unsigned int> out;
        for (std::size_t i = 0; i < splats; ++i)
            out.push_back(list[static_cast<std::size_t>(std::floor(KxUtils::Rand() / 32767.0 * (list.size() - 1)))]);
        return out;
    }

    Fix_Rand_Guard guard;
    KxCAppMesh mesh;
    KxCDecalCntr cntr;
    KxCRandomTexturer& texturer = *KxCRandomTexturer::InstancePtr();
};

TEST_F(Texturing, ListsPickTheExpectedNames)
{
    AppGlobal::g_Fix_Rand = true;
    Fill(200);
    struct Case {
        const char* name;
        std::vector<unsigned int> preferred, full;
        std::function<bool(unsigned int, int)> ok; // texture name, draw r
    };
    const Case cases[] = {
        {"one texture", {}, {7}, [](unsigned int t, int) { return t == 7; }},
        {"two textures", {}, {3, 5}, [](unsigned int t, int r) { return t == (r == 32767 ? 5u : 3u); }},
        {"preferred list wins", {11}, {3, 5}, [](unsigned int t, int) { return t == 11; }},
        {"preferred pair", {11, 12}, {3}, [](unsigned int t, int r) { return t == (r == 32767 ? 12u : 11u); }},
        {"three textures", {}, {1, 2, 4},
         [](unsigned int t, int r) { return t == (r < 16383.5 ? 1u : r < 32767 ? 2u : 4u); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ASSERT_TRUE(texturer.Texture(&mesh, &cntr, k.preferred, k.full));
        KxUtils::SRand(1024);
        const auto names = Names();
        for (std::size_t i = 0; i < names.size(); ++i) {
            const int r = KxUtils::Rand();
            EXPECT_TRUE(k.ok(names[i], r)) << "splat " << i << " r " << r << " got " << names[i];
        }
    }
}

TEST_F(Texturing, TheLastNameNeedsTheLargestDraw)
{
    AppGlobal::g_Fix_Rand = false;
    // A seed whose next draw is 32767.
    unsigned int seed = 0;
    for (;; ++seed) {
        KxUtils::SRand(seed);
        if (KxUtils::Rand() == 32767) break;
    }
    Fill(3);
    KxUtils::SRand(seed);
    ASSERT_TRUE(texturer.Texture(&mesh, &cntr, {}, {3, 5}));
    const auto names = Names();
    EXPECT_EQ(names[0], 5u);
    EXPECT_EQ(names, Expected(seed, 3, {3, 5}));
}

TEST_F(Texturing, FixRandRepeatsAndOtherwiseTheSequenceGoesOn)
{
    Fill(50);
    const std::vector<unsigned int> full = {10, 20, 30, 40, 50};
    AppGlobal::g_Fix_Rand = true;
    ASSERT_TRUE(texturer.Texture(&mesh, &cntr, {}, full));
    const auto first = Names();
    KxUtils::Rand(); // whatever happens in between
    ASSERT_TRUE(texturer.Texture(&mesh, &cntr, {}, full));
    EXPECT_EQ(Names(), first);
    EXPECT_EQ(first, Expected(1024, 50, full));

    AppGlobal::g_Fix_Rand = false;
    KxUtils::SRand(1024);
    ASSERT_TRUE(texturer.Texture(&mesh, &cntr, {}, full));
    EXPECT_EQ(Names(), first);
    ASSERT_TRUE(texturer.Texture(&mesh, &cntr, {}, full)); // no reseed: the next 50 draws
    EXPECT_NE(Names(), first);
}

TEST_F(Texturing, InvalidInputsFailWithTheirReport)
{
    Fill(2);
    KxCDecalCntr empty;
    std::vector<KxCDecal*> none;
    const std::string base = "KxCTexturer::Texture: Invalid inputs\n";
    const std::string random = "KxCRandomTexturer::Texture: Invalid inputs\n";
    struct Case {
        const char* name;
        std::function<bool()> call;
        std::string message;
    };
    const Case cases[] = {
        {"entry without mesh", [&] { return texturer.Texture(nullptr, &cntr, {}, {1}); }, base},
        {"entry without container",
         [&] { return texturer.Texture(&mesh, static_cast<KxCDecalCntr*>(nullptr), {}, {1}); }, base},
        {"empty container", [&] { return texturer.Texture(&mesh, &empty, {}, {1}); }, random},
        {"empty full list", [&] { return texturer.Texture(&mesh, &cntr, {}, {}); }, random},
        {"preferred list but empty full list", [&] { return texturer.Texture(&mesh, &cntr, {4}, {}); }, random},
        {"no mesh", [&] { return texturer.Texture(nullptr, cntr.Decals(), {}, {1}); }, random},
        {"no splats", [&] { return texturer.Texture(&mesh, none, {}, {1}); }, random},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        testing::internal::CaptureStderr();
        const bool ok = k.call();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), k.message);
        EXPECT_FALSE(ok);
        EXPECT_EQ(Names(), (std::vector<unsigned int>{0, 0}));
    }
}

} // namespace

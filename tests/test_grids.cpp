#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCStampGrid.h"
#include "composition/KxCWndGrid.h"
#include "pipeline/params/KxCGCntrProp.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCOGLProjector.h"
#include "test_support.h"

using namespace OrvaneImage;
using namespace orvane_test;
using KxUtils::Vec2d;

namespace {

void Expect_Vec(const Vec2d& a, double x, double y)
{
    EXPECT_DOUBLE_EQ(a[0], x);
    EXPECT_DOUBLE_EQ(a[1], y);
}

// ---- Rectangles ----

TEST(GridModel, CreateFromCornerAndSize)
{
    KxCGrid g(Vec2d(10, 20), 5, 3);
    ASSERT_EQ(g.Corners().size(), 4u);
    Expect_Vec(g.Corners()[0], 10, 20);
    Expect_Vec(g.Corners()[1], 14, 20);
    Expect_Vec(g.Corners()[2], 14, 22);
    Expect_Vec(g.Corners()[3], 10, 22);
    EXPECT_EQ(g.Width(), 5);
    EXPECT_EQ(g.Height(), 3);
    Expect_Vec(g.Center(), 12, 21);
    Expect_Vec(g.Diagonal(), 4, 2);
    EXPECT_EQ(g.Area(), 15);
}

TEST(GridModel, CreateFromMinAndMaxIsInclusive)
{
    KxCGrid g;
    g.Create(Vec2d(10, 20), Vec2d(14, 22));
    Expect_Vec(g.Corners()[0], 10, 20);
    Expect_Vec(g.Corners()[1], 14, 20);
    Expect_Vec(g.Corners()[2], 14, 22);
    Expect_Vec(g.Corners()[3], 10, 22);
    EXPECT_EQ(g.Width(), 5);
    EXPECT_EQ(g.Height(), 3);
    Expect_Vec(g.Center(), 12, 21);
    // Re-creating replaces the old rectangle entirely.
    g.Create(Vec2d(-3, 7), 2, 6);
    Expect_Vec(g.Corners()[2], -2, 12);
    Expect_Vec(g.Center(), -2.5, 9.5);
}

TEST(GridModel, IndexIsRowMajorInsideAndMinusOneOutside)
{
    const KxCGrid g(Vec2d(10, 20), 5, 3);
    struct Case { double x, y; int index; };
    const Case cases[] = {
        {10, 20, 0}, {14, 20, 4}, {10, 21, 5}, {12, 21, 7}, {14, 22, 14},
        {15, 22, -1}, {9, 20, -1}, {12, 23, -1}, {12, 19, -1}, {100, 100, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(g.get_Index(c.x, c.y), c.index) << "(" << c.x << ", " << c.y << ")";
    // Every pixel of the grid gets its own index in 0 ... 14.
    std::set<int> seen;
    for (int y = 20; y <= 22; ++y)
        for (int x = 10; x <= 14; ++x) seen.insert(g.get_Index(x, y));
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 14);
}

TEST(GridModel, ValidityNeedsAtLeastTwoByTwoPixels)
{
    struct Case { double w, h; bool valid; };
    const Case cases[] = {{1, 5, false}, {5, 1, false}, {1, 1, false}, {2, 2, true}, {2, 1, false}, {7, 3, true}};
    for (const Case& c : cases) EXPECT_EQ(KxCGrid(Vec2d(4, 4), c.w, c.h).is_Valid(), c.valid) << c.w << " x " << c.h;
    EXPECT_FALSE(KxCGrid().is_Valid());
}

TEST(GridModel, IntersectIsClosedOnEverySide)
{
    const KxCGrid g(Vec2d(10, 20), 5, 3); // pixels 10..14 x 20..22
    EXPECT_TRUE(g.Intersect(10, 20));
    EXPECT_TRUE(g.Intersect(14, 22));
    EXPECT_TRUE(g.Intersect(Vec2d(14, 21)));
    EXPECT_FALSE(g.Intersect(14.5, 21));
    EXPECT_FALSE(g.Intersect(9.5, 21));
    EXPECT_FALSE(g.Intersect(Vec2d(12, 22.5)));

    // Grids sharing only the edge column x = 14 (or row y = 22) overlap; one pixel apart they do not.
    EXPECT_TRUE(g.Intersect(KxCGrid(Vec2d(14, 0), 3, 40)));
    EXPECT_TRUE(KxCGrid(Vec2d(14, 0), 3, 40).Intersect(g));
    EXPECT_TRUE(g.Intersect(KxCGrid(Vec2d(0, 22), 40, 2)));
    EXPECT_FALSE(g.Intersect(KxCGrid(Vec2d(15, 0), 3, 40)));
    EXPECT_FALSE(g.Intersect(KxCGrid(Vec2d(0, 23), 40, 2)));
    EXPECT_TRUE(g.Intersect(Vec2d(0, 0), Vec2d(10, 20)));
    EXPECT_FALSE(g.Intersect(Vec2d(0, 0), Vec2d(9, 30)));
    // A rectangle inside the grid, and one around it.
    EXPECT_TRUE(g.Intersect(Vec2d(11, 21), Vec2d(12, 21)));
    EXPECT_TRUE(g.Intersect(Vec2d(0, 0), Vec2d(50, 50)));
}

// ---- Copies and clearing ----

TEST(GridCopy, CopyStartsWithZeroTransformAndAssignmentKeepsItsOwn)
{
    KxCGrid src(Vec2d(10, 20), 5, 3);
    src.XForm().m_Move = Vec2d(3, -4);
    src.XForm().m_Extra = Vec2d(1, 1);
    src.XForm().m_Angle = 30;

    const KxCGrid copy(src);
    Expect_Vec(copy.Corners()[2], 14, 22);
    Expect_Vec(copy.Center(), 12, 21);
    EXPECT_EQ(copy.Width(), 5);
    Expect_Vec(copy.XForm().m_Move, 0, 0);
    Expect_Vec(copy.XForm().m_Extra, 0, 0);
    EXPECT_EQ(copy.XForm().m_Angle, 0);

    KxCGrid target(Vec2d(0, 0), 2, 2);
    target.XForm().m_Move = Vec2d(7, 8);
    target.XForm().m_Angle = -15;
    target = src;
    Expect_Vec(target.Corners()[0], 10, 20);
    EXPECT_EQ(target.Height(), 3);
    Expect_Vec(target.XForm().m_Move, 7, 8);
    EXPECT_EQ(target.XForm().m_Angle, -15);

    // The transform's own copy carries every component.
    const KxCXForm xf(src.XForm());
    Expect_Vec(xf.m_Extra, 1, 1);
    EXPECT_EQ(xf.m_Angle, 30);
}

TEST(GridCopy, ClearResetsTheRectangleButNotTheTransform)
{
    KxCGrid g(Vec2d(10, 20), 5, 3);
    g.XForm().m_Move = Vec2d(2, 2);
    g.Clear();
    EXPECT_EQ(g.Width(), 0);
    EXPECT_EQ(g.Height(), 0);
    Expect_Vec(g.Center(), 0, 0);
    ASSERT_EQ(g.Corners().size(), 4u);
    for (const Vec2d& c : g.Corners()) Expect_Vec(c, 0, 0);
    Expect_Vec(g.XForm().m_Move, 2, 2);
}

TEST(GridCopy, SplatGridCopyCarriesTextureNamePointsAndFlags)
{
    KxCDecalGrid src;
    src.Create(Vec2d(1, 2), 4, 4);
    src.XForm().m_Angle = 12;
    src.TextureID() = 77;
    src.Share_Texture() = true; // no GL context here: nothing may be deleted
    src.Points() = {KxUtils::Vec2s(0, 0), KxUtils::Vec2s(3, 1), KxUtils::Vec2s(2, 3)};
    src.Boundary_Flag() = true;
    src.Stamp_Flag() = true;
    src.Enabled() = false;

    KxCDecalGrid copy(src);
    EXPECT_EQ(copy.TextureID(), 77u);
    EXPECT_EQ(copy.Texture_Area(), 3u);
    EXPECT_EQ(copy.Points()[1], KxUtils::Vec2s(3, 1));
    EXPECT_TRUE(copy.Share_Texture());
    EXPECT_TRUE(copy.Boundary_Flag());
    EXPECT_TRUE(copy.Stamp_Flag());
    EXPECT_FALSE(copy.Enabled());
    Expect_Vec(copy.Corners()[2], 4, 5);
    EXPECT_EQ(copy.XForm().m_Angle, 0);

    // Clear_Local resets only the splat fields; Clear also the rectangle.
    copy.Clear_Local();
    EXPECT_EQ(copy.TextureID(), 0u);
    EXPECT_EQ(copy.Texture_Area(), 0u);
    EXPECT_FALSE(copy.Share_Texture());
    EXPECT_FALSE(copy.Boundary_Flag());
    EXPECT_FALSE(copy.Stamp_Flag());
    EXPECT_TRUE(copy.Enabled());
    EXPECT_EQ(copy.Width(), 4);
    src.Clear();
    EXPECT_EQ(src.Width(), 0);
    EXPECT_EQ(src.TextureID(), 0u);
    EXPECT_TRUE(src.Enabled());
    EXPECT_EQ(src.XForm().m_Angle, 12);
}

// ---- Ownership ----

struct CountedSplatGrid : KxCDecalGrid {
    explicit CountedSplatGrid(int* deaths) : mp_Deaths(deaths) {}
    ~CountedSplatGrid() override { ++*mp_Deaths; }
    int* mp_Deaths;
};

struct CountedWindow : KxCWndGrid {
    explicit CountedWindow(int* deaths) : KxCWndGrid(Vec2d(0, 0), 8, 8), mp_Deaths(deaths) {}
    ~CountedWindow() override { ++*mp_Deaths; }
    int* mp_Deaths;
};

TEST(GridOwnership, StampDeletesItsCopiesAndForgetsItsWindow)
{
    int deaths = 0;
    KxCWndGrid window(Vec2d(0, 0), 8, 8);
    {
        KxCStampGrid tile(Vec2d(16, 16), 8, 8);
        tile.WindowGrid(&window);
        tile.DecalGrids() = {new CountedSplatGrid(&deaths), new CountedSplatGrid(&deaths)};
        tile.Clear_Local();
        EXPECT_EQ(deaths, 2);
        EXPECT_TRUE(tile.DecalGrids().empty());
        EXPECT_EQ(tile.WindowGrid(), nullptr);
        EXPECT_EQ(tile.Width(), 8); // the rectangle stays

        tile.WindowGrid(&window);
        tile.DecalGrids().push_back(new CountedSplatGrid(&deaths));
        tile.Clear();
        EXPECT_EQ(deaths, 3);
        EXPECT_EQ(tile.Width(), 0);
        EXPECT_EQ(tile.WindowGrid(), nullptr);

        tile.DecalGrids().push_back(new CountedSplatGrid(&deaths));
    }
    EXPECT_EQ(deaths, 4); // the destructor deletes what is left
}

TEST(GridOwnership, ContainersDeleteTheirGridsButWindowsOnlyReferToSplatGrids)
{
    int windows_gone = 0, splats_gone = 0;
    auto* splat_cntr = new KxCDecalGCntr;
    splat_cntr->Grids() = {new CountedSplatGrid(&splats_gone), new CountedSplatGrid(&splats_gone)};

    auto* wnd_cntr = new KxCWndGCntr;
    for (int i = 0; i < 3; ++i) {
        auto* w = new CountedWindow(&windows_gone);
        for (KxCGrid* g : splat_cntr->Grids()) w->DecalGrids().push_back(static_cast<KxCDecalGrid*>(g));
        wnd_cntr->Grids().push_back(w);
    }
    wnd_cntr->Grids()[0]->Clear();
    EXPECT_TRUE(static_cast<KxCWndGrid*>(wnd_cntr->Grids()[0])->DecalGrids().empty());
    EXPECT_EQ(splats_gone, 0);

    wnd_cntr->Clear();
    EXPECT_EQ(windows_gone, 3);
    EXPECT_TRUE(wnd_cntr->Grids().empty());
    EXPECT_EQ(splats_gone, 0);
    wnd_cntr->Grids().push_back(new CountedWindow(&windows_gone));
    delete wnd_cntr;
    EXPECT_EQ(windows_gone, 4);

    delete splat_cntr;
    EXPECT_EQ(splats_gone, 2);
}

// ---- Selection ----

// Rendering with every switch off draws nothing (and needs no GL) but still clamps.
TEST(GridSelection, EveryContainerClampsAndStoresTheSelection)
{
    struct Case { int grids, selected, stored; };
    const Case cases[] = {{3, 7, 2}, {3, -5, 0}, {3, -1, -1}, {3, 1, 1}, {3, 3, 2}, {1, INT_MIN, 0},
                          {0, 4, -1}, {0, -5, -1}, {0, 0, -1}, {0, -1, -1}};
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<KxCGridCntr>> cntrs;
        cntrs.emplace_back(new KxCGridCntr);
        cntrs.emplace_back(new KxCDecalGCntr);
        cntrs.emplace_back(new KxCWndGCntr);
        cntrs.emplace_back(new KxCStampGCntr);
        for (int i = 0; i < c.grids; ++i) {
            cntrs[0]->Grids().push_back(new KxCGrid(Vec2d(i * 10, 0), 5, 5));
            cntrs[1]->Grids().push_back(new KxCDecalGrid);
            cntrs[2]->Grids().push_back(new KxCWndGrid(Vec2d(i * 10, 0), 5, 5));
            cntrs[3]->Grids().push_back(new KxCStampGrid(Vec2d(i * 10, 0), 5, 5));
        }
        for (std::size_t k = 0; k < cntrs.size(); ++k) {
            KxCDecalGCntrProp prop;
            prop.set_Grid(false);
            prop.set_Selected(c.selected);
            cntrs[k]->Render(&prop);
            EXPECT_EQ(prop.Selected(), c.stored)
                << "container " << k << ", " << c.grids << " grids, selected " << c.selected;
        }
    }
}

// ---- Drawing ----

struct Box {
    int x0, y0, x1, y1; // inclusive pixels
    bool Has(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    Box Grown(int d) const { return {x0 - d, y0 - d, x1 + d, y1 + d}; }
};

Box Box_Of(const KxCGrid& g)
{
    return {static_cast<int>(g.Corners()[0][0]), static_cast<int>(g.Corners()[0][1]),
            static_cast<int>(g.Corners()[2][0]), static_cast<int>(g.Corners()[2][1])};
}

class GridDrawing : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        KxUtils::KxCOGLProjector::InstancePtr()->Viewport() = {0, 0, kSize, kSize};
    }

    /// A solid, opaque black texture.
    static GLuint Black_Texture()
    {
        std::vector<unsigned char> rgba(4 * 4 * 4, 0);
        for (std::size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
        GLuint id = 0;
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return id;
    }

    /// A splat grid owning a new black texture.
    static KxCDecalGrid* New_Splat(const Vec2d& lb, double w, double h)
    {
        auto* g = new KxCDecalGrid;
        g->Create(lb, w, h);
        g->TextureID() = Black_Texture();
        return g;
    }

    /// The stamper's copy: shares the source's texture, flagged for stamps.
    static KxCDecalGrid* Shared_Copy(const KxCDecalGrid& src, const Vec2d& lb)
    {
        auto* g = new KxCDecalGrid(src);
        g->Share_Texture() = true;
        g->Stamp_Flag() = true;
        g->Create(lb, src.Width(), src.Height());
        return g;
    }

    static int Ink_In(const std::vector<unsigned char>& rgba, const Box& b)
    {
        int n = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) n += b.Has(x, y) && Is_Ink(rgba, x, y);
        return n;
    }

    static int Ink_Outside(const std::vector<unsigned char>& rgba, const Box& b)
    {
        return Ink(rgba) - Ink_In(rgba, b);
    }

    static bool Is_Ink(const std::vector<unsigned char>& rgba, int x, int y)
    {
        const std::size_t i = (static_cast<std::size_t>(y) * kSize + x) * 4;
        return rgba[i] != 255 || rgba[i + 1] != 255 || rgba[i + 2] != 255;
    }

    /// Pixels of exactly this colour.
    static int Count_Color(const std::vector<unsigned char>& rgba, int r, int g, int b)
    {
        int n = 0;
        for (std::size_t i = 0; i < rgba.size(); i += 4) n += rgba[i] == r && rgba[i + 1] == g && rgba[i + 2] == b;
        return n;
    }

    /// The ink's bounding box; x0 > x1 when there is none.
    static Box Ink_Box(const std::vector<unsigned char>& rgba)
    {
        Box b{kSize, kSize, -1, -1};
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (Is_Ink(rgba, x, y)) b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, x), std::max(b.y1, y)};
        return b;
    }

    /// A w x h grid fills its w - 1 by h - 1 pixel squares between the corner positions.
    static int Filled(const KxCGrid& g) { return (static_cast<int>(g.Width()) - 1) * (static_cast<int>(g.Height()) - 1); }

    /// One 8 x 8 source splat grid, its window, and a stamp container with one
    /// 32 x 32 tile at the origin that copies the window (no copies yet).
    struct StampScene {
        StampScene()
        {
            splats.Grids().push_back(src);
            tile->WindowGrid(&window);
            stamps.Grids().push_back(tile);
        }
        KxCDecalGCntr splats;
        KxCDecalGrid* src = New_Splat(Vec2d(0, 0), 8, 8);
        KxCWndGrid window{Vec2d(0, 0), 8, 8};
        KxCStampGCntr stamps;
        KxCStampGrid* tile = new KxCStampGrid(Vec2d(0, 0), 32, 32);
    };
};

TEST_F(GridDrawing, SharedTextureSurvivesItsCopyAndDiesWithItsOwner)
{
    auto* splats = new KxCDecalGCntr;
    KxCDecalGrid* owner = New_Splat(Vec2d(2, 2), 8, 8);
    const GLuint tex = owner->TextureID();
    splats->Grids().push_back(owner);

    KxCWndGrid window(Vec2d(0, 0), 16, 16);
    auto* stamps = new KxCStampGCntr;
    auto* tile = new KxCStampGrid(Vec2d(32, 32), 16, 16);
    tile->WindowGrid(&window);
    tile->DecalGrids().push_back(Shared_Copy(*owner, Vec2d(34, 34)));
    stamps->Grids().push_back(tile);
    delete stamps;
    EXPECT_TRUE(glIsTexture(tex));

    // The owner still draws with it.
    KxCDecalGCntrProp prop;
    const auto pixels = Paint([&] { splats->Render(&prop); });
    EXPECT_EQ(Ink_In(pixels, Box_Of(*owner)), Filled(*owner));

    // Clear forgets the name without deleting the texture.
    KxCDecalGrid cleared;
    cleared.TextureID() = tex;
    cleared.Clear();
    EXPECT_TRUE(glIsTexture(tex));

    delete splats;
    EXPECT_FALSE(glIsTexture(tex));
}

TEST_F(GridDrawing, DisabledSplatGridIsSkippedUnlessSelected)
{
    KxCDecalGCntr cntr;
    KxCDecalGrid* on = New_Splat(Vec2d(4, 4), 12, 12);
    KxCDecalGrid* off = New_Splat(Vec2d(40, 40), 12, 12);
    off->Enabled() = false;
    cntr.Grids() = {on, off};
    KxCDecalGCntrProp prop;
    prop.set_Perturb(false);

    const auto all = Paint([&] { cntr.Render(&prop); });
    EXPECT_EQ(Ink_In(all, Box_Of(*on)), Filled(*on));
    EXPECT_EQ(Ink_In(all, Box_Of(*off)), 0);
    EXPECT_EQ(Ink_Outside(all, Box_Of(*on)), 0);

    prop.set_Selected(1);
    const auto selected = Paint([&] { cntr.Render(&prop); });
    EXPECT_EQ(Ink_In(selected, Box_Of(*off)), Filled(*off));
    EXPECT_EQ(Ink_Outside(selected, Box_Of(*off)), 0);

    // Null settings and Grid off draw nothing.
    EXPECT_EQ(Ink(Paint([&] { cntr.Render(nullptr); })), 0);
    prop.set_Grid(false);
    EXPECT_EQ(Ink(Paint([&] { cntr.Render(&prop); })), 0);
}

TEST_F(GridDrawing, PerturbedGridDrawsAtItsMovedPlace)
{
    KxCDecalGCntr cntr;
    KxCDecalGrid* g = New_Splat(Vec2d(8, 8), 10, 10);
    g->XForm().m_Move = Vec2d(30, 20);
    cntr.Grids().push_back(g);
    KxCDecalGCntrProp prop;
    const Box home = Box_Of(*g);
    const Box moved{home.x0 + 30, home.y0 + 20, home.x1 + 30, home.y1 + 20};

    prop.set_Perturb(true);
    const auto perturbed = Paint([&] { cntr.Render(&prop); });
    EXPECT_EQ(Ink_In(perturbed, moved), Filled(*g));
    EXPECT_EQ(Ink_Outside(perturbed, moved), 0);

    prop.set_Perturb(false);
    const auto still = Paint([&] { cntr.Render(&prop); });
    EXPECT_EQ(Ink_In(still, home), Filled(*g));
    EXPECT_EQ(Ink_Outside(still, home), 0);
}

TEST_F(GridDrawing, PerturbedGridTurnsDegreesAboutItsOwnCentre)
{
    KxCDecalGCntr cntr;
    KxCDecalGrid* g = New_Splat(Vec2d(22, 29), 20, 6); // centre (31.5, 31.5)
    g->XForm().m_Angle = 90;
    cntr.Grids().push_back(g);
    KxCDecalGCntrProp prop;
    const Box ink = Ink_Box(Paint([&] { cntr.Render(&prop); }));
    // Upright now: 5 pixels wide and 19 high, still centred on (31.5, 31.5).
    EXPECT_EQ(ink.x1 - ink.x0 + 1, 5);
    EXPECT_EQ(ink.y1 - ink.y0 + 1, 19);
    EXPECT_NEAR((ink.x0 + ink.x1 + 1) * 0.5, 31.5, 0.5);
    EXPECT_NEAR((ink.y0 + ink.y1 + 1) * 0.5, 31.5, 0.5);
}

TEST_F(GridDrawing, WindowMovesItsSplatGridsWhateverTheirEnabledFlag)
{
    // The splat grids belong to another container; the window only refers to them.
    KxCDecalGCntr splats;
    KxCDecalGrid* a = New_Splat(Vec2d(2, 2), 6, 6);
    KxCDecalGrid* b = New_Splat(Vec2d(10, 2), 6, 6);
    b->Enabled() = false;
    splats.Grids() = {a, b};

    auto* cntr = new KxCWndGCntr;
    auto* w0 = new KxCWndGrid(Vec2d(0, 0), 16, 16);
    w0->XForm().m_Move = Vec2d(40, 40);
    w0->DecalGrids() = {a, b};
    // Stale entries of stamps long gone: never to be read.
    w0->StampGrids().push_back(reinterpret_cast<KxCStampGrid*>(uintptr_t{0x10}));
    auto* w1 = new KxCWndGrid(Vec2d(0, 0), 16, 16);
    w1->XForm().m_Move = Vec2d(0, 40);
    w1->DecalGrids() = {a};
    cntr->Grids() = {w0, w1};

    KxCWndGCntrProp prop;
    prop.set_Grid(true);
    prop.set_Selected(0);
    const auto pixels = Paint([&] { cntr->Render(&prop); });
    const Box a_moved{42, 42, 47, 47}, b_moved{50, 42, 55, 47};
    EXPECT_EQ(Ink_In(pixels, a_moved), Filled(*a));
    EXPECT_EQ(Ink_In(pixels, b_moved), Filled(*b));
    EXPECT_EQ(Ink(pixels), Filled(*a) + Filled(*b));

    prop.set_Selected(-1);
    prop.set_Rectangle(true);
    const auto both = Paint([&] { cntr->Render(&prop); });
    EXPECT_EQ(Ink_In(both, Box{2, 42, 7, 47}), Filled(*a)); // window 1's copy of a
    EXPECT_GT(Count_Color(both, 255, 0, 0), 0);
    delete cntr;
    EXPECT_TRUE(glIsTexture(a->TextureID())); // the windows did not own the splat grids
}

TEST_F(GridDrawing, StampDrawsOnlyFlaggedCopiesAndEmptyTilesNothing)
{
    StampScene scene;
    KxCDecalGrid* src = scene.src;
    KxCStampGrid* tile = scene.tile;
    KxCStampGCntr& stamps = scene.stamps;
    KxCDecalGrid* shown = Shared_Copy(*src, Vec2d(4, 4));
    KxCDecalGrid* hidden = Shared_Copy(*src, Vec2d(20, 20));
    hidden->Stamp_Flag() = false;
    tile->DecalGrids() = {shown, hidden};
    auto* empty = new KxCStampGrid(Vec2d(32, 32), 32, 32);
    empty->DecalGrids().push_back(Shared_Copy(*src, Vec2d(40, 40)));
    stamps.Grids().push_back(empty);

    KxCStampGCntrProp prop;
    const auto pixels = Paint([&] { stamps.Render(&prop); });
    EXPECT_EQ(Ink_In(pixels, Box_Of(*shown)), Filled(*shown));
    EXPECT_EQ(Ink_Outside(pixels, Box_Of(*shown)), 0);

    prop.set_Selected(1);
    EXPECT_EQ(Ink(Paint([&] { stamps.Render(&prop); })), 0);

    // Rectangles outline the empty tile as well.
    prop.set_Grid(false);
    prop.set_Rectangle(true);
    const auto outline = Paint([&] { stamps.Render(&prop); });
    EXPECT_GT(Count_Color(outline, 255, 0, 0), 0);
    EXPECT_EQ(Ink_Outside(outline, Box_Of(*empty).Grown(1)), 0);
}

TEST_F(GridDrawing, StampAndCopyTransformsFollowTheirOwnSwitches)
{
    StampScene scene;
    KxCStampGCntr& stamps = scene.stamps;
    scene.tile->XForm().m_Move = Vec2d(30, 0);
    KxCDecalGrid* copy = Shared_Copy(*scene.src, Vec2d(4, 4));
    copy->XForm().m_Move = Vec2d(0, 30);
    scene.tile->DecalGrids().push_back(copy);

    struct Case { bool perturb, perturb_dg; int dx, dy; };
    const Case cases[] = {{false, false, 0, 0}, {true, false, 30, 0}, {false, true, 0, 30}, {true, true, 30, 30}};
    for (const Case& c : cases) {
        KxCStampGCntrProp prop;
        prop.set_Perturb(c.perturb);
        prop.set_Perturb_DG(c.perturb_dg);
        const auto pixels = Paint([&] { stamps.Render(&prop); });
        const Box expected{4 + c.dx, 4 + c.dy, 11 + c.dx, 11 + c.dy};
        EXPECT_EQ(Ink_In(pixels, expected), Filled(*copy)) << "Perturb " << c.perturb << ", Perturb_DG " << c.perturb_dg;
        EXPECT_EQ(Ink_Outside(pixels, expected), 0) << "Perturb " << c.perturb << ", Perturb_DG " << c.perturb_dg;
    }
}

TEST_F(GridDrawing, RectanglesAreRedAndBoundariesBlueOutlines)
{
    KxCDecalGCntr cntr;
    KxCDecalGrid* a = New_Splat(Vec2d(4, 4), 16, 16);
    KxCDecalGrid* b = New_Splat(Vec2d(36, 36), 16, 16);
    b->Boundary_Flag() = true;
    cntr.Grids() = {a, b};
    KxCDecalGCntrProp prop;
    prop.set_Grid(false);
    prop.set_Perturb(false);
    prop.set_Rectangle(true);

    const auto all = Paint([&] { cntr.Render(&prop); });
    EXPECT_GT(Ink_In(all, Box_Of(*a).Grown(1)), 30);
    EXPECT_GT(Ink_In(all, Box_Of(*b).Grown(1)), 30);
    EXPECT_EQ(Count_Color(all, 255, 0, 0), Ink(all));
    // Outlines only: the inside stays white.
    EXPECT_EQ(Ink_In(all, Box{8, 8, 16, 16}), 0);

    // Render_Rect clamps the selection too and outlines only that grid.
    prop.set_Selected(7);
    const auto one = Paint([&] { cntr.Render_Rect(&prop); });
    EXPECT_EQ(prop.Selected(), 1);
    EXPECT_GT(Ink(one), 30);
    EXPECT_EQ(Ink_Outside(one, Box_Of(*b).Grown(1)), 0);

    // Boundary outlines ignore the selection: grid 0 selected, grid 1 still outlined in blue.
    prop.set_Rectangle(false);
    prop.set_Boundary(true);
    prop.set_Selected(0);
    const auto bdry = Paint([&] { cntr.Render(&prop); });
    EXPECT_GT(Count_Color(bdry, 0, 0, 255), 30);
    EXPECT_EQ(Count_Color(bdry, 0, 0, 255), Ink(bdry));
    EXPECT_EQ(Ink_Outside(bdry, Box_Of(*b).Grown(1)), 0);
}

TEST_F(GridDrawing, DrawingRestoresMatricesAndState)
{
    KxCDecalGCntr cntr;
    KxCDecalGrid* g = New_Splat(Vec2d(4, 4), 16, 16);
    g->Boundary_Flag() = true;
    g->XForm().m_Angle = 20;
    cntr.Grids().push_back(g);
    KxCDecalGCntrProp prop;
    prop.set_Rectangle(true);
    prop.set_Boundary(true);

    std::array<GLdouble, 16> proj_before{}, proj_after{}, mv_before{}, mv_after{};
    GLint poly_before[2] = {}, poly_after[2] = {}, depth_func = 0, bound = -1, mode = 0;
    GLboolean lighting = GL_FALSE, texturing = GL_TRUE, blending = GL_TRUE, depth_test = GL_FALSE;
    Paint([&] {
        glEnable(GL_LIGHTING);
        glGetDoublev(GL_PROJECTION_MATRIX, proj_before.data());
        glGetDoublev(GL_MODELVIEW_MATRIX, mv_before.data());
        glGetIntegerv(GL_POLYGON_MODE, poly_before);
        cntr.Render(&prop);
        glGetDoublev(GL_PROJECTION_MATRIX, proj_after.data());
        glGetDoublev(GL_MODELVIEW_MATRIX, mv_after.data());
        glGetIntegerv(GL_POLYGON_MODE, poly_after);
        glGetIntegerv(GL_DEPTH_FUNC, &depth_func);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        lighting = glIsEnabled(GL_LIGHTING);
        texturing = glIsEnabled(GL_TEXTURE_2D);
        blending = glIsEnabled(GL_BLEND);
        depth_test = glIsEnabled(GL_DEPTH_TEST);
    });
    EXPECT_EQ(proj_after, proj_before);
    EXPECT_EQ(mv_after, mv_before);
    EXPECT_EQ(poly_after[0], poly_before[0]);
    EXPECT_EQ(depth_func, GL_LESS);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(lighting);
    EXPECT_FALSE(texturing);
    EXPECT_FALSE(blending);
    EXPECT_TRUE(depth_test);
}

} // namespace

// Splats turned into splat grids: quads drawn in window pixels with small
// nearest-filtered textures, over a square object, so every pixel of the
// merged and unmerged grids is known.
#include <functional>
#include <set>
#include <utility>

#include "KxDiscImage.h"
#include "composition/KxCAnalyzerOI.h"
#include "composition/KxCAnalyzerOV.h"
#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCWndGrid.h"
#include "composition/KxGridConversion.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/params/KxCGCntrProp.h"
#include "pipeline/util/KxOGL.h"
#include "pipeline/util/KxPtrVector.h"
#include "pipeline/util/KxRandom.h"
#include "splats/KxCDecalCntr.h"
#include "test_support.h"

using namespace OrvaneImage;
using KxUtils::Vec2d;

namespace {

constexpr int kSize = 128;
using Texel = std::array<unsigned char, 4>;
const Texel kBlack{0, 0, 0, 255}, kHalf{0, 0, 0, 128}, kClear{255, 255, 255, 0};

/// A 128 x 128 panel whose captured view maps object (x, y) to window pixel
/// (x, y), and a mask whose rectangle runs from (4, 6) to the view's far corner,
/// with the square object 14 ... 113.
class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel = KxOGLPanel::KxCHeadlessPanel::Create(kSize, kSize);
        ASSERT_TRUE(panel) << "a headless OpenGL context is required (Mesa EGL)";
        orvane_test::Capture_Ortho(0, kSize, 0, kSize, {0, 0, kSize, kSize});
        // The rectangle starts off the window's corner, so mask-relative and window pixels differ.
        cv::Mat object(kSize - 6, kSize - 4, CV_8UC1, cv::Scalar(0));
        object(cv::Rect(14 - 4, 14 - 6, 100, 100)).setTo(255);
        mask.Set(object, 4, 6);
    }

    /// An n x n texture, texel (i, j) from f (column i, row j from the bottom), nearest filtering.
    GLuint Texture(int n, const std::function<Texel(int, int)>& f)
    {
        std::vector<unsigned char> texels;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const Texel t = f(i, j);
                texels.insert(texels.end(), t.begin(), t.end());
            }
        return KxTools::Upload_RGBA(n, texels, GL_NEAREST);
    }
    GLuint Solid() { return Texture(1, [](int, int) { return kBlack; }); }

    /// A splat drawing the texture over the w x h pixels whose lower-left pixel is (x, y).
    KxCDecal* Quad(int x, int y, int w, int h, GLuint texture)
    {
        auto* d = new KxCDecal;
        d->VertexArray() = {{double(x), double(y), 0}, {double(x + w), double(y), 0},
                            {double(x + w), double(y + h), 0}, {double(x), double(y + h), 0}};
        d->TexCoordArray() = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        d->FaceArray() = {0, 1, 2, 0, 2, 3};
        d->TextureID() = texture;
        d->Rectangle().Create(Vec2d(x, y), w, h);
        decals.Decals().push_back(d);
        return d;
    }

    bool Convert(KxCAnalyzer* analyzer = KxCAnalyzerOI::InstancePtr())
    {
        return analyzer->Convert_Decals_to_DecalGrids(&decals.Decals(), &merged, &unmerged, &mask, &params);
    }

    static KxCDecalGrid& Grid(KxCDecalGCntr& c, std::size_t i) { return *dynamic_cast<KxCDecalGrid*>(c.Grids().at(i)); }

    std::unique_ptr<KxOGLPanel::KxCHeadlessPanel> panel;
    orvane_test::Image_Mask mask;
    KxCDecalCntr decals;
    KxCDecalGCntr merged, unmerged;
    KxCDecalGParam params;
};

/// Every pixel of the block x0 ... x0 + w - 1, y0 ... y0 + h - 1.
std::set<std::pair<int, int>> Block(int x0, int y0, int w, int h)
{
    std::set<std::pair<int, int>> out;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) out.emplace(x, y);
    return out;
}

} // namespace

TEST_F(ConversionTest, EachSplatGivesAGridOfItsInk)
{
    Quad(20, 30, 10, 10, Solid());
    Quad(60, 60, 12, 8, Solid());
    ASSERT_TRUE(Convert());
    ASSERT_EQ(unmerged.Grids().size(), 2u);
    const KxCDecalGrid& g = Grid(unmerged, 1);
    EXPECT_EQ(g.Corners()[0], Vec2d(60, 60));
    EXPECT_EQ(g.Width(), 12);
    EXPECT_EQ(g.Height(), 8);
    EXPECT_EQ(orvane_test::Grid_Pixels(g), Block(60, 60, 12, 8));
    // Points run in row order from the bottom row.
    EXPECT_EQ(g.Points().front(), KxUtils::Vec2s(0, 0));
    EXPECT_EQ(g.Points()[12], KxUtils::Vec2s(0, 1));
    EXPECT_NE(g.TextureID(), 0u);
}

struct BlobCase {
    const char* name;
    int second_x, second_y;
    std::size_t blobs;
};

class MergedBlobs : public ConversionTest, public ::testing::WithParamInterface<BlobCase> {};

TEST_P(MergedBlobs, FourConnectedInkMerges)
{
    const GLuint tex = Solid();
    Quad(20, 30, 10, 10, tex);
    Quad(GetParam().second_x, GetParam().second_y, 10, 10, tex);
    ASSERT_TRUE(Convert());
    EXPECT_EQ(merged.Grids().size(), GetParam().blobs);
    EXPECT_EQ(unmerged.Grids().size(), 2u);
    std::size_t points = 0;
    for (std::size_t i = 0; i < merged.Grids().size(); ++i) points += Grid(merged, i).Points().size();
    EXPECT_EQ(points, 200u);
}

INSTANTIATE_TEST_SUITE_P(Contact, MergedBlobs,
                         ::testing::Values(BlobCase{"side_by_side", 30, 30, 1}, BlobCase{"stacked", 20, 40, 1},
                                           BlobCase{"diagonal", 30, 40, 2}, BlobCase{"apart", 50, 30, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConversionTest, BlobsAreNumberedInScanOrderFromTheBottom)
{
    const GLuint tex = Solid();
    Quad(20, 70, 10, 10, tex); // listed first, but higher up
    Quad(60, 20, 10, 10, tex);
    ASSERT_TRUE(Convert());
    ASSERT_EQ(merged.Grids().size(), 2u);
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(merged, 0)), Block(60, 20, 10, 10));
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(merged, 1)), Block(20, 70, 10, 10));
    EXPECT_EQ(Grid(merged, 0).Points().front(), KxUtils::Vec2s(0, 0));
}

TEST_F(ConversionTest, HalfTransparentEdgesAreInkButNotBlack)
{
    // 4 x 4 texels over 12 x 12 pixels: a half-transparent ring, three pixels wide, around 6 x 6 black.
    const GLuint tex = Texture(4, [](int i, int j) { return i % 3 == 0 || j % 3 == 0 ? kHalf : kBlack; });
    Quad(40, 40, 12, 12, tex);
    ASSERT_TRUE(Convert());
    ASSERT_EQ(unmerged.Grids().size(), 1u);
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(unmerged, 0)), Block(40, 40, 12, 12));
    ASSERT_EQ(merged.Grids().size(), 1u);
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(merged, 0)), Block(43, 43, 6, 6));
}

TEST_F(ConversionTest, InkOffTheObjectStaysInTheSplatsGridOnly)
{
    Quad(4, 50, 20, 10, Solid()); // columns 4 ... 13 lie off the object
    ASSERT_TRUE(Convert());
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(unmerged, 0)), Block(4, 50, 20, 10));
    ASSERT_EQ(merged.Grids().size(), 1u);
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(merged, 0)), Block(14, 50, 10, 10));
}

TEST_F(ConversionTest, SplatWithoutInkMakesNoGrid)
{
    Quad(40, 40, 10, 10, Texture(1, [](int, int) { return kClear; }));
    ASSERT_TRUE(Convert());
    EXPECT_TRUE(unmerged.Grids().empty());
    EXPECT_TRUE(merged.Grids().empty());
    EXPECT_TRUE(decals.Decals()[0]->Visible());
}

TEST_F(ConversionTest, OnlyEligibleSplatsAreDrawn)
{
    const GLuint tex = Solid();
    Quad(20, 20, 10, 10, tex)->Visible() = false;
    Quad(40, 20, 10, 10, 0);                          // no texture
    Quad(60, 20, 10, 10, tex)->Rectangle().Clear();   // no rectangle
    Quad(80, 20, 10, 10, tex)->FaceArray().clear();   // no patch
    Quad(20, 60, 10, 10, tex);
    ASSERT_TRUE(Convert());
    ASSERT_EQ(unmerged.Grids().size(), 1u);
    ASSERT_EQ(merged.Grids().size(), 1u);
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(merged, 0)), Block(20, 60, 10, 10));
}

TEST_F(ConversionTest, BoundaryFlagsMarkInkNearTheSilhouette)
{
    const GLuint tex = Solid();
    KxCDecal* edge = Quad(14, 40, 10, 10, tex);   // touches the object's left side
    KxCDecal* inner = Quad(50, 50, 10, 10, tex);
    KxCDecal* outside = Quad(0, 80, 6, 6, tex);   // off the object entirely
    inner->Boundary() = true;                      // recomputed
    ASSERT_TRUE(Convert());
    EXPECT_TRUE(edge->Boundary());
    EXPECT_FALSE(inner->Boundary());
    EXPECT_TRUE(outside->Boundary());
    ASSERT_EQ(unmerged.Grids().size(), 3u);
    EXPECT_TRUE(Grid(unmerged, 0).Boundary_Flag());
    EXPECT_FALSE(Grid(unmerged, 1).Boundary_Flag());
    ASSERT_EQ(merged.Grids().size(), 2u);
    EXPECT_TRUE(Grid(merged, 0).Boundary_Flag()); // the edge blob comes first in the scan
    EXPECT_FALSE(Grid(merged, 1).Boundary_Flag());
}

TEST_F(ConversionTest, WithoutTexturesNoGridHasATextureOrABoundaryFlag)
{
    params.set_Gen_Texture(false);
    Quad(14, 40, 10, 10, Solid());
    ASSERT_TRUE(Convert());
    ASSERT_EQ(merged.Grids().size(), 1u);
    EXPECT_EQ(Grid(merged, 0).TextureID(), 0u);
    EXPECT_FALSE(Grid(merged, 0).Boundary_Flag());
    EXPECT_EQ(Grid(unmerged, 0).TextureID(), 0u);
    EXPECT_TRUE(Grid(unmerged, 0).Boundary_Flag()); // the splat's own flag is still copied
}

TEST_F(ConversionTest, GridTexturesDrawTheirPointsUpright)
{
    // An L: a 10 x 10 block with a 10 x 3 foot to its right along the bottom.
    const GLuint tex = Solid();
    Quad(30, 30, 10, 10, tex);
    Quad(40, 30, 10, 3, tex);
    ASSERT_TRUE(Convert());
    ASSERT_EQ(merged.Grids().size(), 1u);
    KxCDecalGCntrProp prop;
    panel->set_Paint_Handler([&] {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        merged.Render(&prop);
    });
    panel->Repaint();
    const auto rgba = panel->Read_RGBA();
    auto dark = [&](int x, int y) { return rgba[(std::size_t(y) * kSize + x) * 4] < 128; };
    EXPECT_TRUE(dark(45, 31));  // the foot
    EXPECT_FALSE(dark(45, 38)); // above the foot
    EXPECT_TRUE(dark(34, 35));  // the block
    int ink = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) ink += dark(x, y);
    EXPECT_NEAR(ink, 130, 30);
}

TEST_F(ConversionTest, FrameVariantMakesMergedGridsOnly)
{
    const GLuint tex = Solid();
    KxCDecal* edge = Quad(14, 40, 10, 10, tex);
    KxCDecal* inner = Quad(50, 50, 10, 10, tex);
    inner->Boundary() = true;
    ASSERT_TRUE(Convert(KxCAnalyzerOV::InstancePtr()));
    EXPECT_TRUE(unmerged.Grids().empty());
    EXPECT_FALSE(edge->Boundary());
    EXPECT_TRUE(inner->Boundary());
    ASSERT_EQ(merged.Grids().size(), 2u);
    EXPECT_TRUE(Grid(merged, 0).Boundary_Flag());
    EXPECT_NE(Grid(merged, 0).TextureID(), 0u);
}

TEST_F(ConversionTest, InvalidInputsAreReported)
{
    Quad(20, 20, 10, 10, Solid());
    KxCAnalyzer* oi = KxCAnalyzerOI::InstancePtr();
    const std::string invalid = "KxCAnalyzerOI::Convert_Decals_to_DecalGrids: Invalid inputs\n";
    std::vector<KxCDecal*> none;
    struct Case {
        std::vector<KxCDecal*>* list;
        KxCDecalGCntr* m;
        KxCDecalGCntr* u;
        KxCSampleMask* k;
        KxCDecalGParam* p;
    };
    for (const Case& c : {Case{nullptr, &merged, &unmerged, &mask, &params}, Case{&none, &merged, &unmerged, &mask, &params},
                          Case{&decals.Decals(), nullptr, &unmerged, &mask, &params},
                          Case{&decals.Decals(), &merged, nullptr, &mask, &params},
                          Case{&decals.Decals(), &merged, &unmerged, nullptr, &params},
                          Case{&decals.Decals(), &merged, &unmerged, &mask, nullptr}}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(oi->Convert_Decals_to_DecalGrids(c.list, c.m, c.u, c.k, c.p));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), invalid);
    }
    // The frame variant does without the unmerged container.
    EXPECT_TRUE(KxCAnalyzerOV::InstancePtr()->Convert_Decals_to_DecalGrids(&decals.Decals(), &merged, nullptr, &mask,
                                                                           &params));

    mask.Rectangle()->Clear();
    for (KxCAnalyzer* a : {oi, static_cast<KxCAnalyzer*>(KxCAnalyzerOV::InstancePtr())}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(a->Convert_Decals_to_DecalGrids(&decals.Decals(), &merged, &unmerged, &mask, &params));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("Convert_Decals_to_DecalGrids: Invalid mask rectangle"),
                  std::string::npos);
    }
    EXPECT_TRUE(unmerged.Grids().empty());
}

namespace {

/// The square's silhouette broken into long pieces with long cuts, the whole object as the band.
class CutTest : public ConversionTest {
protected:
    void SetUp() override
    {
        ConversionTest::SetUp();
        mask.Silho_Image()->Image(mask.Mask_Image()->Image()->clone());
        KxCBrkParam& b = params.Breaker();
        b.set_Enabled(true);
        b.set_Smpl_Ratio(0.1);
        b.set_Lnth_Ratio(0.5);
        b.set_Dist_Ratio(0.05);
        params.set_Bdry_Ratio(1.0); // every splat lies near the silhouette
        cv::Mat cuts;
        ASSERT_TRUE(Make_Cut_Image(mask, params.Breaker(), cuts));
        ASSERT_GT(cv::countNonZero(cuts), 0);
        // Two 10 x 10 places on the object, apart, with exactly 30 and 29 pixels on a cut.
        // The cut image is relative to the rectangle's corner (4, 6).
        for (int y = 14; y <= 104; ++y)
            for (int x = 14; x <= 104; ++x) {
                const int n = cv::countNonZero(cuts(cv::Rect(x - 4, y - 6, 10, 10)));
                if (n == 30 && at30.x < 0) at30 = {x, y};
                if (n == 29 && at29.x < 0 && at30.x >= 0 && (std::abs(x - at30.x) > 10 || std::abs(y - at30.y) > 10))
                    at29 = {x, y};
            }
        ASSERT_GE(at29.x, 0);
    }

    cv::Point at30{-1, -1}, at29{-1, -1};
};

} // namespace

TEST_F(CutTest, SplatsLargelyOnACutAreHidden)
{
    const GLuint tex = Solid();
    KxCDecal* hidden = Quad(at30.x, at30.y, 10, 10, tex);
    KxCDecal* kept = Quad(at29.x, at29.y, 10, 10, tex);
    ASSERT_TRUE(Convert());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_TRUE(kept->Visible());
    ASSERT_EQ(unmerged.Grids().size(), 1u);
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(unmerged, 0)), Block(at29.x, at29.y, 10, 10));
    ASSERT_EQ(merged.Grids().size(), 1u); // the hidden splat is gone from the merged picture too
    EXPECT_EQ(orvane_test::Grid_Pixels(Grid(merged, 0)), Block(at29.x, at29.y, 10, 10));
    EXPECT_FALSE(mask.Contour()->Segments().empty());
}

struct NoCutCase {
    const char* name;
    std::function<void(KxCDecalGParam&, orvane_test::Image_Mask&)> change;
    bool pieces; ///< the contour is still broken
};

class NoCut : public CutTest, public ::testing::WithParamInterface<NoCutCase> {};

TEST_P(NoCut, HidesNothing)
{
    GetParam().change(params, mask);
    const GLuint tex = Solid();
    Quad(at30.x, at30.y, 10, 10, tex);
    Quad(at29.x, at29.y, 10, 10, tex);
    ASSERT_TRUE(Convert());
    for (KxCDecal* d : decals.Decals()) EXPECT_TRUE(d->Visible());
    EXPECT_EQ(unmerged.Grids().size(), 2u);
    EXPECT_EQ(!mask.Contour()->Segments().empty(), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, NoCut,
    ::testing::Values(
        NoCutCase{"breaking_disabled", [](KxCDecalGParam& p, orvane_test::Image_Mask&) { p.Breaker().set_Enabled(false); }, false},
        NoCutCase{"no_band", [](KxCDecalGParam&, orvane_test::Image_Mask& m) { m.Silho_Image()->Clear(); }, true},
        NoCutCase{"far_from_the_silhouette", [](KxCDecalGParam& p, orvane_test::Image_Mask&) { p.set_Bdry_Ratio(0.0); }, true},
        NoCutCase{"higher_ratio", [](KxCDecalGParam& p, orvane_test::Image_Mask&) { p.Breaker().set_Area_Ratio(0.31); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CutTest, FailedBreakingIsReportedAndCutsNothing)
{
    mask.Contour()->Contours().push_back(new KxCLineSeg); // a contour without points cannot be broken
    const GLuint tex = Solid();
    Quad(at30.x, at30.y, 10, 10, tex);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(Convert());
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "KxCAnalyzerOI::Convert_Decals_to_DecalGrids: Breaking contour failed"),
              std::string::npos);
    EXPECT_TRUE(decals.Decals()[0]->Visible());
    EXPECT_EQ(unmerged.Grids().size(), 1u);
}

namespace {

/// The object tiled with 8 x 8 splats one pixel apart: 121 splats, each its own blob.
class AnalyzeTest : public ConversionTest {
protected:
    void SetUp() override
    {
        ConversionTest::SetUp();
        const GLuint tex = Solid();
        for (int y = 14; y + 8 <= 114; y += 9)
            for (int x = 14; x + 8 <= 114; x += 9) Quad(x, y, 8, 8, tex);
    }

    bool Analyze(KxCAnalyzer* analyzer = KxCAnalyzerOI::InstancePtr())
    {
        return analyzer->Analyze(&decals, &merged, &unmerged, &windows, &mask, &params);
    }

    /// Everything random the analysis produced: blob transforms and window corners.
    std::vector<double> Result()
    {
        std::vector<double> out;
        for (KxCGrid* g : merged.Grids()) out.insert(out.end(), {g->XForm().m_Move[0], g->XForm().m_Move[1], g->XForm().m_Angle});
        for (KxCWndGCntr* layer : windows)
            for (KxCGrid* w : layer->Grids()) out.insert(out.end(), {w->Corners()[0][0], w->Corners()[0][1]});
        return out;
    }

    ~AnalyzeTest() override { KxUtils::Clear_Ptr_Vector(windows); }

    std::vector<KxCWndGCntr*> windows;
};

} // namespace

TEST_F(AnalyzeTest, LayersGrowAndAFailedLayerIsSkipped)
{
    params.Multi_Resolution().set_Base_Ratio(0.05); // of 124 pixels: sides 6 (refused), 12 and 24
    testing::internal::CaptureStderr();
    ASSERT_TRUE(Analyze());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KxCAnalyzer::Sample: Window size is too small\nKxCAnalyzerOI::Analyze: Sample Windows : Layer 1 failed\n");
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->Grids()[0]->Width(), 12);
    EXPECT_EQ(windows[1]->Grids()[0]->Width(), 24);
    EXPECT_DOUBLE_EQ(params.Multi_Resolution().Cur_Ratio(), 0.2);
    EXPECT_EQ(merged.Grids().size(), 121u);
    EXPECT_EQ(unmerged.Grids().size(), 121u);
    // Windows list the unmerged grids.
    const std::set<KxCGrid*> splat_grids(unmerged.Grids().begin(), unmerged.Grids().end());
    for (const KxCDecalGrid* g : dynamic_cast<KxCWndGrid*>(windows[0]->Grids()[0])->DecalGrids())
        EXPECT_TRUE(splat_grids.count(const_cast<KxCDecalGrid*>(g)));
}

TEST_F(AnalyzeTest, FilterAndPerturbationActOnTheMergedBlobs)
{
    params.Filter().set_Area_Ratio(0.01); // 64 of 10000 object pixels is too small
    const orvane_test::FixRand fix(true);
    ASSERT_TRUE(Analyze());
    int moved = 0;
    for (std::size_t i = 0; i < merged.Grids().size(); ++i) {
        const KxCDecalGrid& g = Grid(merged, i);
        EXPECT_FALSE(g.Enabled());
        moved += g.XForm().m_Move != Vec2d(0, 0);
        if (!g.Boundary_Flag()) {
            EXPECT_EQ(g.XForm().m_Move, Vec2d(0, 0));
        }
    }
    // The blobs along the left and the bottom side; the others end two pixels short of the silhouette.
    EXPECT_EQ(moved, 21);
    for (std::size_t i = 0; i < unmerged.Grids().size(); ++i) {
        EXPECT_TRUE(Grid(unmerged, i).Enabled());
        EXPECT_EQ(Grid(unmerged, i).XForm().m_Move, Vec2d(0, 0));
    }
}

TEST_F(AnalyzeTest, FixedRandomnessRepeatsTheAnalysis)
{
    const orvane_test::FixRand fix(true);
    ASSERT_TRUE(Analyze());
    const std::vector<double> first = Result();
    merged.Clear();
    unmerged.Clear();
    KxUtils::Clear_Ptr_Vector(windows);
    KxUtils::Rand(); // a different generator state on entry
    ASSERT_TRUE(Analyze());
    EXPECT_EQ(Result(), first);
    EXPECT_GT(first.size(), 121u * 3);
}

TEST_F(AnalyzeTest, FramesSampleTheMergedBlobsUnperturbed)
{
    ASSERT_TRUE(KxCAnalyzerOV::InstancePtr()->Analyze(&decals, &merged, nullptr, &windows, &mask, &params));
    EXPECT_TRUE(unmerged.Grids().empty());
    ASSERT_FALSE(windows.empty());
    const std::set<KxCGrid*> blobs(merged.Grids().begin(), merged.Grids().end());
    for (const KxCDecalGrid* g : dynamic_cast<KxCWndGrid*>(windows[0]->Grids()[0])->DecalGrids())
        EXPECT_TRUE(blobs.count(const_cast<KxCDecalGrid*>(g)));
    for (KxCGrid* g : merged.Grids()) EXPECT_EQ(g->XForm().m_Move, Vec2d(0, 0));
}

TEST_F(AnalyzeTest, FailuresArePassedUp)
{
    windows.push_back(new KxCWndGCntr);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Analyze());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCAnalyzerOI::Analyze: Invalid inputs\n");
    KxUtils::Clear_Ptr_Vector(windows);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(KxCAnalyzerOI::InstancePtr()->Analyze(&decals, &merged, nullptr, &windows, &mask, &params));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCAnalyzerOI::Analyze: Invalid inputs\n");

    decals.Clear();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(KxCAnalyzerOV::InstancePtr()->Analyze(&decals, &merged, nullptr, &windows, &mask, &params));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KxCAnalyzerOV::Convert_Decals_to_DecalGrids: Invalid inputs\n"
              "KxCAnalyzerOV::Analyze: Convert_Decals_to_DecalGrids failed\n");
    EXPECT_TRUE(windows.empty());
}

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <opencv2/core.hpp>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCStampGrid.h"
#include "composition/KxCStamperCPP.h"
#include "composition/KxCWndGrid.h"
#include "composition/KxGridDrawing.h"
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxOGL.h"
#include "pipeline/util/KxPtrVector.h"
#include "pipeline/util/KxRandom.h"
#include "render/KxCOGLProjector.h"
#include "test_support.h"

using namespace OrvaneImage;
using namespace orvane_test;
using KxUtils::Vec2d;

namespace {

KxCStamper& Stamper() { return *KxCStamperCPP::InstancePtr(); }

/// Sets the projector's viewport and the repeatable-randomness switch for one
/// test and puts both back afterwards.
class StampScope {
public:
    StampScope(const std::array<int, 4>& viewport, bool fix_rand)
        : m_Viewport(Projector_Viewport()), m_Fix_Rand(AppGlobal::g_Fix_Rand)
    {
        Projector_Viewport() = viewport;
        AppGlobal::g_Fix_Rand = fix_rand;
    }
    ~StampScope()
    {
        Projector_Viewport() = m_Viewport;
        AppGlobal::g_Fix_Rand = m_Fix_Rand;
    }
    StampScope(const StampScope&) = delete;
    StampScope& operator=(const StampScope&) = delete;

private:
    static std::array<int, 4>& Projector_Viewport() { return KxUtils::KxCOGLProjector::InstancePtr()->Viewport(); }

    std::array<int, 4> m_Viewport;
    bool m_Fix_Rand;
};

/// One window layer: the splat grids it lists and the windows, both owned here.
/// Splat grids keep texture name 0 unless a test sets one inside a GL context.
struct Layer {
    Layer() = default;
    /// n_windows square windows of the given side at the origin, each listing
    /// n_splats splat grids of 10 x 6.
    Layer(double side, int n_splats, int n_windows = 1)
    {
        for (int k = 0; k < n_windows; ++k) {
            KxCWndGrid* w = Add_Window(Vec2d(0, 0), side, side);
            for (int s = 0; s < n_splats; ++s) Add_Splat(w, Vec2d(3 + 7 * s, 4 + 5 * k), 10, 6);
        }
    }

    /// A window of the given size; its splat grids are added with Add_Splat.
    KxCWndGrid* Add_Window(const Vec2d& lb, double w, double h)
    {
        auto* window = new KxCWndGrid(lb, w, h);
        windows.Grids().push_back(window);
        return window;
    }
    /// A w x h splat grid listed by the window, with one ink pixel per column.
    KxCDecalGrid* Add_Splat(KxCWndGrid* window, const Vec2d& lb, double w, double h)
    {
        auto* splat = new KxCDecalGrid;
        splat->Create(lb, w, h);
        for (int x = 0; x < static_cast<int>(w); ++x) splat->Points().emplace_back(short(x), short(x % 3));
        splats.Grids().push_back(splat);
        window->DecalGrids().push_back(splat);
        return splat;
    }

    KxCDecalGCntr splats;
    KxCWndGCntr windows;
};

/// The stamp lists Stamp fills; deletes what it was given.
struct StampList {
    ~StampList() { KxUtils::Clear_Ptr_Vector(list); }
    std::vector<KxCStampGCntr*> list;
};

KxCStampGrid* Tile(const KxCStampGCntr& stamps, std::size_t i) { return static_cast<KxCStampGrid*>(stamps.Grids()[i]); }

int Empty_Tiles(const KxCStampGCntr& stamps)
{
    int n = 0;
    for (const KxCGrid* g : stamps.Grids()) n += static_cast<const KxCStampGrid*>(g)->WindowGrid() ? 0 : 1;
    return n;
}

/// The generator's next value after n more draws from where it stands.
int Value_After(int n)
{
    for (int i = 0; i < n; ++i) KxUtils::Rand();
    return KxUtils::Rand();
}

bool Same_XForm(const KxCXForm& a, const KxCXForm& b) { return a.m_Move == b.m_Move && a.m_Angle == b.m_Angle; }

// ---- Invalid inputs ----

TEST(StamperInputs, StampRejectsMissingArgumentsAndWrongLists)
{
    StampScope scope({0, 0, 200, 200}, false);
    Layer layer(90, 1);
    Image_Mask mask;
    mask.Set(cv::Mat(20, 20, CV_8UC1, cv::Scalar(255)), 50, 50);
    KxCStampGParam params;
    struct Case {
        const char* what;
        bool no_windows, empty_windows, no_stamps, full_stamps, no_mask, no_params;
    };
    const Case cases[] = {
        {"no window list", true, false, false, false, false, false},
        {"empty window list", false, true, false, false, false, false},
        {"no stamp list", false, false, true, false, false, false},
        {"stamp list not empty", false, false, false, true, false, false},
        {"no mask", false, false, false, false, true, false},
        {"no parameters", false, false, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<KxCWndGCntr*> windows;
        if (!c.empty_windows) windows.push_back(&layer.windows);
        StampList stamps;
        if (c.full_stamps) stamps.list.push_back(new KxCStampGCntr);
        params.set_Cur_Prob(0.25);
        testing::internal::CaptureStderr();
        const bool ok = Stamper().Stamp(c.no_windows ? nullptr : &windows, c.no_stamps ? nullptr : &stamps.list,
                                        c.no_mask ? nullptr : &mask, c.no_params ? nullptr : &params);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(ok);
        EXPECT_NE(err.find("KxCStamper::Stamp: Invalid inputs"), std::string::npos) << err;
        EXPECT_EQ(stamps.list.size(), c.full_stamps ? 1u : 0u);
        EXPECT_DOUBLE_EQ(params.Cur_Prob(), 0.25);
        EXPECT_TRUE(static_cast<KxCWndGrid*>(layer.windows.Grids()[0])->StampGrids().empty());
    }
}

TEST(StamperInputs, StampSpecificRejectsMissingArgumentsAndUnusableLayers)
{
    StampScope scope({0, 0, 200, 200}, false);
    Layer good(90, 1);
    KxCWndGCntr empty;
    Layer flat;
    flat.Add_Window(Vec2d(0, 0), 0, 90);
    KxCStampGParam params;
    struct Case {
        const char* what;
        KxCWndGCntr* windows;
        bool no_stamps, no_params;
    };
    const Case cases[] = {
        {"no window container", nullptr, false, false},
        {"no stamp container", &good.windows, true, false},
        {"no parameters", &good.windows, false, true},
        {"empty window container", &empty, false, false},
        {"window without width", &flat.windows, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KxCStampGCntr stamps;
        testing::internal::CaptureStderr();
        const bool ok = Stamper().Stamp_Specific(c.windows, c.no_stamps ? nullptr : &stamps, c.no_params ? nullptr : &params);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(ok);
        EXPECT_NE(err.find("KxCStamperCPP::Stamp_Specific: Invalid inputs"), std::string::npos) << err;
        EXPECT_TRUE(stamps.Grids().empty());
    }
}

TEST(StamperInputs, FilterRejectsMissingArguments)
{
    Image_Mask mask;
    KxCStampGParam params;
    KxCStampGCntr stamps;
    struct Case {
        const char* what;
        KxCStampGCntr* stamps;
        KxCSampleMask* mask;
        KxCStampGParam* params;
    };
    const Case cases[] = {
        {"no stamps", nullptr, &mask, &params},
        {"no mask", &stamps, nullptr, &params},
        {"no parameters", &stamps, &mask, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Stamper().Filter(c.stamps, c.mask, c.params));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("KxCStamper::Filter: Invalid inputs"), std::string::npos) << err;
    }
}

// ---- Tiling ----

TEST(StamperTiling, TilesCoverTheViewportRowByRowFromItsCorner)
{
    struct Case {
        std::array<int, 4> viewport;
        double w, h;
        int columns, rows;
    };
    const Case cases[] = {
        {{0, 0, 800, 600}, 90, 90, 9, 7},
        {{10, 20, 800, 600}, 90, 90, 9, 7},
        {{0, 0, 180, 90}, 90, 90, 3, 2},   // an exact fit still gets a column and a row beyond
        {{0, 0, 800, 600}, 100, 50, 9, 13}, // width and height are not interchangeable
        {{0, 0, 800, 600}, 90.6, 90.6, 9, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " at " << c.viewport[0] << ", " << c.viewport[1]);
        StampScope scope(c.viewport, false);
        Layer layer;
        layer.Add_Window(Vec2d(30, 40), c.w, c.h);
        KxCStampGParam params;
        KxCStampGCntr stamps;
        ASSERT_TRUE(Stamper().Stamp_Specific(&layer.windows, &stamps, &params));
        ASSERT_EQ(stamps.Grids().size(), static_cast<std::size_t>(c.columns * c.rows));
        const int ww = static_cast<int>(c.w), wh = static_cast<int>(c.h);
        for (std::size_t k = 0; k < stamps.Grids().size(); ++k) {
            const KxCStampGrid* t = Tile(stamps, k);
            const int i = static_cast<int>(k) % c.columns, j = static_cast<int>(k) / c.columns;
            EXPECT_EQ(t->Corners()[0], Vec2d(c.viewport[0] + i * ww, c.viewport[1] + j * wh)) << "tile " << k;
            EXPECT_EQ(t->Width(), ww);
            EXPECT_EQ(t->Height(), wh);
        }
        // The last tile reaches beyond the viewport's upper-right pixel.
        const Vec2d far = Tile(stamps, stamps.Grids().size() - 1)->Corners()[2];
        EXPECT_GE(far[0], c.viewport[0] + c.viewport[2] - 1);
        EXPECT_GE(far[1], c.viewport[1] + c.viewport[3] - 1);
    }
}

// ---- Window choice ----

TEST(StamperChoice, KeptShareFollowsTheProbabilityAndEmptyTilesCarryNothing)
{
    StampScope scope({0, 0, 800, 600}, true);
    struct Case {
        double prob, min_empty, max_empty;
    };
    const Case cases[] = {{1.0, 0.0, 0.0}, {0.8, 0.15, 0.25}, {0.7, 0.25, 0.35}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prob);
        Layer layer(20, 2);
        KxCStampGParam params;
        params.set_Cur_Prob(c.prob);
        KxCStampGCntr stamps;
        ASSERT_TRUE(Stamper().Stamp_Specific(&layer.windows, &stamps, &params));
        ASSERT_EQ(stamps.Grids().size(), 41u * 31u);
        const double empty = double(Empty_Tiles(stamps)) / stamps.Grids().size();
        EXPECT_GE(empty, c.min_empty);
        EXPECT_LE(empty, c.max_empty);
        for (std::size_t k = 0; k < stamps.Grids().size(); ++k) {
            const KxCStampGrid* t = Tile(stamps, k);
            EXPECT_EQ(t->DecalGrids().size(), t->WindowGrid() ? 2u : 0u) << "tile " << k;
            if (!t->WindowGrid()) {
                EXPECT_TRUE(Same_XForm(t->XForm(), KxCXForm())) << "tile " << k;
            }
        }
    }
}

TEST(StamperChoice, WindowsRecordTheTilesTheyFill)
{
    StampScope scope({0, 0, 800, 600}, true);
    struct Case {
        int windows;
        double prob;
    };
    // One window fills every kept tile; with three, the last of the shuffled
    // order is practically never picked.
    const Case cases[] = {{1, 0.7}, {3, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windows);
        Layer layer(20, 1, c.windows);
        KxCStampGParam params;
        params.set_Cur_Prob(c.prob);
        KxCStampGCntr stamps;
        ASSERT_TRUE(Stamper().Stamp_Specific(&layer.windows, &stamps, &params));
        std::set<KxCWndGrid*> used;
        std::size_t recorded = 0;
        for (KxCGrid* g : layer.windows.Grids()) {
            auto* w = static_cast<KxCWndGrid*>(g);
            std::vector<KxCStampGrid*> expected;
            for (KxCGrid* s : stamps.Grids())
                if (static_cast<KxCStampGrid*>(s)->WindowGrid() == w) expected.push_back(static_cast<KxCStampGrid*>(s));
            EXPECT_EQ(w->StampGrids(), expected);
            recorded += expected.size();
            if (!expected.empty()) used.insert(w);
        }
        EXPECT_EQ(recorded, stamps.Grids().size() - Empty_Tiles(stamps));
        EXPECT_EQ(used.size(), c.windows == 1 ? 1u : 2u);
    }
}

TEST(StamperChoice, DrawsGoShuffleThenTwoPerTileThenThreePerTransform)
{
    StampScope scope({0, 0, 100, 100}, true);
    Layer layer(60, 2, 3);
    KxCStampGParam params;
    params.set_Cur_Prob(0.6);
    KxCStampGCntr stamps;
    KxUtils::SRand(7); // overridden by the reseed
    ASSERT_TRUE(Stamper().Stamp_Specific(&layer.windows, &stamps, &params));
    ASSERT_EQ(stamps.Grids().size(), 4u);
    const int after_stamping = KxUtils::Rand();

    KxUtils::SRand(1024);
    std::vector<int> order = {0, 1, 2};
    KxUtils::Random_Shuffle(order);
    std::vector<KxCGrid*> chosen;
    for (int k = 0; k < 4; ++k) {
        const double pick = KxUtils::Rand_Unit();
        const double keep = KxUtils::Rand_Unit();
        chosen.push_back(keep <= 0.6 ? layer.windows.Grids()[order[static_cast<int>(pick * 2)]] : nullptr);
    }
    int kept = 0;
    for (int k = 0; k < 4; ++k) {
        const KxCStampGrid* t = Tile(stamps, k);
        EXPECT_EQ(t->WindowGrid(), chosen[k]) << "tile " << k;
        if (!chosen[k]) continue;
        ++kept;
        const double rx = KxUtils::Rand_Unit(), ry = KxUtils::Rand_Unit(), ra = KxUtils::Rand_Unit();
        EXPECT_EQ(t->XForm().m_Move, Vec2d(int((rx - 0.5) * 60 * 0.75), int((ry - 0.5) * 60 * 0.75)));
        EXPECT_DOUBLE_EQ(t->XForm().m_Angle, (ra - 0.5) * 360);
        for (const KxCDecalGrid* copy : t->DecalGrids()) {
            const double cx = KxUtils::Rand_Unit(), cy = KxUtils::Rand_Unit(), ca = KxUtils::Rand_Unit();
            EXPECT_DOUBLE_EQ(copy->XForm().m_Move[0], (cx - 0.5) * 2 * 60 * 0.05);
            EXPECT_DOUBLE_EQ(copy->XForm().m_Move[1], (cy - 0.5) * 2 * 60 * 0.05);
            EXPECT_DOUBLE_EQ(copy->XForm().m_Angle, (ca - 0.5) * 36);
        }
    }
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 4);
    // Nothing else was drawn.
    EXPECT_EQ(KxUtils::Rand(), after_stamping);
}

// ---- Copies ----

class StamperCopies : public GLTest {};

// Texture names are real here: the originals delete theirs, the copies must not.
TEST_F(StamperCopies, CopiesShareTheTextureAndKeepTheirPlaceInTheTile)
{
    StampScope scope({0, 0, 800, 600}, true);
    Layer layer;
    KxCWndGrid* window = layer.Add_Window(Vec2d(305, 247), 90, 90);
    KxCDecalGrid* a = layer.Add_Splat(window, Vec2d(310, 250), 10, 6);
    KxCDecalGrid* b = layer.Add_Splat(window, Vec2d(350, 300), 20, 8);
    b->Boundary_Flag() = true;
    std::vector<KxCDecalGrid*> originals = {a, b};
    for (KxCDecalGrid* g : originals) {
        GLuint tex = 0;
        glGenTextures(1, &tex);
        g->TextureID() = tex;
    }
    KxCStampGParam params;
    KxCStampGCntr stamps;
    ASSERT_TRUE(Stamper().Stamp_Specific(&layer.windows, &stamps, &params));
    ASSERT_EQ(stamps.Grids().size(), 63u);
    for (std::size_t k = 0; k < stamps.Grids().size(); ++k) {
        SCOPED_TRACE(testing::Message() << "tile " << k);
        const KxCStampGrid* t = Tile(stamps, k);
        ASSERT_EQ(t->WindowGrid(), window);
        ASSERT_EQ(t->DecalGrids().size(), 2u);
        const Vec2d offset = t->Center() - window->Center();
        for (std::size_t i = 0; i < 2; ++i) {
            const KxCDecalGrid* copy = t->DecalGrids()[i];
            const KxCDecalGrid* original = originals[i];
            EXPECT_NE(copy, original);
            EXPECT_EQ(copy->TextureID(), original->TextureID());
            EXPECT_TRUE(copy->Share_Texture());
            EXPECT_TRUE(copy->Stamp_Flag());
            EXPECT_EQ(copy->Boundary_Flag(), original->Boundary_Flag());
            EXPECT_EQ(copy->Points(), original->Points());
            EXPECT_EQ(copy->Corners()[0], original->Corners()[0] + offset);
            EXPECT_EQ(copy->Width(), original->Width());
            EXPECT_EQ(copy->Height(), original->Height());
        }
    }
    for (const KxCDecalGrid* g : originals) {
        EXPECT_FALSE(g->Share_Texture());
        EXPECT_FALSE(g->Stamp_Flag());
        EXPECT_TRUE(Same_XForm(g->XForm(), KxCXForm()));
    }
    EXPECT_EQ(a->Corners()[0], Vec2d(310, 250));
}

TEST(StamperTransforms, StampShiftsAreWholeAndCopyShiftsTwiceAsWide)
{
    StampScope scope({0, 0, 800, 600}, true);
    Layer layer;
    KxCWndGrid* window = layer.Add_Window(Vec2d(0, 0), 100, 50);
    for (int s = 0; s < 3; ++s) layer.Add_Splat(window, Vec2d(10 * s, 5), 8, 8);
    KxCStampGParam params; // stamps: move 0.75, turn 360; copies: move 0.05, turn 36
    KxCStampGCntr stamps;
    ASSERT_TRUE(Stamper().Stamp_Specific(&layer.windows, &stamps, &params));
    ASSERT_EQ(stamps.Grids().size(), 9u * 13u);
    Vec2d tile_max(0, 0), copy_max(0, 0);
    double tile_turn = 0, copy_turn = 0;
    bool fraction = false;
    for (KxCGrid* g : stamps.Grids()) {
        const auto* t = static_cast<KxCStampGrid*>(g);
        const KxCXForm& xf = t->XForm();
        for (int a = 0; a < 2; ++a) {
            EXPECT_EQ(xf.m_Move[a], std::trunc(xf.m_Move[a]));
            tile_max[a] = std::max(tile_max[a], std::fabs(xf.m_Move[a]));
        }
        tile_turn = std::max(tile_turn, std::fabs(xf.m_Angle));
        for (const KxCDecalGrid* copy : t->DecalGrids()) {
            const KxCXForm& cf = copy->XForm();
            for (int a = 0; a < 2; ++a) {
                copy_max[a] = std::max(copy_max[a], std::fabs(cf.m_Move[a]));
                fraction = fraction || cf.m_Move[a] != std::trunc(cf.m_Move[a]);
            }
            copy_turn = std::max(copy_turn, std::fabs(cf.m_Angle));
        }
    }
    // Stamps: up to half the tile size times 0.75 along each axis.
    EXPECT_LE(tile_max[0], 37.5);
    EXPECT_GT(tile_max[0], 30.0);
    EXPECT_LE(tile_max[1], 18.75);
    EXPECT_GT(tile_max[1], 15.0);
    EXPECT_LE(tile_turn, 180.0);
    EXPECT_GT(tile_turn, 150.0);
    // Copies: up to the whole tile size times 0.05 along each axis, with fractions.
    EXPECT_LE(copy_max[0], 5.0);
    EXPECT_GT(copy_max[0], 4.0);
    EXPECT_LE(copy_max[1], 2.5);
    EXPECT_GT(copy_max[1], 2.0);
    EXPECT_TRUE(fraction);
    EXPECT_LE(copy_turn, 18.0);
    EXPECT_GT(copy_turn, 15.0);
}

// ---- The layer loop ----

/// Records the probability each layer is stamped with, fails the chosen calls
/// and marks each container it fills with a tile as wide as the layer number.
class RecordingStamper : public KxCStamper {
public:
    explicit RecordingStamper(std::set<std::size_t> fail) : m_Fail(std::move(fail)) {}

    bool Stamp_Specific(KxCWndGCntr*, KxCStampGCntr* stamps, KxCStampGParam* params) override
    {
        const std::size_t call = probs.size();
        probs.push_back(params->Cur_Prob());
        if (m_Fail.count(call)) return false;
        stamps->Grids().push_back(new KxCStampGrid(Vec2d(0, 0), double(call + 1), 2));
        return true;
    }

    std::vector<double> probs;

private:
    std::set<std::size_t> m_Fail;
};

TEST(StamperLayers, ProbabilityFollowsThePositionAndFailedLayersAreSkipped)
{
    StampScope scope({0, 0, 200, 200}, false);
    Image_Mask mask;
    mask.Set(cv::Mat(20, 20, CV_8UC1, cv::Scalar(255)), 50, 50);
    struct Case {
        std::size_t layers;
        std::set<std::size_t> fail;
        std::vector<double> probs;
        std::vector<double> made; ///< layer numbers of the containers, in order
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {4, {}, {1.0, 0.8, 0.7, 0.7}, {1, 2, 3, 4}, {}},
        {3, {1}, {1.0, 0.8, 0.7}, {1, 3}, {"KxCStamper::Stamp: Stamp : Layer 2 failed"}},
        {2, {0, 1}, {1.0, 0.8}, {},
         {"KxCStamper::Stamp: Stamp : Layer 1 failed", "KxCStamper::Stamp: Stamp : Layer 2 failed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.layers << " layers, " << c.fail.size() << " failing");
        RecordingStamper stamper(c.fail);
        std::vector<KxCWndGCntr> containers(c.layers);
        std::vector<KxCWndGCntr*> windows;
        for (KxCWndGCntr& w : containers) windows.push_back(&w);
        KxCStampGParam params;
        StampList stamps;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(stamper.Stamp(&windows, &stamps.list, &mask, &params));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(stamper.probs, c.probs);
        EXPECT_DOUBLE_EQ(params.Cur_Prob(), c.probs.back());
        std::vector<double> made;
        for (const KxCStampGCntr* s : stamps.list) made.push_back(s->Grids().at(0)->Width());
        EXPECT_EQ(made, c.made);
        for (const std::string& m : c.messages) EXPECT_NE(err.find(m), std::string::npos) << err;
        if (c.messages.empty()) {
            EXPECT_EQ(err, "");
        }
    }
}

TEST(StamperLayers, LayerAfterAnUnusableOneKeepsItsOwnProbability)
{
    StampScope scope({0, 0, 800, 600}, true);
    Image_Mask mask;
    mask.Set(cv::Mat(20, 20, CV_8UC1, cv::Scalar(255)), 50, 50);
    Layer layer(20, 1);
    std::vector<KxCWndGCntr*> windows = {nullptr, &layer.windows};
    KxCStampGParam params;
    params.Filter().set_Enabled(false);
    StampList stamps;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(Stamper().Stamp(&windows, &stamps.list, &mask, &params));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("KxCStamperCPP::Stamp_Specific: Invalid inputs"), std::string::npos) << err;
    EXPECT_NE(err.find("KxCStamper::Stamp: Stamp : Layer 1 failed"), std::string::npos) << err;
    ASSERT_EQ(stamps.list.size(), 1u);
    EXPECT_DOUBLE_EQ(params.Cur_Prob(), 0.8);
    const double empty = double(Empty_Tiles(*stamps.list[0])) / stamps.list[0]->Grids().size();
    EXPECT_GT(empty, 0.15);
    EXPECT_LT(empty, 0.25);
}

TEST(StamperLayers, FilterRunsOnlyWhenSwitchedOn)
{
    // The object fills the whole viewport, so every filtered copy lies on it.
    StampScope scope({0, 0, 200, 200}, true);
    Image_Mask mask;
    mask.Set(cv::Mat(200, 200, CV_8UC1, cv::Scalar(255)), 0, 0);
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        Layer layer(30, 2);
        std::vector<KxCWndGCntr*> windows = {&layer.windows};
        KxCStampGParam params;
        params.Filter().set_Enabled(on);
        // Unperturbed, every copy of a tile on the object lies on the object too.
        params.Perturb_SG().set_Enabled(false);
        params.Perturb_DG().set_Enabled(false);
        StampList stamps;
        ASSERT_TRUE(Stamper().Stamp(&windows, &stamps.list, &mask, &params));
        ASSERT_EQ(stamps.list.size(), 1u);
        ASSERT_EQ(stamps.list[0]->Grids().size(), 49u);
        for (KxCGrid* g : stamps.list[0]->Grids()) {
            const auto* t = static_cast<KxCStampGrid*>(g);
            // The last column and row start at 210 and lie off the object's rectangle.
            const bool on_object = t->Corners()[0][0] < 200 && t->Corners()[0][1] < 200;
            for (const KxCDecalGrid* copy : t->DecalGrids())
                EXPECT_EQ(copy->Stamp_Flag(), !(on && on_object)) << "tile at " << t->Corners()[0];
        }
    }
}

// ---- Filter ----

/// Stamps made by hand, each copy a 3 x 3 grid centred on a given pixel.
struct FilterScene {
    KxCStampGrid* Add_Stamp(const Vec2d& lb, double w, double h)
    {
        auto* t = new KxCStampGrid(lb, w, h);
        stamps.Grids().push_back(t);
        return t;
    }
    KxCDecalGrid* Add_Copy(KxCStampGrid* t, const Vec2d& centre, bool shown)
    {
        auto* g = new KxCDecalGrid;
        g->Create(centre - Vec2d(1, 1), 3, 3);
        g->Stamp_Flag() = shown;
        t->DecalGrids().push_back(g);
        return g;
    }

    KxCStampGCntr stamps;
};

TEST(StamperFilter, CopiesDrawnNearTheObjectAreHidden)
{
    // Object 90 ... 110 x 125 ... 140: diagonal 25, so with ratio 0.1 the
    // threshold lies in 0 ... 5. The stamp spans 60 ... 140, centre (100, 100).
    StampScope scope({0, 0, 200, 200}, true);
    Image_Mask mask;
    mask.Set(cv::Mat(16, 21, CV_8UC1, cv::Scalar(255)), 90, 125);
    struct Case {
        const char* what;
        Vec2d centre, copy_move;
        double copy_angle;
        Vec2d stamp_move;
        double stamp_angle;
        bool copy_on, stamp_on, hidden;
    };
    const Vec2d none(0, 0);
    const Case cases[] = {
        {"on the object", {100, 130}, none, 0, none, 0, true, true, true},
        {"32 pixels away", {130, 100}, none, 0, none, 0, true, true, false},
        {"shifted out of the viewport", {100, 130}, {150, 0}, 0, none, 0, true, true, false},
        {"copy shift switched off", {100, 130}, {150, 0}, 0, none, 0, false, true, true},
        {"turned about its own centre", {100, 130}, none, 90, none, 0, true, true, true},
        {"stamp turns it onto the object", {130, 100}, none, 0, none, 90, true, true, true},
        {"stamp turns it away", {130, 100}, none, 0, none, -90, true, true, false},
        {"stamp turn switched off", {130, 100}, none, 0, none, 90, true, false, false},
        {"stamp shifts it onto the object", {130, 100}, none, 0, {-30, 30}, 0, true, true, true},
        {"copy shift comes before the stamp turn", {130, 70}, {0, 30}, 0, none, 90, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FilterScene scene;
        KxCStampGrid* t = scene.Add_Stamp(Vec2d(60, 60), 81, 81);
        t->XForm().m_Move = c.stamp_move;
        t->XForm().m_Angle = c.stamp_angle;
        KxCDecalGrid* copy = scene.Add_Copy(t, c.centre, c.hidden);
        copy->XForm().m_Move = c.copy_move;
        copy->XForm().m_Angle = c.copy_angle;
        KxCStampGParam params;
        params.Perturb_DG().set_Enabled(c.copy_on);
        params.Perturb_SG().set_Enabled(c.stamp_on);
        ASSERT_TRUE(Stamper().Filter(&scene.stamps, &mask, &params));
        EXPECT_EQ(copy->Stamp_Flag(), !c.hidden);
    }
}

TEST(StamperFilter, OneDrawPerVisitedCopyAndStampsOffTheObjectLeftAlone)
{
    StampScope scope({0, 0, 200, 200}, false);
    Image_Mask mask;
    mask.Set(cv::Mat(16, 21, CV_8UC1, cv::Scalar(255)), 90, 125);
    FilterScene scene;
    // Overlapping: on the object, shifted out of the viewport, far away.
    KxCStampGrid* over = scene.Add_Stamp(Vec2d(60, 60), 81, 81);
    scene.Add_Copy(over, Vec2d(100, 130), true);
    scene.Add_Copy(over, Vec2d(100, 130), true)->XForm().m_Move = Vec2d(500, 0);
    scene.Add_Copy(over, Vec2d(62, 62), false);
    // Off the rectangle, although its shift would carry a copy onto the object.
    KxCStampGrid* off = scene.Add_Stamp(Vec2d(0, 0), 40, 40);
    off->XForm().m_Move = Vec2d(80, 110);
    KxCDecalGrid* off_shown = scene.Add_Copy(off, Vec2d(20, 20), true);
    KxCDecalGrid* off_hidden = scene.Add_Copy(off, Vec2d(20, 20), false);
    // Touching the rectangle's corner (90, 125) only: still visited.
    KxCStampGrid* corner = scene.Add_Stamp(Vec2d(50, 85), 41, 41);
    scene.Add_Copy(corner, Vec2d(55, 90), false);

    struct Case {
        bool fix_rand;
        unsigned seed_before, seed_expected;
    };
    for (const Case& c : {Case{false, 77, 77}, Case{true, 5, 1024}}) {
        SCOPED_TRACE(c.fix_rand);
        AppGlobal::g_Fix_Rand = c.fix_rand;
        KxCStampGParam params;
        KxUtils::SRand(c.seed_before);
        ASSERT_TRUE(Stamper().Filter(&scene.stamps, &mask, &params));
        const int next = KxUtils::Rand();
        KxUtils::SRand(c.seed_expected);
        EXPECT_EQ(Value_After(4), next);
        const std::vector<bool> expected = {false, true, true};
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(over->DecalGrids()[i]->Stamp_Flag(), expected[i]) << i;
        EXPECT_TRUE(corner->DecalGrids()[0]->Stamp_Flag());
        EXPECT_TRUE(off_shown->Stamp_Flag());
        EXPECT_FALSE(off_hidden->Stamp_Flag());
    }
}

TEST(StamperFilter, DistanceImageIsReadFromTheViewportCorner)
{
    // Viewport 100 ... 299 x 50 ... 199; object 150 ... 169 x 80 ... 99.
    StampScope scope({100, 50, 200, 150}, true);
    Image_Mask mask;
    mask.Set(cv::Mat(20, 20, CV_8UC1, cv::Scalar(255)), 150, 80);
    ASSERT_EQ(mask.Dist2_Image()->Matrix()->rows, 150);
    ASSERT_EQ(mask.Dist2_Image()->Matrix()->cols, 200);
    struct Case {
        Vec2d centre;
        bool hidden;
    };
    const Case cases[] = {
        {{160, 90}, true},   // on the object
        {{60, 40}, false},   // left of and below the viewport; its image pixel would be on the object
        {{299, 199}, false}, // the viewport's last pixel
        {{300, 100}, false}, // just right of the viewport
        {{160, 200}, false}, // just above it
    };
    FilterScene scene;
    KxCStampGrid* t = scene.Add_Stamp(Vec2d(100, 50), 200, 150);
    for (const Case& c : cases) scene.Add_Copy(t, c.centre, c.hidden);
    KxCStampGParam params;
    ASSERT_TRUE(Stamper().Filter(&scene.stamps, &mask, &params));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(t->DecalGrids()[i]->Stamp_Flag(), !cases[i].hidden) << cases[i].centre;

    // Without a distance image nothing is hidden.
    mask.Dist2_Image()->Clear();
    t->DecalGrids()[0]->Stamp_Flag() = false;
    ASSERT_TRUE(Stamper().Filter(&scene.stamps, &mask, &params));
    EXPECT_TRUE(t->DecalGrids()[0]->Stamp_Flag());
}

// ---- Repeatability ----

TEST(StamperRepeat, FixedSeedGivesIdenticalStampings)
{
    StampScope scope({0, 0, 400, 300}, true);
    Image_Mask mask;
    mask.Set(cv::Mat(60, 80, CV_8UC1, cv::Scalar(255)), 160, 120);
    Layer layer(60, 3, 3);
    std::vector<KxCWndGCntr*> windows = {&layer.windows};
    KxCStampGParam params;
    StampList first, second;
    KxUtils::SRand(1);
    ASSERT_TRUE(Stamper().Stamp(&windows, &first.list, &mask, &params));
    KxUtils::SRand(99);
    ASSERT_TRUE(Stamper().Stamp(&windows, &second.list, &mask, &params));
    ASSERT_EQ(first.list.size(), 1u);
    ASSERT_EQ(second.list.size(), 1u);
    const KxCStampGCntr& a = *first.list[0];
    const KxCStampGCntr& b = *second.list[0];
    ASSERT_EQ(a.Grids().size(), b.Grids().size());
    std::set<KxCWndGrid*> used;
    int hidden = 0;
    for (std::size_t k = 0; k < a.Grids().size(); ++k) {
        SCOPED_TRACE(testing::Message() << "tile " << k);
        const KxCStampGrid* ta = Tile(a, k);
        const KxCStampGrid* tb = Tile(b, k);
        EXPECT_EQ(ta->Corners(), tb->Corners());
        EXPECT_EQ(ta->WindowGrid(), tb->WindowGrid());
        EXPECT_TRUE(Same_XForm(ta->XForm(), tb->XForm()));
        ASSERT_EQ(ta->DecalGrids().size(), tb->DecalGrids().size());
        for (std::size_t i = 0; i < ta->DecalGrids().size(); ++i) {
            const KxCDecalGrid* ca = ta->DecalGrids()[i];
            const KxCDecalGrid* cb = tb->DecalGrids()[i];
            EXPECT_EQ(ca->Corners(), cb->Corners());
            EXPECT_TRUE(Same_XForm(ca->XForm(), cb->XForm()));
            EXPECT_EQ(ca->Stamp_Flag(), cb->Stamp_Flag());
            hidden += ca->Stamp_Flag() ? 0 : 1;
        }
        used.insert(ta->WindowGrid());
    }
    // The comparison covers more than one window and filtered copies.
    EXPECT_GE(used.size(), 2u);
    EXPECT_GT(hidden, 0);
}

// ---- Positions ----

class StamperPosition : public GLTest {};

// The filter must test copies where the drawing puts them.
TEST_F(StamperPosition, PointTransformMatchesTheDrawnOne)
{
    struct Case {
        Vec2d lb;
        double w, h;
        Vec2d move;
        double angle;
    };
    const Case cases[] = {
        {{0, 0}, 3, 3, {0, 0}, 90},
        {{10, 20}, 30, 11, {4.5, -7}, 33},
        {{-5, 8}, 9, 40, {-12, 0.25}, -150},
    };
    const Vec2d points[] = {{0, 0}, {2, 1}, {17, -4}, {31.5, 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        KxCGrid grid(c.lb, c.w, c.h);
        grid.XForm().m_Move = c.move;
        grid.XForm().m_Angle = c.angle;
        std::array<GLdouble, 16> m{};
        Paint([&] {
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glLoadIdentity();
            Apply_XForm(grid);
            glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
            glPopMatrix();
        });
        for (const Vec2d& v : points) {
            const Vec2d p = XForm_Point(grid, v);
            EXPECT_NEAR(p[0], m[0] * v[0] + m[4] * v[1] + m[12], 1e-4) << v; // GL keeps single precision
            EXPECT_NEAR(p[1], m[1] * v[0] + m[5] * v[1] + m[13], 1e-4) << v; // GL keeps single precision
        }
    }
    // Counter-clockwise: a quarter turn takes the right neighbour of the centre above it.
    KxCGrid grid(Vec2d(0, 0), 3, 3);
    grid.XForm().m_Angle = 90;
    const Vec2d p = XForm_Point(grid, Vec2d(2, 1));
    EXPECT_NEAR(p[0], 1, 1e-12);
    EXPECT_NEAR(p[1], 2, 1e-12);
}

} // namespace

// The analyzer's work on splat grids: window sampling, the perturbation of
// blobs near the silhouette and the area filter. No drawing is involved.
#include "composition/KxCAnalyzerOI.h"
#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCWndGrid.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/util/KxRandom.h"
#include "test_support.h"

using namespace OrvaneImage;
using KxUtils::Vec2d;

namespace {

/// The value the generator gives after n draws from seed 1024.
int Rand_After(int n)
{
    KxUtils::SRand(1024);
    for (int i = 0; i < n; ++i) KxUtils::Rand();
    return KxUtils::Rand();
}

/// Splat grids over an object rectangle whose lower-left pixel is (10, 20), in a 200 x 200 view.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orvane_test::Capture_Ortho(0, 200, 0, 200, {0, 0, 200, 200});
        Object(100, 100);
        params.Multi_Resolution().Perturb().set_Enabled(false);
    }

    /// A w x h object rectangle filled with object pixels where fill says so (all by default).
    void Object(int w, int h, cv::Rect fill = cv::Rect(0, 0, 1 << 20, 1 << 20))
    {
        cv::Mat object(h, w, CV_8UC1, cv::Scalar(0));
        object(fill & cv::Rect(0, 0, w, h)).setTo(255);
        mask.Set(object, 10, 20);
    }

    /// A grid of the w x h pixels from (x, y) holding n points.
    KxCDecalGrid* Add(double x, double y, double w, double h, int n, bool boundary = false)
    {
        auto* g = new KxCDecalGrid;
        g->Create(Vec2d(x, y), w, h);
        g->Points().assign(n, KxUtils::Vec2s(0, 0));
        g->Boundary_Flag() = boundary;
        grids.Grids().push_back(g);
        return g;
    }

    KxCDecalGrid& Grid(std::size_t i) { return *dynamic_cast<KxCDecalGrid*>(grids.Grids()[i]); }
    KxCWndGrid& Window(std::size_t i) { return *dynamic_cast<KxCWndGrid*>(windows.Grids()[i]); }

    bool Sample(double ratio)
    {
        params.Multi_Resolution().set_Cur_Ratio(ratio);
        return KxCAnalyzerOI::InstancePtr()->Sample(&grids, &windows, &mask, &params);
    }

    orvane_test::Image_Mask mask;
    KxCDecalGCntr grids;
    KxCWndGCntr windows;
    KxCDecalGParam params;
};

} // namespace

TEST_F(WindowTest, WindowsOfTenPixelsOrLessAreRefused)
{
    struct Case {
        int w;
        bool sampled;
    };
    for (const Case c : {Case{60, false}, Case{70, false}, Case{73, false}, Case{74, true}}) {
        SCOPED_TRACE(c.w);
        grids.Clear();
        windows.Clear();
        Object(c.w, 40);
        Add(10, 20, c.w, 40, c.w * 40);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Sample(0.15), c.sampled);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err, c.sampled ? "" : "KxCAnalyzer::Sample: Window size is too small\n");
        if (c.sampled) {
            EXPECT_EQ(Window(0).Width(), 11);
        }
    }
}

TEST_F(WindowTest, WindowsNeedAGridCentreAndThirtyPercentCover)
{
    // Side 20, step 10: the grid's centre (24.5, 34.5) lies in the four windows from (10 | 20, 20 | 30).
    struct Case {
        const char* name;
        int points;
        cv::Rect object;
        std::size_t windows;
    };
    for (const Case& c : {Case{"exactly 30 %", 120, {0, 0, 100, 100}, 4}, Case{"just below", 119, {0, 0, 100, 100}, 0},
                          Case{"centre off the object", 400, {50, 0, 50, 100}, 0}}) {
        SCOPED_TRACE(c.name);
        grids.Clear();
        windows.Clear();
        Object(100, 100, c.object);
        Add(20, 30, 10, 10, c.points);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Sample(0.2), c.windows > 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.windows ? "" : "KxCAnalyzer::Sample: Empty grid container\n");
        ASSERT_EQ(windows.Grids().size(), c.windows);
        std::set<std::pair<double, double>> corners;
        for (std::size_t i = 0; i < c.windows; ++i) {
            corners.emplace(Window(i).Corners()[0][0], Window(i).Corners()[0][1]);
            EXPECT_EQ(Window(i).DecalGrids(), std::vector<KxCDecalGrid*>{&Grid(0)});
        }
        if (c.windows) {
            EXPECT_EQ(corners, (std::set<std::pair<double, double>>{{10, 20}, {20, 20}, {10, 30}, {20, 30}}));
        }
    }
}

TEST_F(WindowTest, WindowsListOnlyEnabledGridsWithTheirCentreInside)
{
    Add(20, 30, 10, 10, 400);
    Add(28, 30, 12, 10, 400)->Enabled() = false; // centre inside the same windows, but filtered out
    Add(38, 30, 10, 10, 400);                      // overlaps the window from (20, 30), centre outside it
    ASSERT_TRUE(Sample(0.2));
    for (std::size_t i = 0; i < windows.Grids().size(); ++i) {
        const KxCWndGrid& w = Window(i);
        for (const KxCDecalGrid* g : w.DecalGrids()) {
            EXPECT_TRUE(g->Enabled());
            EXPECT_TRUE(w.Intersect(g->Center()));
        }
    }
}

TEST_F(WindowTest, EveryWindowDrawsTwoNumbersAndIsShiftedByThem)
{
    const orvane_test::FixRand fix(true);
    Add(10, 20, 100, 100, 10000);
    const double side = 20, move = 0.5;
    params.Multi_Resolution().Perturb().set_Move_Factor(move);
    for (const bool perturb : {false, true}) {
        SCOPED_TRACE(perturb);
        windows.Clear();
        params.Multi_Resolution().Perturb().set_Enabled(perturb);
        ASSERT_TRUE(Sample(0.2));
        const int next = KxUtils::Rand();
        EXPECT_EQ(next, Rand_After(2 * 11 * 11));
        // The expected lower-left corners, drawn in the same order.
        KxUtils::SRand(1024);
        std::set<std::pair<double, double>> expected;
        for (int j = 0; j <= 10; ++j)
            for (int i = 0; i <= 10; ++i) {
                const int ox = static_cast<int>((KxUtils::Rand_Unit() - 0.5) * side * move);
                const int oy = static_cast<int>((KxUtils::Rand_Unit() - 0.5) * side * move);
                expected.emplace(10 + i * 10 + (perturb ? ox : 0), 20 + j * 10 + (perturb ? oy : 0));
            }
        ASSERT_FALSE(windows.Grids().empty());
        for (std::size_t i = 0; i < windows.Grids().size(); ++i)
            EXPECT_TRUE(expected.count({Window(i).Corners()[0][0], Window(i).Corners()[0][1]}));
        EXPECT_EQ(Window(0).XForm().m_Move, Vec2d(0, 0));
    }
}

TEST_F(WindowTest, PerturbDrawsForEveryGridAndMovesOnlyBoundaryGrids)
{
    const orvane_test::FixRand fix(true);
    Add(20, 30, 10, 10, 50, true);
    Add(40, 30, 10, 10, 50, false);
    Add(60, 30, 10, 10, 50, true);
    ASSERT_TRUE(KxCAnalyzerOI::InstancePtr()->Perturb(&grids, &mask, &params));
    const int next = KxUtils::Rand();
    EXPECT_EQ(next, Rand_After(9));

    const double d = std::hypot(99.0, 99.0), m = params.Perturb().Move_Factor(), a = params.Perturb().Rotate_Factor();
    KxUtils::SRand(1024);
    for (std::size_t i = 0; i < 3; ++i) {
        const double dx = (KxUtils::Rand_Unit() - 0.5) * 2 * d * m, dy = (KxUtils::Rand_Unit() - 0.5) * 2 * d * m;
        const double angle = (KxUtils::Rand_Unit() - 0.5) * a;
        const KxCXForm& xf = Grid(i).XForm();
        if (Grid(i).Boundary_Flag()) {
            EXPECT_EQ(xf.m_Move, Vec2d(dx, dy));
            EXPECT_EQ(xf.m_Angle, angle);
            EXPECT_LE(std::abs(dx), d * m);
            EXPECT_LE(std::abs(angle), a / 2);
        } else {
            EXPECT_EQ(xf.m_Move, Vec2d(0, 0));
            EXPECT_EQ(xf.m_Angle, 0.0);
        }
    }
}

TEST_F(WindowTest, FilterEnablesExactlyTheGridsThatReachTheRatio)
{
    // 10000 object pixels and the default ratio 0.0002: two points are enough.
    Add(20, 30, 10, 10, 1);
    Add(40, 30, 10, 10, 2)->Enabled() = false; // disabled by an earlier filtering
    Add(60, 30, 10, 10, 50);
    ASSERT_TRUE(KxCAnalyzerOI::InstancePtr()->Filter(&grids, &mask, &params));
    EXPECT_FALSE(Grid(0).Enabled());
    EXPECT_TRUE(Grid(1).Enabled());
    EXPECT_TRUE(Grid(2).Enabled());
}

TEST_F(WindowTest, MissingInputsAreReported)
{
    KxCAnalyzer& a = *KxCAnalyzerOI::InstancePtr();
    struct Case {
        std::function<bool()> run;
        const char* line;
    };
    orvane_test::Image_Mask invalid; // no rectangle, no object pixels
    for (const Case& c : {Case{[&] { return a.Sample(nullptr, &windows, &mask, &params); }, "Sample"},
                          Case{[&] { return a.Sample(&grids, nullptr, &mask, &params); }, "Sample"},
                          Case{[&] { return a.Sample(&grids, &windows, &invalid, &params); }, "Sample"},
                          Case{[&] { return a.Sample(&grids, &windows, &mask, nullptr); }, "Sample"},
                          Case{[&] { return a.Perturb(nullptr, &mask, &params); }, "Perturb"},
                          Case{[&] { return a.Perturb(&grids, nullptr, &params); }, "Perturb"},
                          Case{[&] { return a.Filter(&grids, &mask, nullptr); }, "Filter"},
                          Case{[&] { return a.Filter(&grids, &invalid, &params); }, "Filter"}}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(c.run());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("KxCAnalyzer::") + c.line + ": Invalid inputs\n");
    }
}

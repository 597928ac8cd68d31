#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <numeric>
#include <vector>

#include "composition/KxCCntrData.h"
#include "composition/KxCImgProc.h"
#include "pipeline/params/KxCDecalGParam.h"

using OrvaneImage::KxCBrkParam;
using OrvaneImage::KxCCntrData;
using OrvaneImage::KxCIdxSeg;
using OrvaneImage::KxCImgProc;
using OrvaneImage::KxCLineSeg;
using KxUtils::Vec2s;

namespace {

/// A black w x h mask with the given rectangles filled white.
cv::Mat Mask(int w, int h, const std::vector<cv::Rect>& blobs)
{
    cv::Mat img = cv::Mat::zeros(h, w, CV_8UC1);
    for (const cv::Rect& r : blobs) cv::rectangle(img, r, 255, cv::FILLED);
    return img;
}

/// A contour made by hand: points, magnitudes and arc length.
KxCLineSeg* Make_Seg(const std::vector<Vec2s>& pts, const std::vector<double>& mags, double length)
{
    auto* seg = new KxCLineSeg;
    seg->Points() = pts;
    seg->Magnitudes() = mags;
    seg->Length() = length;
    return seg;
}

/// Points (0,0) ... (n-1,0), one pixel apart.
std::vector<Vec2s> Line_Points(int n)
{
    std::vector<Vec2s> pts;
    for (int i = 0; i < n; ++i) pts.emplace_back(short(i), short(0));
    return pts;
}

/// The 20 boundary pixels of a 6 x 6 square, walked with one-pixel steps.
std::vector<Vec2s> Square_Loop()
{
    std::vector<Vec2s> pts;
    for (int x = 0; x < 5; ++x) pts.emplace_back(short(x), short(0));
    for (int y = 0; y < 5; ++y) pts.emplace_back(short(5), short(y));
    for (int x = 5; x > 0; --x) pts.emplace_back(short(x), short(5));
    for (int y = 5; y > 0; --y) pts.emplace_back(short(0), short(y));
    return pts;
}

KxCBrkParam Params(double mag, double smpl, double lnth)
{
    KxCBrkParam p;
    p.set_Mag_Ratio(mag);
    p.set_Smpl_Ratio(smpl);
    p.set_Lnth_Ratio(lnth);
    return p;
}

std::vector<std::vector<int>> Piece_Indices(const KxCCntrData& set, std::size_t contour)
{
    std::vector<std::vector<int>> out;
    for (const KxCIdxSeg* s : set.Segments().at(contour)) out.push_back(s->Indices());
    return out;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> v(last - first + 1);
    std::iota(v.begin(), v.end(), first);
    return v;
}

/// Smallest and largest point coordinates of a contour.
std::pair<cv::Point, cv::Point> Extent(const KxCLineSeg& seg)
{
    cv::Point lo(1 << 20, 1 << 20), hi(-(1 << 20), -(1 << 20));
    for (const Vec2s& p : seg.Points()) {
        lo.x = std::min<int>(lo.x, p[0]); lo.y = std::min<int>(lo.y, p[1]);
        hi.x = std::max<int>(hi.x, p[0]); hi.y = std::max<int>(hi.y, p[1]);
    }
    return {lo, hi};
}

KxCImgProc& Proc() { return *KxCImgProc::InstancePtr(); }

} // namespace

// ---------------------------------------------------------------- data classes

TEST(ContourData, LineSegTagHasMagsAndClear)
{
    KxCLineSeg seg;
    EXPECT_EQ(seg.Tag(), -1);
    EXPECT_FALSE(seg.has_Mags());
    seg.Points() = Line_Points(3);
    seg.Magnitudes() = {0.0, 1.0};
    EXPECT_FALSE(seg.has_Mags()) << "one magnitude short";
    seg.Magnitudes().push_back(0.5);
    EXPECT_TRUE(seg.has_Mags());
    seg.Length() = 2.0;
    seg.Tag() = 7;

    const KxCLineSeg copy(seg);
    EXPECT_EQ(copy.Tag(), 7);
    EXPECT_EQ(copy.Length2(), 3);

    seg.Clear();
    EXPECT_EQ(seg.Length2(), 0);
    EXPECT_TRUE(seg.Magnitudes().empty());
    EXPECT_EQ(seg.Length(), 0.0);
    EXPECT_EQ(seg.Tag(), -1);

    KxCIdxSeg piece;
    EXPECT_EQ(piece.Tag(), 0);
    piece.Indices() = {1, 2};
    piece.Magnitude() = 3.0;
    piece.Tag() = 4;
    piece.Clear();
    EXPECT_TRUE(piece.Indices().empty());
    EXPECT_EQ(piece.Magnitude(), 0.0);
    EXPECT_EQ(piece.Tag(), 0);
}

TEST(ContourData, TotalsAndClearKeepMulti)
{
    KxCCntrData set;
    set.is_Multi() = true;
    set.Contours().push_back(Make_Seg(Line_Points(4), {}, 3.5));
    set.Contours().push_back(Make_Seg(Line_Points(6), {}, 10.0));
    set.Segments().resize(2);
    set.Segments()[1].push_back(new KxCIdxSeg);
    set.Cal_Length();
    EXPECT_DOUBLE_EQ(set.Total_Length(), 13.5);
    EXPECT_EQ(set.Total_Points(), 10);

    set.Clear_Segments();
    EXPECT_TRUE(set.Segments().empty());
    EXPECT_EQ(set.Contours().size(), 2u);

    set.Clear();
    EXPECT_TRUE(set.Contours().empty());
    EXPECT_EQ(set.Total_Length(), 0.0);
    EXPECT_EQ(set.Total_Points(), 0);
    EXPECT_TRUE(set.is_Multi());
}

// ---------------------------------------------------------------- extraction

TEST(ContourExtract, TwoBlobsMultiKeepsBothWithEnclosingRectangle)
{
    const cv::Rect small(5, 5, 6, 4), large(20, 10, 10, 8);
    const cv::Mat img = Mask(40, 30, {small, large});
    KxCCntrData set;
    set.is_Multi() = true;
    cv::Rect rect;
    ASSERT_TRUE(Proc().Find_Bounding_Info(&img, rect, &set, 0));
    EXPECT_EQ(rect, cv::Rect(5, 5, 25, 13));
    ASSERT_EQ(set.Contours().size(), 2u);

    // A filled w x h rectangle's border has 2(w-1) + 2(h-1) pixels and as long an arc.
    std::vector<int> counts;
    for (const KxCLineSeg* c : set.Contours()) {
        counts.push_back(c->Length2());
        EXPECT_DOUBLE_EQ(c->Length(), c->Length2());
        EXPECT_TRUE(c->Magnitudes().empty());
    }
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ(counts, (std::vector<int>{16, 32}));
    EXPECT_EQ(set.Total_Points(), 48);
    EXPECT_DOUBLE_EQ(set.Total_Length(), 48.0);
}

TEST(ContourExtract, TwoBlobsSingleKeepsTheLongerWithItsOwnRectangle)
{
    const cv::Rect small(5, 5, 6, 4), large(20, 10, 10, 8);
    // Listed both ways so that finder order cannot decide which one is kept.
    for (const auto& blobs : {std::vector<cv::Rect>{small, large}, std::vector<cv::Rect>{large, small}}) {
        const cv::Mat img = Mask(40, 30, blobs);
        KxCCntrData set;
        set.is_Multi() = false;
        set.Segments().resize(1); // stale pieces must go
        cv::Rect rect;
        ASSERT_TRUE(Proc().Find_Bounding_Info(&img, rect, &set, 2));
        EXPECT_EQ(rect, cv::Rect(18, 8, 14, 12));
        ASSERT_EQ(set.Contours().size(), 1u);
        EXPECT_EQ(set.Contours()[0]->Length2(), 32);
        EXPECT_DOUBLE_EQ(set.Total_Length(), 32.0);
        EXPECT_TRUE(set.Segments().empty());
        const auto ext = Extent(*set.Contours()[0]);
        EXPECT_EQ(ext.first, cv::Point(2, 2));
        EXPECT_EQ(ext.second, cv::Point(11, 9));
    }
}

TEST(ContourExtract, MarginIsClampedToTheImageAndPointsAreRelativeToTheGrownCorner)
{
    struct Case {
        const char* name;
        cv::Rect blob;
        unsigned margin;
        cv::Rect expected;
    };
    const Case cases[] = {
        {"inside", {10, 10, 5, 5}, 3, {7, 7, 11, 11}},
        {"touching left edge", {0, 10, 5, 5}, 3, {0, 7, 8, 11}},
        {"one pixel from top", {12, 1, 4, 4}, 3, {9, 0, 10, 8}},
        {"touching right and bottom", {34, 24, 6, 6}, 3, {31, 21, 9, 9}},
        {"near right and bottom", {33, 23, 5, 5}, 3, {30, 20, 10, 10}},
        {"margin larger than image", {18, 12, 3, 3}, 1000, {0, 0, 40, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cv::Mat img = Mask(40, 30, {c.blob});
        KxCCntrData set;
        cv::Rect rect;
        ASSERT_TRUE(Proc().Find_Bounding_Info(&img, rect, &set, c.margin));
        EXPECT_EQ(rect, c.expected);
        ASSERT_EQ(set.Contours().size(), 1u);
        const auto ext = Extent(*set.Contours()[0]);
        EXPECT_EQ(ext.first, c.blob.tl() - c.expected.tl());
        EXPECT_EQ(ext.second, c.blob.br() - cv::Point(1, 1) - c.expected.tl());
    }
}

TEST(ContourExtract, NoForegroundOrNoImageFailsAndLeavesTheSet)
{
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Line_Points(3), {}, 2.0));
    set.Cal_Length();
    const cv::Mat blank = Mask(20, 20, {});
    const cv::Mat none;
    cv::Rect rect(1, 2, 3, 4);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(Proc().Find_Bounding_Info(&blank, rect, &set, 2));
    EXPECT_FALSE(Proc().Find_Bounding_Info(&none, rect, &set, 2));
    EXPECT_FALSE(Proc().Find_Bounding_Info(nullptr, rect, &set, 2));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(rect, cv::Rect(1, 2, 3, 4));
    ASSERT_EQ(set.Contours().size(), 1u);
    EXPECT_EQ(set.Total_Points(), 3);
}

TEST(ContourExtract, MultiChannelImageIsRejectedWithItsLine)
{
    cv::Mat img = cv::Mat::zeros(20, 20, CV_8UC3);
    cv::rectangle(img, cv::Rect(5, 5, 6, 6), cv::Scalar(255, 255, 255), cv::FILLED);
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Line_Points(3), {}, 2.0));
    cv::Rect rect(1, 2, 3, 4);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(Proc().Find_Bounding_Info(&img, rect, &set, 0));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "KxCImgProc::Find_Bounding_Info: Source image must be single channel\n");
    EXPECT_EQ(rect, cv::Rect(1, 2, 3, 4));
    ASSERT_EQ(set.Contours().size(), 1u);
    EXPECT_EQ(set.Contours()[0]->Length2(), 3);
}

TEST(ContourExtract, InputImageIsNotModifiedAndAnyNonZeroValueIsForeground)
{
    cv::Mat img = Mask(20, 20, {});
    cv::rectangle(img, cv::Rect(4, 4, 5, 5), 1, cv::FILLED); // value 1, not 255
    const cv::Mat before = img.clone();
    KxCCntrData set;
    cv::Rect rect;
    ASSERT_TRUE(Proc().Find_Bounding_Info(&img, rect, &set, 0));
    EXPECT_EQ(rect, cv::Rect(4, 4, 5, 5));
    EXPECT_EQ(cv::countNonZero(img != before), 0);
}

// The normal (q.y - p.y, p.x - q.x) of every step must point into the object:
// silhouette cuts are drawn along it.
TEST(ContourExtract, StepNormalsPointIntoTheForegroundForOuterAndHoleBorders)
{
    cv::Mat img = Mask(50, 40, {{3, 3, 20, 20}});
    cv::rectangle(img, cv::Rect(9, 9, 8, 8), 0, cv::FILLED); // hole: ring 6 pixels wide
    cv::circle(img, cv::Point(37, 20), 8, 255, cv::FILLED);
    KxCCntrData set;
    set.is_Multi() = true;
    cv::Rect rect;
    ASSERT_TRUE(Proc().Find_Bounding_Info(&img, rect, &set, 0));
    ASSERT_EQ(set.Contours().size(), 3u);
    const cv::Mat crop = img(rect);

    for (const KxCLineSeg* c : set.Contours()) {
        const auto& pts = c->Points();
        ASSERT_GT(pts.size(), 8u);
        int outward = 0;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Vec2s& p = pts[i];
            const Vec2s& q = pts[(i + 1) % pts.size()];
            const int nx = q[1] - p[1], ny = p[0] - q[0];
            const cv::Point a(p[0] + nx, p[1] + ny); // one normal step from p
            if (!a.inside(cv::Rect(0, 0, crop.cols, crop.rows)) || !crop.at<uchar>(a)) ++outward;
        }
        EXPECT_EQ(outward, 0) << "contour of " << pts.size() << " points";
    }
}

// ---------------------------------------------------------------- curvature

TEST(ContourCurvature, RectangleCornersPeakAndMidEdgesAreFlat)
{
    // Not square, so reading the strength map with row and column swapped shows.
    const cv::Rect blob(10, 8, 24, 12);
    const cv::Mat img = Mask(50, 30, {blob});
    KxCCntrData set;
    cv::Rect rect;
    ASSERT_TRUE(Proc().Find_Bounding_Info(&img, rect, &set, 4));
    const cv::Mat crop = img(rect).clone();
    Proc().Compute_Curvature(&crop, &set);

    const KxCLineSeg& c = *set.Contours()[0];
    ASSERT_TRUE(c.has_Mags());
    const auto& mags = c.Magnitudes();
    EXPECT_DOUBLE_EQ(*std::min_element(mags.begin(), mags.end()), 0.0);
    EXPECT_DOUBLE_EQ(*std::max_element(mags.begin(), mags.end()), 1.0);

    const cv::Point lo = blob.tl() - rect.tl(), hi = blob.br() - cv::Point(1, 1) - rect.tl();
    const cv::Point corners[] = {lo, {hi.x, lo.y}, hi, {lo.x, hi.y}};
    const cv::Point mids[] = {{(lo.x + hi.x) / 2, lo.y}, {(lo.x + hi.x) / 2, hi.y},
                              {lo.x, (lo.y + hi.y) / 2}, {hi.x, (lo.y + hi.y) / 2}};
    auto mag_at = [&](cv::Point p) {
        for (int i = 0; i < c.Length2(); ++i)
            if (c.Points()[i][0] == p.x && c.Points()[i][1] == p.y) return mags[i];
        ADD_FAILURE() << "no contour point at " << p;
        return -1.0;
    };
    for (const cv::Point& p : corners) EXPECT_NEAR(mag_at(p), 1.0, 0.05) << "corner " << p;
    for (const cv::Point& p : mids) EXPECT_NEAR(mag_at(p), 0.0, 0.05) << "mid-edge " << p;
}

TEST(ContourCurvature, EqualStrengthGivesAllZeroAndReplacesOldMagnitudes)
{
    // On a blank image every point reads the same strength.
    const cv::Mat blank = Mask(20, 20, {});
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Square_Loop(), {0.3, 0.7}, 20.0));
    Proc().Compute_Curvature(&blank, &set);
    const auto& mags = set.Contours()[0]->Magnitudes();
    EXPECT_EQ(mags, std::vector<double>(20, 0.0));

    // No image: nothing happens.
    set.Contours()[0]->Magnitudes() = {0.5};
    Proc().Compute_Curvature(nullptr, &set);
    EXPECT_EQ(set.Contours()[0]->Magnitudes(), std::vector<double>{0.5});
}

// ---------------------------------------------------------------- breaking

TEST(ContourBreak, StraightRunIsCutEverySpacingWithPiecesOfTheGivenLength)
{
    // Points 1 ... 58 form one flat run between two strong corners; one pixel per step.
    std::vector<double> mags(60);
    for (int i = 0; i < 60; ++i) mags[i] = 0.001 * i;
    mags[0] = mags[59] = 1.0;
    struct Case {
        double lnth; // piece length = lnth x spacing 10
        std::vector<std::vector<int>> pieces;
    };
    const Case cases[] = {
        {0.25, {Range(1, 3), Range(11, 13), Range(21, 23), Range(31, 33), Range(41, 43), Range(51, 53)}},
        {0.5, {Range(1, 6), Range(11, 16), Range(21, 26), Range(31, 36), Range(41, 46), Range(51, 56)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lnth);
        KxCCntrData set;
        set.Contours().push_back(Make_Seg(Line_Points(60), mags, 80.0));
        const KxCBrkParam params = Params(0.5, 0.125, c.lnth); // spacing 0.125 x 80 = 10
        ASSERT_TRUE(Proc().Break_Contour(&set, &params));
        ASSERT_EQ(set.Segments().size(), 1u);
        EXPECT_EQ(Piece_Indices(set, 0), c.pieces);
        // Closed pieces carry the sum of their magnitudes; the run's last piece stays open.
        const auto& pieces = set.Segments()[0];
        for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
            double sum = 0.0;
            for (int i : c.pieces[k]) sum += mags[i];
            EXPECT_NEAR(pieces[k]->Magnitude(), sum, 1e-12) << "piece " << k;
        }
        EXPECT_EQ(pieces.back()->Magnitude(), 0.0);
    }
}

TEST(ContourBreak, RunsWrapPastTheEndAndComeHighestFirst)
{
    // Strong points 5 and 12; threshold 0.5 x 0.8 = 0.4, so 0.4 itself is flat but 0.5 is not.
    std::vector<double> mags(20, 0.1);
    mags[5] = 0.8;
    mags[12] = 0.5;
    mags[0] = mags[8] = 0.4;
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Square_Loop(), mags, 20.0));
    const KxCBrkParam params = Params(0.5, 1.0, 1.0); // spacing 20: longer than either run
    ASSERT_TRUE(Proc().Break_Contour(&set, &params));
    const std::vector<std::vector<int>> expected = {
        {13, 14, 15, 16, 17, 18, 19, 0, 1, 2, 3, 4},
        {6, 7, 8, 9, 10, 11},
    };
    EXPECT_EQ(Piece_Indices(set, 0), expected);
    for (const KxCIdxSeg* s : set.Segments()[0]) EXPECT_EQ(s->Magnitude(), 0.0);
}

TEST(ContourBreak, PiecesOfAWrappingRunFollowTheWalkingOrder)
{
    // Only point 10 is strong: the run starts at 11 and wraps; spacing 4, length 1.
    std::vector<double> mags(20, 0.0);
    mags[10] = 1.0;
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Square_Loop(), mags, 20.0));
    const KxCBrkParam params = Params(0.15, 0.2, 0.25);
    ASSERT_TRUE(Proc().Break_Contour(&set, &params));
    const std::vector<std::vector<int>> expected = {
        {11, 12}, {15, 16}, {19, 0}, {3, 4}, {7, 8},
    };
    EXPECT_EQ(Piece_Indices(set, 0), expected);
}

TEST(ContourBreak, EveryPointFlatGivesOneRunStartingAtTheLastIndex)
{
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Square_Loop(), std::vector<double>(20, 0.0), 20.0));
    const KxCBrkParam params = Params(0.15, 2.0, 1.0);
    ASSERT_TRUE(Proc().Break_Contour(&set, &params));
    std::vector<int> expected = {19};
    for (int i = 0; i < 19; ++i) expected.push_back(i);
    EXPECT_EQ(Piece_Indices(set, 0), std::vector<std::vector<int>>{expected});
}

TEST(ContourBreak, InvalidMagnitudesStopAndKeepEarlierPieces)
{
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Square_Loop(), std::vector<double>(20, 0.0), 20.0));
    set.Contours().push_back(Make_Seg(Square_Loop(), std::vector<double>(20, 0.0), 20.0));
    set.Contours().push_back(Make_Seg(Square_Loop(), std::vector<double>(20, 0.0), 20.0));
    const KxCBrkParam params = Params(0.15, 0.2, 0.25);
    ASSERT_TRUE(Proc().Break_Contour(&set, &params));
    ASSERT_EQ(set.Segments().size(), 3u);

    set.Contours()[1]->Magnitudes().pop_back();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Proc().Break_Contour(&set, &params));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "KxCImgProc::Break_Contour: Invalid magnitudes\n");
    ASSERT_EQ(set.Segments().size(), 1u) << "old pieces are replaced, later contours not reached";
    EXPECT_FALSE(set.Segments()[0].empty());
}

TEST(ContourBreak, NullArgumentsFailSilentlyAndKeepPieces)
{
    KxCCntrData set;
    set.Contours().push_back(Make_Seg(Square_Loop(), std::vector<double>(20, 0.0), 20.0));
    const KxCBrkParam params = Params(0.15, 0.2, 0.25);
    ASSERT_TRUE(Proc().Break_Contour(&set, &params));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Proc().Break_Contour(&set, nullptr));
    EXPECT_FALSE(Proc().Break_Contour(nullptr, &params));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(set.Segments().size(), 1u);
}

TEST(ContourBreak, DefaultParametersCutOnlyTheFlatStretchesOfAMask)
{
    const cv::Mat img = Mask(120, 100, {{10, 10, 90, 70}});
    KxCCntrData set;
    cv::Rect rect;
    ASSERT_TRUE(Proc().Find_Bounding_Info(&img, rect, &set, 3));
    const cv::Mat crop = img(rect).clone();
    Proc().Compute_Curvature(&crop, &set);
    const KxCBrkParam params; // 0.15, 0.02, 0.1
    ASSERT_TRUE(Proc().Break_Contour(&set, &params));
    ASSERT_EQ(set.Segments().size(), 1u);

    const KxCLineSeg& c = *set.Contours()[0];
    const auto& pieces = set.Segments()[0];
    // Spacing 0.02 x 316 = 6.32: about a sixth of the flat pixels start a piece.
    EXPECT_GT(pieces.size(), 30u);
    EXPECT_LT(pieces.size(), 52u);
    for (const KxCIdxSeg* s : pieces) {
        ASSERT_FALSE(s->Indices().empty());
        EXPECT_EQ(s->Indices().size(), 1u) << "piece length 0.632 holds only its start";
        for (int i : s->Indices()) EXPECT_LE(c.Magnitudes()[i], 0.15);
    }
}

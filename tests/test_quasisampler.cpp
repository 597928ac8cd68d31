// The hierarchical tile quasi-sampler: codes, tables, tiles, subdivision and the
// points it places (count, bounds, determinism, evenness).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>

#include "sampling/KxQuasisampler.h"
#include "sampling/KxSamplingStats.h"

using namespace PelmoSampler;

namespace {

/// Importance from a function; counts calls outside the region (there must be none).
class Test_Sampler : public Quasisampler {
public:
    Test_Sampler(double w, double h, std::function<unsigned int(Point2D)> f) : Quasisampler(w, h), m_F(std::move(f)) {}
    unsigned int getImportanceAt(Point2D pt) override
    {
        if (!(pt.x >= 0 && pt.x < width && pt.y >= 0 && pt.y < height)) ++outside_calls;
        ++calls;
        return m_F(pt);
    }
    TileNode* Root() const { return root; }

    /// The points collectPoints would return with an all-zero displacement table: the
    /// reference points of the accepted sampling leaves inside the region.
    PointList Undisplaced_Points()
    {
        PointList pts;
        forEachAcceptedTile([&](const TileNode& n, unsigned int) {
            const Point2D p = n.getP1();
            if (p.x >= 0 && p.x < width && p.y >= 0 && p.y < height) pts.push_back(p);
        });
        return pts;
    }

    int calls = 0;
    int outside_calls = 0;

private:
    std::function<unsigned int(Point2D)> m_F;
};

Test_Sampler Constant(double w, double h, unsigned int importance)
{
    return Test_Sampler(w, h, [importance](Point2D) { return importance; });
}

std::size_t Count_Leaves(TileNode* root, std::size_t* sampling = nullptr)
{
    std::size_t n = 0, s = 0;
    TileLeafIterator it;
    for (it.begin(root); *it; it.next()) {
        ++n;
        if (it->isSamplingType()) ++s;
    }
    if (sampling) *sampling = s;
    return n;
}

double Area(const Point2D& a, const Point2D& b, const Point2D& c)
{
    return 0.5 * std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

TEST(Quasisampler, FCodeValues)
{
    EXPECT_EQ(Quasisampler::calcFCodeValue(0b10, 2), 1u);  // F(2)
    EXPECT_EQ(Quasisampler::calcFCodeValue(0b01, 2), 2u);  // F(3)
    EXPECT_EQ(Quasisampler::calcFCodeValue(0b101, 3), 4u); // F(2) + F(4)
    EXPECT_EQ(Quasisampler::calcFCodeValue(0, 6), 0u);
    EXPECT_EQ(Quasisampler::calcFCodeValue(0b111, 2), 3u); // only the lowest nbits bits count
    EXPECT_EQ(Quasisampler::calcStructuralIndex(0b010101), 20u); // F(3) + F(5) + F(7)
    EXPECT_EQ(Quasisampler::calcStructuralIndex(0b101010), 12u); // F(2) + F(4) + F(6)
    EXPECT_EQ(Quasisampler::calcStructuralIndex(0b1000001), 13u); // bit 6 lies outside the window
}

TEST(Quasisampler, Fibonacci)
{
    const unsigned int expected[] = {1, 1, 1, 2, 3, 5, 8, 13, 21, 34, 55};
    for (int i = 0; i <= 10; ++i) EXPECT_EQ(Quasisampler::fibonacci(i), expected[i]) << i;
    EXPECT_EQ(Quasisampler::fibonacci(32), 2178309u);
    EXPECT_EQ(Quasisampler::fibonacci(33), 3524578u);
    EXPECT_EQ(Quasisampler::fibonacci(34), 5702887u);
    EXPECT_EQ(fiboTable[0], 1u);
    EXPECT_EQ(fiboTable[31], 2178309u);
    for (int i = 2; i < 32; ++i) EXPECT_EQ(fiboTable[i], fiboTable[i - 1] + fiboTable[i - 2]);
}

TEST(Quasisampler, RequiredSubdivisionLevel)
{
    EXPECT_EQ(Quasisampler::getReqSubdivisionLevel(0), 0u);
    EXPECT_EQ(Quasisampler::getReqSubdivisionLevel(1), 1u);
    EXPECT_EQ(Quasisampler::getReqSubdivisionLevel(100), 5u);
    EXPECT_EQ(Quasisampler::getReqSubdivisionLevel(25500), 11u);
    for (unsigned int i = 1; i < 100000; i += 997)
        EXPECT_LE(Quasisampler::getReqSubdivisionLevel(i), Quasisampler::getReqSubdivisionLevel(i + 997));
}

TEST(Quasisampler, ImportanceIndex)
{
    // floor(frac(ln(sqrt5 I + 1) / ln(phi^2)) * 21)
    EXPECT_EQ(Quasisampler::calcImportanceIndex(0), 0u);
    EXPECT_EQ(Quasisampler::calcImportanceIndex(1), 4u);
    EXPECT_EQ(Quasisampler::calcImportanceIndex(2), 16u);
    EXPECT_EQ(Quasisampler::calcImportanceIndex(10), 5u);
    EXPECT_EQ(Quasisampler::calcImportanceIndex(100), 13u);
    EXPECT_EQ(Quasisampler::calcImportanceIndex(1000), 0u);
    EXPECT_EQ(Quasisampler::calcImportanceIndex(25500), 7u);
    for (unsigned int i = 0; i < 200000; i += 101) EXPECT_LT(Quasisampler::calcImportanceIndex(i), 21u);
    // The middle of every band in one octave.
    for (int i = 0; i < LUT_SIZE; ++i) {
        const double t = 9 + (i + 0.5) / LUT_SIZE;
        const auto importance = static_cast<unsigned int>(std::lround((std::pow(PHI2, t) - 1) / SQRT5));
        EXPECT_EQ(Quasisampler::calcImportanceIndex(importance), static_cast<unsigned int>(i));
    }
}

TEST(Quasisampler, DirectionVectors)
{
    for (int k = 0; k < 20; ++k) {
        const double a = (90.0 + 18.0 * k) * M_PI / 180.0;
        EXPECT_NEAR(vvect[k].x, std::cos(a), 5e-7) << k;
        EXPECT_NEAR(vvect[k].y, std::sin(a), 5e-7) << k;
    }
    EXPECT_EQ(vvect[1].x, -0.309017);
    EXPECT_EQ(vvect[12].y, -0.809017);
}

TEST(Quasisampler, DisplacementTableFixedEntries)
{
    const double row0[9][2] = {{0.0130357, 0.0419608},   {-0.0241936, 0.0152706}, {-0.00384601, -0.311212},
                               {-0.000581893, -0.129134}, {-0.0363269, 0.0127624}, {0.0999483, 0.408639},
                               {-0.0526517, 0.4385},      {-0.128703, 0.392},      {0.0132026, 1.0818}};
    for (int s = 0; s < 9; ++s) {
        EXPECT_EQ(lut[0][s][0], row0[s][0]) << s;
        EXPECT_EQ(lut[0][s][1], row0[s][1]) << s;
    }
    EXPECT_EQ(lut[10][10][0], -0.0125759);
    EXPECT_EQ(lut[10][10][1], 0.30811);
    EXPECT_EQ(lut[20][0][0], -0.00909437);
    EXPECT_EQ(lut[20][0][1], 0.0971829);
    EXPECT_EQ(lut[20][20][0], -0.0700573);
    EXPECT_EQ(lut[20][20][1], 0.173426);
}

TEST(Quasisampler, DisplacementTableShape)
{
    const int non_zero[LUT_SIZE] = {9, 10, 10, 11, 11, 12, 12, 13, 14, 14, 15, 16, 16, 17, 18, 19, 20, 20, 21, 21, 21};
    for (int i = 0; i < LUT_SIZE; ++i) {
        int last = -1;
        for (int s = 0; s < LUT_SIZE; ++s) {
            const double a = lut[i][s][0], b = lut[i][s][1];
            if (a != 0 || b != 0) last = s;
            EXPECT_GE(a, -0.896362) << i << " " << s;
            EXPECT_LE(a, 1.0818) << i << " " << s;
            EXPECT_GE(b, -0.896362) << i << " " << s;
            EXPECT_LE(b, 1.0818) << i << " " << s;
            EXPECT_LE(std::hypot(a, b), 1.2101) << i << " " << s;
            if (s < non_zero[i]) {
                EXPECT_TRUE(a != 0 || b != 0) << "row " << i << " entry " << s << " is (0, 0)";
            }
        }
        EXPECT_EQ(last + 1, non_zero[i]) << "row " << i;
    }
}

TEST(Quasisampler, DisplacementVector)
{
    // f_code 0b01 (structural index 13) at importance 25500 (index 7), direction 3.
    const Point2D v = Quasisampler::calcDisplacementVector(25500, 0b01, 3);
    EXPECT_DOUBLE_EQ(v.x, lut[7][13][0] * vvect[3].x + lut[7][13][1] * vvect[8].x);
    EXPECT_DOUBLE_EQ(v.y, lut[7][13][0] * vvect[3].y + lut[7][13][1] * vvect[8].y);
    const Point2D w = Quasisampler::calcDisplacementVector(1000, 0, 17); // index 0, structural 0
    EXPECT_DOUBLE_EQ(w.x, 0.0130357 * vvect[17].x + 0.0419608 * vvect[2].x);
    EXPECT_DOUBLE_EQ(w.y, 0.0130357 * vvect[17].y + 0.0419608 * vvect[2].y);
}

TEST(Quasisampler, RootTileAndCorners)
{
    auto sampler = Constant(300, 200, 0);
    EXPECT_EQ(sampler.Root(), nullptr);
    sampler.buildAdaptiveSubdivision(0);
    const TileNode* root = sampler.Root();
    ASSERT_NE(root, nullptr);
    const double s = 600;
    EXPECT_EQ(root->getTileType(), TileTypeF);
    EXPECT_EQ(root->getDir(), 15);
    EXPECT_EQ(root->getLevel(), 0u);
    EXPECT_EQ(root->getFCode(), 0u);
    EXPECT_DOUBLE_EQ(root->getScale(), s);
    EXPECT_DOUBLE_EQ(root->getP1().x, -s * 1.0590169943749475);
    EXPECT_DOUBLE_EQ(root->getP1().y, -s * 0.125);
    EXPECT_DOUBLE_EQ(root->getP2().x, root->getP1().x + s * PHI2);
    EXPECT_DOUBLE_EQ(root->getP2().y, root->getP1().y);
    EXPECT_DOUBLE_EQ(root->getP3().x, root->getP1().x + s * PHI * 0.809017);
    EXPECT_DOUBLE_EQ(root->getP3().y, root->getP1().y + s * PHI * 0.587785);
    const Point2D c = root->getCenter();
    EXPECT_DOUBLE_EQ(c.x, (root->getP1().x + root->getP2().x + root->getP3().x) / 3);
    // The root covers the square [0, m] x [0, m]: each corner lies on the inner side of every edge.
    const Point2D p[3] = {root->getP1(), root->getP2(), root->getP3()};
    for (const Point2D q : {Point2D(0, 0), Point2D(300, 0), Point2D(0, 300), Point2D(300, 300)}) {
        const double whole = Area(p[0], p[1], p[2]);
        EXPECT_NEAR(Area(q, p[1], p[2]) + Area(p[0], q, p[2]) + Area(p[0], p[1], q), whole, whole * 1e-12);
    }
}

TEST(Quasisampler, RefineChildren)
{
    // Children per type and their order, scales, directions and F-codes.
    const int count[6] = {1, 1, 3, 2, 4, 4};
    const int types[6][4] = {{1}, {0}, {5, 2, 0}, {4, 3}, {2, 4, 5, 0}, {5, 4, 3, 0}};
    const int dirs[6][4] = {{0}, {10}, {14, 6, 1}, {6, 14}, {12, 8, 0, 7}, {12, 0, 8, 15}};
    const unsigned int bits[6][4] = {{0}, {0}, {0, 1, 1}, {0, 1}, {1, 2, 0, 1}, {2, 0, 1, 2}};
    for (int type = 0; type < 6; ++type) {
        TileNode tile(nullptr, type, Point2D(3, 4), 23, 1, 0, 10.0); // dir 23 is stored as 3
        EXPECT_EQ(tile.getDir(), 3);
        EXPECT_EQ(tile.getFCode(), 1u);
        tile.refine();
        ASSERT_EQ(tile.getNumChildren(), count[type]) << type;
        EXPECT_FALSE(tile.isTerminal());
        double area = 0;
        for (int k = 0; k < count[type]; ++k) {
            const TileNode* c = tile.getChild(k);
            EXPECT_EQ(c->getTileType(), types[type][k]) << type << " " << k;
            EXPECT_EQ(c->getDir(), (3 + dirs[type][k]) % 20) << type << " " << k;
            EXPECT_EQ(c->getFCode(), (1u << 2) ^ bits[type][k]) << type << " " << k;
            EXPECT_EQ(c->getLevel(), 1u);
            EXPECT_EQ(c->getParent(), &tile);
            EXPECT_EQ(c->getParentSlot(), k);
            EXPECT_DOUBLE_EQ(c->getScale(), 10.0 / PHI);
            if (!c->isSamplingType()) area += Area(c->getP1(), c->getP2(), c->getP3());
        }
        if (type >= 2) // the non-sampling children cover the parent exactly
            EXPECT_NEAR(area, Area(tile.getP1(), tile.getP2(), tile.getP3()), 1e-4) << type;
        else // a sampling tile refines into one at the same reference point
            EXPECT_DOUBLE_EQ(tile.getChild(0)->getP1().x, 3.0);
        tile.refine(); // nothing when it has children
        EXPECT_EQ(tile.getNumChildren(), count[type]);
        tile.collapse();
        EXPECT_EQ(tile.getNumChildren(), 0);
        EXPECT_TRUE(tile.isTerminal());
    }
}

TEST(Quasisampler, ReferencePointsOfChildren)
{
    TileNode f(nullptr, TileTypeF, Point2D(0, 0), 15, 0, 0, 100.0);
    f.refine();
    EXPECT_DOUBLE_EQ(f.getChild(0)->getP1().x, f.getP3().x);                // p3
    EXPECT_DOUBLE_EQ(f.getChild(1)->getP1().y, f.getChild(0)->getP3().y);   // p3 of child 0
    EXPECT_DOUBLE_EQ(f.getChild(2)->getP1().x, f.getChild(1)->getP3().x);   // p3 of child 1
    EXPECT_DOUBLE_EQ(f.getChild(3)->getP1().y, f.getChild(0)->getP3().y);   // p3 of child 0
    TileNode e(nullptr, TileTypeE, Point2D(0, 0), 0, 0, 0, 100.0);
    e.refine();
    EXPECT_DOUBLE_EQ(e.getChild(1)->getP1().x, e.getP2().x);
    EXPECT_DOUBLE_EQ(e.getChild(2)->getP1().x, e.getP1().x);
    EXPECT_DOUBLE_EQ(e.getChild(3)->getP1().x, e.getChild(0)->getP2().x);
}

TEST(Quasisampler, UniformSubdivisionCounts)
{
    auto sampler = Constant(100, 100, 0);
    sampler.buildAdaptiveSubdivision(0);
    sampler.subdivideAll(10);
    std::size_t sampling = 0;
    EXPECT_EQ(Count_Leaves(sampler.Root(), &sampling), 26565u);
    EXPECT_EQ(sampling, 8854u);
    // Every F-code is free of adjacent set bits, and every leaf is at level 10.
    TileLeafIterator it;
    for (it.begin(sampler.Root()); *it; it.next()) {
        const unsigned int f = it->getFCode();
        ASSERT_EQ(f & (f >> 1), 0u);
        ASSERT_EQ(it->getLevel(), 10u);
        ASSERT_LE(Quasisampler::calcStructuralIndex(f), 20u);
    }
    EXPECT_FALSE(it.next());
    EXPECT_EQ(*it, nullptr);
    sampler.subdivideAll(0);
    sampler.subdivideAll(-3);
    EXPECT_EQ(Count_Leaves(sampler.Root()), 26565u);
}

TEST(Quasisampler, PreOrderTraversal)
{
    TileNode root(nullptr, TileTypeF, Point2D(0, 0), 15, 0, 0, 100.0);
    root.refine();
    root.getChild(1)->refine();
    // Pre-order: root, c0, c1, c1's children, c2, c3.
    std::vector<const TileNode*> expected = {&root, root.getChild(0), root.getChild(1)};
    for (int k = 0; k < root.getChild(1)->getNumChildren(); ++k) expected.push_back(root.getChild(1)->getChild(k));
    expected.push_back(root.getChild(2));
    expected.push_back(root.getChild(3));
    std::vector<const TileNode*> seen;
    for (TileNode* n = &root; n; n = n->nextNode()) seen.push_back(n);
    EXPECT_EQ(seen, expected);
    std::vector<const TileNode*> leaves;
    TileLeafIterator it;
    for (it.begin(&root); *it; it.next()) leaves.push_back(*it);
    std::vector<const TileNode*> expected_leaves = {root.getChild(0)};
    expected_leaves.insert(expected_leaves.end(), expected.begin() + 3, expected.end());
    EXPECT_EQ(leaves, expected_leaves); // all but the root and c1
    EXPECT_EQ(leaves.front(), root.getChild(0));
    EXPECT_EQ(leaves.back(), root.getChild(3));
}

TEST(Quasisampler, ZeroImportanceGivesNoPoints)
{
    auto sampler = Constant(256, 256, 0);
    Quasisampler::PointList pts = {Point2D(1, 1)};
    EXPECT_TRUE(sampler.getSamplingPoints(pts, 6).empty());
    EXPECT_EQ(&sampler.getSamplingPoints(pts, 6), &pts);
    // No refinement beyond the minimum level.
    TileLeafIterator it;
    for (it.begin(sampler.Root()); *it; it.next()) ASSERT_EQ(it->getLevel(), 6u);
    EXPECT_EQ(sampler.outside_calls, 0);
}

TEST(Quasisampler, BoundedImportance)
{
    auto sampler = Constant(10, 20, 7);
    EXPECT_EQ(sampler.getImportanceAt_bounded(Point2D(0, 0)), 7u);
    EXPECT_EQ(sampler.getImportanceAt_bounded(Point2D(9.99, 19.99)), 7u);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Point2D p : {Point2D(-0.001, 5), Point2D(10, 5), Point2D(5, -1), Point2D(5, 20), Point2D(nan, 5),
                            Point2D(5, nan), Point2D(nan, nan)})
        EXPECT_EQ(sampler.getImportanceAt_bounded(p), 0u) << p.x << " " << p.y;
    EXPECT_EQ(sampler.calls, 2);
}

class QuasisamplerCount : public ::testing::TestWithParam<unsigned int> {};

TEST_P(QuasisamplerCount, ConstantImportanceGivesATenthOfItsValue)
{
    const unsigned int importance = GetParam();
    for (double side : {100.0, 1000.0}) {
        auto sampler = Constant(side, side, importance);
        Quasisampler::PointList pts;
        sampler.getSamplingPoints(pts, 4);
        const double expected = 0.1 * importance;
        EXPECT_NEAR(static_cast<double>(pts.size()), expected, 5 + 0.03 * expected) << "side " << side;
        EXPECT_EQ(sampler.outside_calls, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, QuasisamplerCount, ::testing::Values(100u, 500u, 1000u, 3000u, 10000u, 25500u, 40000u));

TEST(Quasisampler, CountIsLinearInImportance)
{
    // The count per unit of importance stays the same over two decades.
    std::vector<double> per_unit;
    for (unsigned int importance : {1000u, 4000u, 16000u, 64000u}) {
        auto sampler = Constant(512, 512, importance);
        Quasisampler::PointList pts;
        sampler.getSamplingPoints(pts, 10);
        per_unit.push_back(static_cast<double>(pts.size()) / importance);
    }
    for (double r : per_unit) EXPECT_NEAR(r, per_unit.back(), 0.04 * per_unit.back());
}

TEST(Quasisampler, HalfHeightRegionGetsHalfThePoints)
{
    auto full = Constant(512, 512, 25500);
    auto half = Constant(512, 256, 25500);
    Quasisampler::PointList a, b;
    full.getSamplingPoints(a, 10);
    half.getSamplingPoints(b, 10);
    EXPECT_NEAR(static_cast<double>(b.size()) / a.size(), 0.5, 0.02);
}

TEST(Quasisampler, PointsStayInsideTheRegion)
{
    for (const auto& [w, h] : {std::pair<double, double>{512, 256}, {100, 333}, {64, 64}}) {
        Test_Sampler sampler(w, h, [w = w](Point2D p) { return static_cast<unsigned int>(30000 * p.x / w) + 500; });
        Quasisampler::PointList pts;
        sampler.getSamplingPoints(pts, 8);
        ASSERT_FALSE(pts.empty());
        for (const Point2D& p : pts) {
            ASSERT_GE(p.x, 0);
            ASSERT_LT(p.x, w);
            ASSERT_GE(p.y, 0);
            ASSERT_LT(p.y, h);
        }
        Quasisampler::PointList unfiltered;
        sampler.collectPoints(unfiltered, false);
        EXPECT_GE(unfiltered.size(), pts.size());
        EXPECT_EQ(sampler.outside_calls, 0);
    }
}

TEST(Quasisampler, DisplacedPointIsReferencePlusScaledDisplacement)
{
    auto sampler = Constant(200, 200, 25500);
    Quasisampler::PointList pts;
    sampler.getSamplingPoints(pts, 10);
    // collectPoints emits, in pre-order, getDisplacedSamplingPoint of each accepted leaf inside.
    Quasisampler::PointList again;
    TileLeafIterator it;
    for (it.begin(sampler.Root()); *it; it.next()) {
        if (!it->isSamplingType()) continue;
        if (sampler.getImportanceAt_bounded(it->getP1()) < Quasisampler::calcFCodeValue(it->getFCode(), 2 * it->getLevel()))
            continue;
        const Point2D p = it->getDisplacedSamplingPoint(25500);
        const Point2D d = Quasisampler::calcDisplacementVector(25500, it->getFCode(), it->getDir());
        EXPECT_DOUBLE_EQ(p.x, it->getP1().x + it->getScale() * d.x);
        if (p.x >= 0 && p.x < 200 && p.y >= 0 && p.y < 200) again.push_back(p);
    }
    ASSERT_EQ(again.size(), pts.size());
    for (std::size_t k = 0; k < pts.size(); ++k) {
        EXPECT_EQ(again[k].x, pts[k].x);
        EXPECT_EQ(again[k].y, pts[k].y);
    }
}

TEST(Quasisampler, Deterministic)
{
    auto field = [](Point2D p) {
        return static_cast<unsigned int>(12000 + 10000 * std::sin(p.x * 0.02) * std::cos(p.y * 0.03));
    };
    Test_Sampler a(640, 480, field), b(640, 480, field);
    Quasisampler::PointList pa, pb;
    a.getSamplingPoints(pa, 10);
    b.getSamplingPoints(pb, 10);
    ASSERT_EQ(pa.size(), pb.size());
    for (std::size_t k = 0; k < pa.size(); ++k) {
        ASSERT_EQ(pa[k].x, pb[k].x);
        ASSERT_EQ(pa[k].y, pb[k].y);
    }
    // A second sampling with the same object replaces the hierarchy and gives the same points.
    Quasisampler::PointList pc;
    a.getSamplingPoints(pc, 10);
    ASSERT_EQ(pc.size(), pa.size());
    for (std::size_t k = 0; k < pa.size(); ++k) ASSERT_EQ(pa[k].x, pc[k].x);
}

/// The sampled points and the reference points of the same tiles (an all-zero table).
struct Point_Sets {
    SpacingStats table, zero;
};

Point_Sets Evenness(unsigned int importance, unsigned int min_level)
{
    auto sampler = Constant(512, 512, importance);
    Quasisampler::PointList pts;
    sampler.getSamplingPoints(pts, min_level);
    const Quasisampler::PointList plain = sampler.Undisplaced_Points();
    // Displacement carries a few points near the border out of the square.
    EXPECT_NEAR(static_cast<double>(plain.size()), static_cast<double>(pts.size()), 0.04 * pts.size());
    return {uniformSpacingStats(pts, 512, 512), uniformSpacingStats(plain, 512, 512)};
}

class QuasisamplerEvenness : public ::testing::TestWithParam<unsigned int> {};

TEST_P(QuasisamplerEvenness, TableSpacesPointsMoreEvenlyThanNoDisplacement)
{
    // Subdivided to the level the importance requires.
    const unsigned int importance = GetParam();
    const Point_Sets s = Evenness(importance, 4);
    EXPECT_GE(s.table.mean_rel, 0.8) << "importance " << importance;
    EXPECT_GE(s.table.mean_rel, s.zero.mean_rel + 0.03) << "importance " << importance;
    EXPECT_GE(s.table.min_rel, 0.3) << "importance " << importance;
}

// Importance indices 7 (the default 25500), 17, 18 and 3; required levels 11, 10, 11 and 9.
INSTANTIATE_TEST_SUITE_P(Table, QuasisamplerEvenness, ::testing::Values(25500u, 15200u, 39000u, 3000u));

TEST(Quasisampler, EvennessAtLevelsDeeperThanRequired)
{
    // With the splat sampler's minimum level 10, importances below about 6765 end at leaves one
    // or two levels deeper than they require; the table then keeps about the evenness of the
    // undisplaced tile corners (a compromise of the generator, tools/quasisampler_lut).
    for (unsigned int importance : {6000u, 4000u, 2000u, 1200u}) {
        const Point_Sets s = Evenness(importance, 10);
        EXPECT_GE(s.table.mean_rel, 0.7) << "importance " << importance;
        EXPECT_GE(s.table.mean_rel, s.zero.mean_rel - 0.07) << "importance " << importance;
        EXPECT_GE(s.table.min_rel, 0.3) << "importance " << importance;
    }
}

TEST(Quasisampler, SpacingStatsOfALattice)
{
    // A hexagonal lattice has mean and min 1 relative to the hexagonal spacing.
    Quasisampler::PointList pts;
    const double d = 10;
    for (int r = 0; r < 60; ++r)
        for (int c = 0; c < 60; ++c) pts.emplace_back(c * d + (r % 2) * d / 2 + 1, r * d * std::sqrt(3.0) / 2 + 1);
    const double w = 600, h = 60 * d * std::sqrt(3.0) / 2;
    const SpacingStats s = uniformSpacingStats(pts, w, h);
    EXPECT_NEAR(s.mean_rel, 1.0, 0.02);
    EXPECT_NEAR(s.min_rel, 1.0, 0.02);
    EXPECT_NEAR(hexSpacing(w * h, 3600), d, 0.01);
    const auto nn = nearestNeighbourDistances({Point2D(0, 0), Point2D(3, 4), Point2D(3, 4)});
    EXPECT_DOUBLE_EQ(nn[0], 5.0);
    EXPECT_DOUBLE_EQ(nn[1], 0.0);
}

} // namespace

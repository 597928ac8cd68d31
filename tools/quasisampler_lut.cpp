// quasisampler_lut: generates src/sampling/KxQuasisamplerLut.cpp, the displacement table `lut`
// of the hierarchical tile quasi-sampler.
//
// Method. The reference entries (row 0 in full, lut[10][10], lut[20][0], lut[20][20])
// are held fixed, and so are the (0, 0) runs at the ends of the rows; the free entries are
// optimised for even spacing on sample sets over a 1000 x 1000 square, subdivided as the splat
// sampler does (minimum level 10): per importance index i, twelve constant importances of index
// i (octaves 8 ... 11, three positions inside the band; octaves 8 and 9 end one or two levels
// deeper than they require), and four ramps whose importance climbs through the end of an octave
// (index 20 next to index 0). For every set the accepted sampling tiles (reference point p1,
// scale, dir, importance index, structural index s) are kept; every set weighs the same (the
// ramps 3, the sets that end deeper than required 0.5: the table cannot serve both kinds at
// their best, and most points of a picture lie where the level is the required one).
// Stage 1 (Lloyd): rows 1 ... 20 in order, each starting from the row before, 60 iterations on
// its constant sets: place the points with the current table, take for every point 2.5 local
// spacings inside the square the centroid of its Voronoi cell (cv::Subdiv2D), add a push away
// from neighbours closer than 0.8 hexagonal spacings, express the offset in tile scales in the
// tile's (vvect[dir], vvect[dir + 5]) basis, and move each entry by the mean over its class.
// Stage 2: 100 steps of gradient ascent, whole table, all sets, of the mean nearest-neighbour
// distance relative to the local hexagonal spacing, with a penalty on pairs closer than 0.6
// spacings. Each component stays in the reference range [-0.896362, 1.0818] and the length
// within 1.21 scales. Entries of the non-zero part that no point uses take the value of the same
// structural index in the next row. No random numbers and fixed iteration counts: the output
// is the same on every run.
//
// Regenerate (about a minute in a Release build, too slow for a test, so it is run by hand):
//   build/bin/quasisampler_lut src/sampling/KxQuasisamplerLut.cpp
// Without an argument the table goes to the standard output; statistics go to the standard error.
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "render/KxCKDtree.h"
#include "sampling/KxQuasisampler.h"
#include "sampling/KxSamplingStats.h"

using namespace PelmoSampler;

namespace {

constexpr int kN = LUT_SIZE;
/// Length of the non-zero part of each row; the rest stays (0, 0).
constexpr int kNonZero[kN] = {9, 10, 10, 11, 11, 12, 12, 13, 14, 14, 15, 16, 16, 17, 18, 19, 20, 20, 21, 21, 21};

constexpr double kRegion = 1000.0; // side of the sampled square
/// Minimum subdivision level, as the splat sampler uses it: importances below about
/// 6765 then end at leaves deeper than they require.
constexpr int kMinLevel = 10;
/// Octaves k (integer part of log_phi^2(sqrt5 I + 1)) of the constant sets: 8 and 9 end two
/// and one levels deeper than required, 10 and 11 at the required level (about 100 ... 10000 points).
constexpr int kOctaves[] = {8, 9, 10, 11};
/// Octaves from this one on end at the level they require (the required level is the octave).
constexpr int kRequiredOctave = kMinLevel;
/// Weight of a constant set that ends deeper than required: the table cannot serve both kinds of
/// set at their best, and most points of a picture lie where the level is the required one.
constexpr double kDeeperWeight = 0.5;
constexpr double kBand[] = {1.0 / 6, 0.5, 5.0 / 6}; // positions inside an importance index's band
constexpr int kRampOctaves[] = {9, 10};           // ramps run over t = k + 1 -+ kRampHalfWidth
constexpr double kRampHalfWidth = 0.2;
constexpr double kRampWeight = 3.0;               // a ramp weighs as much as three constant sets
constexpr double kMarginSpacings = 2.5; // points closer than this many spacings to the border are not measured
constexpr int kLloydIterations = 60;    // stage 1, per row
constexpr double kRepelRadius = 0.8;    // stage 1: pairs closer than this many spacings repel
constexpr double kRepelWeight = 1.0;    // stage 1: weight of the repulsion beside the centroid pull
constexpr int kGradientIterations = 100; // stage 2
constexpr double kGradientStep = 0.05;    // stage 2: step along the class-mean gradient, tile scales
constexpr double kGradientPower = 1.0;    // stage 2: objective mean((nn / d)^p / p)
constexpr double kCloseLimit = 0.6;       // stage 2: pairs closer than this many spacings ...
constexpr double kClosePenalty = 30.0;    // ... cost kClosePenalty / 2 (kCloseLimit - nn / d)^2 more
constexpr double kMinComponent = -0.896362; // the reference range of the entries
constexpr double kMaxComponent = 1.0818;
constexpr double kMaxLength = 1.21;

struct Table {
    double v[kN][kN][2] = {};
    bool fixed[kN][kN] = {};
};

Table Initial_Table()
{
    Table t;
    const double row0[9][2] = {{0.0130357, 0.0419608},   {-0.0241936, 0.0152706}, {-0.00384601, -0.311212},
                               {-0.000581893, -0.129134}, {-0.0363269, 0.0127624}, {0.0999483, 0.408639},
                               {-0.0526517, 0.4385},      {-0.128703, 0.392},      {0.0132026, 1.0818}};
    for (int s = 0; s < kN; ++s) t.fixed[0][s] = true; // the rest of row 0 is (0, 0)
    for (int s = 0; s < 9; ++s) {
        t.v[0][s][0] = row0[s][0];
        t.v[0][s][1] = row0[s][1];
    }
    auto set = [&t](int i, int s, double a, double b) {
        t.v[i][s][0] = a;
        t.v[i][s][1] = b;
        t.fixed[i][s] = true;
    };
    set(10, 10, -0.0125759, 0.30811);
    set(20, 0, -0.00909437, 0.0971829);
    set(20, 20, -0.0700573, 0.173426);
    for (int i = 0; i < kN; ++i)
        for (int s = kNonZero[i]; s < kN; ++s) t.fixed[i][s] = true;
    return t;
}

/// One accepted sampling tile.
struct Tile {
    Point2D p1;
    double scale;
    int dir;
    int row; // importance index at p1
    int s;   // structural index
};

/// Importance over the square: (phi^(2 t) - 1) / sqrt5 with t running linearly from t0 at
/// one edge to t1 at the opposite one (along x, or along y when along_y), or a constant.
struct Importance_Field {
    double t0 = 0, t1 = 0;
    bool along_y = false;
    unsigned int constant = 0; // used when t0 == t1

    unsigned int At(const Point2D& p) const
    {
        if (t0 == t1) return constant;
        const double u = (along_y ? p.y : p.x) / kRegion;
        return static_cast<unsigned int>((std::pow(PHI2, t0 + (t1 - t0) * u) - 1) / SQRT5);
    }
    /// Expected points per unit area at p (0.1 x importance per square of side kRegion).
    double Density(const Point2D& p) const
    {
        const double importance = t0 == t1 ? constant : (std::pow(PHI2, t0 + (t1 - t0) * ((along_y ? p.y : p.x) / kRegion)) - 1) / SQRT5;
        return std::max(1e-12, 0.1 * importance / (kRegion * kRegion));
    }
    /// Hexagonal spacing of the expected density at p.
    double Spacing(const Point2D& p) const { return std::sqrt(2.0 / (std::sqrt(3.0) * Density(p))); }
};

/// Samples an importance field; exposes the accepted sampling tiles.
class Field_Sampler : public Quasisampler {
public:
    explicit Field_Sampler(const Importance_Field& field) : Quasisampler(kRegion, kRegion), m_Field(field) {}
    unsigned int getImportanceAt(Point2D pt) override { return m_Field.At(pt); }

    /// The sampling leaves collectPoints would accept (before displacement).
    std::vector<Tile> Accepted_Tiles()
    {
        std::vector<Tile> tiles;
        forEachAcceptedTile([&](const TileNode& n, unsigned int importance) {
            tiles.push_back({n.getP1(), n.getScale(), n.getDir(), static_cast<int>(calcImportanceIndex(importance)),
                             static_cast<int>(calcStructuralIndex(n.getFCode()))});
        });
        return tiles;
    }

private:
    Importance_Field m_Field;
};

/// A constant importance whose importance index is i, at position u (0 ... 1) of the index's
/// band in octave k of log_phi^2(sqrt5 I + 1).
unsigned int Importance_For(int i, int k, double u)
{
    const double t = k + (i + u) / kN;
    unsigned int importance = static_cast<unsigned int>(std::lround((std::pow(PHI2, t) - 1) / SQRT5));
    while (Quasisampler::calcImportanceIndex(importance) < static_cast<unsigned int>(i)) ++importance;
    while (Quasisampler::calcImportanceIndex(importance) > static_cast<unsigned int>(i)) --importance;
    return importance;
}

struct Config {
    Importance_Field field;
    double weight = 1; // weight of each of its points in the class means (the set's weight / points)
    std::vector<Tile> tiles;
};

Config Make_Config(const Importance_Field& field, double weight)
{
    Config c;
    c.field = field;
    c.weight = weight;
    Field_Sampler sampler(field);
    sampler.buildAdaptiveSubdivision(kMinLevel);
    c.tiles = sampler.Accepted_Tiles();
    if (!c.tiles.empty()) c.weight /= static_cast<double>(c.tiles.size());
    return c;
}

Point2D Place(const Tile& tile, const double entry[2])
{
    const Point2D& u = vvect[tile.dir];
    const Point2D& w = vvect[(tile.dir + 5) % 20];
    return tile.p1 + (u * entry[0] + w * entry[1]) * tile.scale;
}

std::vector<Point2D> Place_All(const Config& c, const Table& t)
{
    std::vector<Point2D> pts;
    pts.reserve(c.tiles.size());
    for (const Tile& tile : c.tiles) pts.push_back(Place(tile, t.v[tile.row][tile.s]));
    return pts;
}

struct Accumulator {
    double sum[kN][kN][2] = {};
    double weight[kN][kN] = {};
};

/// Adds, per (importance index, structural index), the offsets that move the interior points
/// towards the density-weighted centroids of their Voronoi cells and away from neighbours
/// closer than kRepelRadius local spacings, in tile units and the tile's basis.
void Accumulate_Offsets(const Config& c, const Table& t, Accumulator& acc)
{
    const std::vector<Point2D> pts = Place_All(c, t);
    const double pad = 0.25 * kRegion;
    cv::Subdiv2D subdiv(cv::Rect(static_cast<int>(-pad), static_cast<int>(-pad), static_cast<int>(kRegion + 2 * pad),
                                 static_cast<int>(kRegion + 2 * pad)));
    std::vector<int> interior_vertex, interior_index;
    for (std::size_t k = 0; k < pts.size(); ++k) {
        const int vertex = subdiv.insert(cv::Point2f(static_cast<float>(pts[k].x), static_cast<float>(pts[k].y)));
        const Point2D& p = pts[k];
        const double margin = kMarginSpacings * c.field.Spacing(p);
        if (p.x < margin || p.y < margin || p.x > kRegion - margin || p.y > kRegion - margin) continue;
        interior_vertex.push_back(vertex);
        interior_index.push_back(static_cast<int>(k));
    }
    if (interior_vertex.empty()) return;
    // Repulsion: each pair closer than kRepelRadius spacings is pushed apart by half its overlap.
    std::vector<Point2D> force(pts.size(), Point2D(0, 0));
    KxUtils::KxCKDtree tree;
    buildPointTree(pts, tree);
    std::vector<int> idx;
    std::vector<double> dist;
    for (int k : interior_index) {
        const double radius = kRepelRadius * c.field.Spacing(pts[k]);
        const double q[2] = {pts[k].x, pts[k].y};
        tree.Find(q, radius, 0, idx, dist);
        for (std::size_t m = 0; m < idx.size(); ++m) {
            const int j = idx[m];
            if (j == k || j < 0) continue;
            const double r = std::sqrt(dist[m]);
            if (r < 1e-9) continue;
            const double push = 0.5 * (radius - r) / r;
            force[k] = force[k] + Point2D(pts[k].x - pts[j].x, pts[k].y - pts[j].y) * push;
        }
    }
    std::vector<std::vector<cv::Point2f>> facets;
    std::vector<cv::Point2f> centers;
    subdiv.getVoronoiFacetList(interior_vertex, facets, centers);
    for (std::size_t f = 0; f < facets.size(); ++f) {
        const auto& poly = facets[f];
        if (poly.size() < 3) continue;
        // Density-weighted centroid: a fan of triangles, the density linear over each
        // (integral of x rho over a triangle = A / 12 (sum x_i rho_i + sum x_i sum rho_i)).
        const Point2D v0(poly[0].x, poly[0].y);
        const double r0 = c.field.Density(v0);
        double mass = 0, mx = 0, my = 0;
        for (std::size_t a = 1; a + 1 < poly.size(); ++a) {
            const Point2D va(poly[a].x, poly[a].y), vb(poly[a + 1].x, poly[a + 1].y);
            const double area = 0.5 * ((va.x - v0.x) * (vb.y - v0.y) - (vb.x - v0.x) * (va.y - v0.y));
            const double ra = c.field.Density(va), rb = c.field.Density(vb);
            const double rs = r0 + ra + rb;
            mass += area * rs / 3;
            mx += area / 12 * (v0.x * r0 + va.x * ra + vb.x * rb + (v0.x + va.x + vb.x) * rs);
            my += area / 12 * (v0.y * r0 + va.y * ra + vb.y * rb + (v0.y + va.y + vb.y) * rs);
        }
        if (!(std::fabs(mass) > 0)) continue;
        const double cx = mx / mass, cy = my / mass;
        const int k = interior_index[f];
        const Tile& tile = c.tiles[k];
        const Point2D& p = pts[k];
        const Point2D d((cx - p.x + kRepelWeight * force[k].x) / tile.scale,
                        (cy - p.y + kRepelWeight * force[k].y) / tile.scale);
        const Point2D& u = vvect[tile.dir];
        const Point2D& w = vvect[(tile.dir + 5) % 20];
        acc.sum[tile.row][tile.s][0] += c.weight * (d.x * u.x + d.y * u.y);
        acc.sum[tile.row][tile.s][1] += c.weight * (d.x * w.x + d.y * w.y);
        acc.weight[tile.row][tile.s] += c.weight;
    }
}

void Clamp(double e[2])
{
    for (int c = 0; c < 2; ++c) e[c] = std::max(kMinComponent, std::min(kMaxComponent, e[c]));
    const double len = std::hypot(e[0], e[1]);
    if (len > kMaxLength) {
        e[0] *= kMaxLength / len;
        e[1] *= kMaxLength / len;
    }
}

/// Moves every free entry by its accumulated mean offset.
void Apply(Table& t, const Accumulator& acc)
{
    for (int i = 0; i < kN; ++i)
        for (int s = 0; s < kN; ++s) {
            if (t.fixed[i][s] || !(acc.weight[i][s] > 0)) continue;
            t.v[i][s][0] += acc.sum[i][s][0] / acc.weight[i][s];
            t.v[i][s][1] += acc.sum[i][s][1] / acc.weight[i][s];
            Clamp(t.v[i][s]);
        }
}

/// Adds, per (importance index, structural index), the gradient (in tile units) of the mean over
/// the interior points of f(nn / d) = (nn / d)^p / p - kClosePenalty / 2 max(0, kCloseLimit - nn / d)^2,
/// nn the nearest-neighbour distance and d the local hexagonal spacing (p = 1: the mean relative
/// nearest-neighbour distance, with a penalty on close pairs).
void Accumulate_Gradient(const Config& c, const Table& t, Accumulator& acc, double p)
{
    const std::vector<Point2D> pts = Place_All(c, t);
    if (pts.size() < 2) return;
    KxUtils::KxCKDtree tree;
    buildPointTree(pts, tree);
    std::vector<Point2D> grad(pts.size(), Point2D(0, 0));
    std::vector<int> idx;
    std::vector<double> dist;
    for (std::size_t k = 0; k < pts.size(); ++k) {
        const Point2D& q = pts[k];
        const double d = c.field.Spacing(q);
        const double margin = kMarginSpacings * d;
        if (q.x < margin || q.y < margin || q.x > kRegion - margin || q.y > kRegion - margin) continue;
        const double at[2] = {q.x, q.y};
        tree.Find(at, 2, idx, dist);
        const int j = idx[0] == static_cast<int>(k) ? idx[1] : idx[0];
        const double r = std::sqrt(dist[idx[0] == static_cast<int>(k) ? 1 : 0]);
        if (r < 1e-9) continue;
        // d objective / d r, divided by r: times (q - pts[j]) it gives the gradient at q.
        const double g = (std::pow(r / d, p - 1) + kClosePenalty * std::max(0.0, kCloseLimit - r / d)) / r;
        const Point2D v((q.x - pts[j].x) * g, (q.y - pts[j].y) * g);
        grad[k] = grad[k] + v;
        grad[j] = grad[j] + v * -1.0;
    }
    for (std::size_t k = 0; k < pts.size(); ++k) {
        const Tile& tile = c.tiles[k];
        const double f = tile.scale / c.field.Spacing(pts[k]);
        const Point2D& u = vvect[tile.dir];
        const Point2D& w = vvect[(tile.dir + 5) % 20];
        acc.sum[tile.row][tile.s][0] += c.weight * f * (grad[k].x * u.x + grad[k].y * u.y);
        acc.sum[tile.row][tile.s][1] += c.weight * f * (grad[k].x * w.x + grad[k].y * w.y);
        acc.weight[tile.row][tile.s] += c.weight;
    }
}

/// Moves every free entry by step times its accumulated mean gradient.
void Apply_Gradient(Table& t, const Accumulator& acc, double step)
{
    for (int i = 0; i < kN; ++i)
        for (int s = 0; s < kN; ++s) {
            if (t.fixed[i][s] || !(acc.weight[i][s] > 0)) continue;
            t.v[i][s][0] += step * acc.sum[i][s][0] / acc.weight[i][s];
            t.v[i][s][1] += step * acc.sum[i][s][1] / acc.weight[i][s];
            Clamp(t.v[i][s]);
        }
}

/// Mean and smallest NN distance relative to the local hexagonal spacing, over configurations.
SpacingStats Stats(const std::vector<Config>& configs, const Table& t)
{
    SpacingStats total;
    double sum = 0;
    total.min_rel = 1e9;
    for (const Config& c : configs) {
        const SpacingStats s = spacingStats(Place_All(c, t), kRegion, kRegion,
                                            [&c](const Point2D& p) { return c.field.Spacing(p); }, kMarginSpacings);
        sum += s.mean_rel * static_cast<double>(s.count);
        total.count += s.count;
        total.min_rel = std::min(total.min_rel, s.min_rel);
    }
    if (total.count) total.mean_rel = sum / static_cast<double>(total.count);
    return total;
}

/// Prints v with 6 significant digits; never "-0".
std::string Num(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    if (std::string(buf) == "-0") return "0";
    return buf;
}

std::string Render(const Table& t)
{
    std::string out =
        "// Generated by tools/quasisampler_lut -- do not edit.\n"
        "// Regenerate with: build/bin/quasisampler_lut src/sampling/KxQuasisamplerLut.cpp\n"
        "// The displacement table of the quasi-sampler: lut[importance index][structural index]\n"
        "// = (a, b), a tile scales along vvect[dir] and b along vvect[(dir + 5) mod 20].\n"
        "#include \"sampling/KxQuasisampler.h\"\n\n"
        "namespace PelmoSampler {\n\n"
        "const double lut[LUT_SIZE][LUT_SIZE][2] = {\n";
    for (int i = 0; i < kN; ++i) {
        out += "    // importance index " + std::to_string(i) + "\n    {";
        for (int s = 0; s < kN; ++s) {
            if (s % 3 == 0) out += "\n        ";
            out += "{" + Num(t.v[i][s][0]) + ", " + Num(t.v[i][s][1]) + "}";
            if (s + 1 < kN) out += s % 3 == 2 ? "," : ", ";
        }
        out += "},\n";
    }
    out += "};\n\n} // namespace PelmoSampler\n";
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "Usage: quasisampler_lut [OUTPUT.cpp]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    Table table = Initial_Table();
    const Table zeros;
    bool used[kN][kN] = {};

    // The sample sets: per importance index, constant importances over kOctaves (the levels
    // the splat sampler's minimum subdivision level makes deeper than required included); and
    // ramps through the ends of octaves. Every set weighs the same in the class means, except
    // that the sets ending deeper than required weigh kDeeperWeight.
    std::vector<std::vector<Config>> row_configs(kN);
    for (int i = 0; i < kN; ++i)
        for (int k : kOctaves)
            for (double u : kBand) {
                Importance_Field field;
                field.constant = Importance_For(i, k, u);
                row_configs[i].push_back(Make_Config(field, k < kRequiredOctave ? kDeeperWeight : 1.0));
                for (const Tile& tile : row_configs[i].back().tiles) used[i][tile.s] = true;
            }
    std::vector<Config> ramps;
    for (int k : kRampOctaves)
        for (bool along_y : {false, true}) {
            Importance_Field field;
            field.t0 = k + 1 - kRampHalfWidth;
            field.t1 = k + 1 + kRampHalfWidth;
            field.along_y = along_y;
            ramps.push_back(Make_Config(field, kRampWeight));
        }

    // Stage 1: Lloyd relaxation of each row on its own constant sets.
    for (int i = 1; i < kN; ++i) {
        // Start from the row before (row 0 is fixed).
        for (int s = 0; s < kNonZero[i]; ++s)
            if (!table.fixed[i][s] && s < kNonZero[i - 1]) {
                table.v[i][s][0] = table.v[i - 1][s][0];
                table.v[i][s][1] = table.v[i - 1][s][1];
            }
        for (int iter = 0; iter < kLloydIterations; ++iter) {
            Accumulator acc;
            for (const Config& c : row_configs[i]) Accumulate_Offsets(c, table, acc);
            Apply(table, acc);
        }
    }
    const Table stage1 = table;

    // Stage 2: gradient ascent of the mean relative nearest-neighbour distance, whole table, all sets.
    for (int iter = 0; iter < kGradientIterations; ++iter) {
        Accumulator acc;
        for (const auto& configs : row_configs)
            for (const Config& c : configs) Accumulate_Gradient(c, table, acc, kGradientPower);
        for (const Config& c : ramps) Accumulate_Gradient(c, table, acc, kGradientPower);
        Apply_Gradient(table, acc, kGradientStep);
    }

    // Report: mean (min) relative NN distance per row and octave, all-zero table -> this table.
    for (int i = 0; i < kN; ++i) {
        std::fprintf(stderr, "row %2d:", i);
        for (std::size_t g = 0; g < std::size(kOctaves); ++g) {
            const std::vector<Config> part(row_configs[i].begin() + g * std::size(kBand),
                                           row_configs[i].begin() + (g + 1) * std::size(kBand));
            const SpacingStats z = Stats(part, zeros), a = Stats(part, table);
            std::fprintf(stderr, "  k%d %.3f->%.3f (%.2f->%.2f)", kOctaves[g], z.mean_rel, a.mean_rel, z.min_rel,
                         a.min_rel);
        }
        std::fprintf(stderr, "\n");
    }
    const SpacingStats rz = Stats(ramps, zeros), r1 = Stats(ramps, stage1), r2 = Stats(ramps, table);
    std::fprintf(stderr, "octave-end ramps: mean %.3f (zeros) %.3f (stage 1) %.3f (stage 2), min %.2f %.2f %.2f\n",
                 rz.mean_rel, r1.mean_rel, r2.mean_rel, rz.min_rel, r1.min_rel, r2.min_rel);
    // Entries of the non-zero part that no point of their row uses: the next row's value.
    for (int i = kN - 2; i >= 0; --i)
        for (int s = 0; s < kNonZero[i]; ++s)
            if (!table.fixed[i][s] && !used[i][s]) {
                table.v[i][s][0] = table.v[i + 1][s][0];
                table.v[i][s][1] = table.v[i + 1][s][1];
            }

    const std::string text = Render(table);
    if (argc == 2) {
        FILE* f = std::fopen(argv[1], "wb");
        if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "quasisampler_lut: cannot write '%s'\n", argv[1]);
            return 1;
        }
    } else {
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    std::fprintf(stderr, "quasisampler_lut: %.1f s\n",
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return 0;
}

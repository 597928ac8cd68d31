#include "sampling/KxSamplingStats.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/KxCKDtree.h"

namespace PelmoSampler {

void buildPointTree(const std::vector<Point2D>& points, KxUtils::KxCKDtree& tree)
{
    std::vector<double> data(2 * points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        data[2 * i] = points[i].x;
        data[2 * i + 1] = points[i].y;
    }
    tree.Build_Tree(data.data(), static_cast<int>(points.size()), 2);
}

std::vector<double> nearestNeighbourDistances(const std::vector<Point2D>& points)
{
    const std::size_t n = points.size();
    std::vector<double> nn(n, std::numeric_limits<double>::infinity());
    if (n < 2) return nn;
    KxUtils::KxCKDtree tree;
    buildPointTree(points, tree);
    std::vector<int> idx;
    std::vector<double> dist;
    for (std::size_t i = 0; i < n; ++i) {
        const double q[2] = {points[i].x, points[i].y};
        tree.Find(q, 2, idx, dist);
        // The point itself is one of the two nearest (first, unless another coincides with it).
        const int other = idx[0] == static_cast<int>(i) ? 1 : 0;
        nn[i] = std::sqrt(dist[other]);
    }
    return nn;
}

double hexSpacing(double area, double n) { return n > 0 ? std::sqrt(2.0 * area / (std::sqrt(3.0) * n)) : 0.0; }

SpacingStats spacingStats(const std::vector<Point2D>& points, double width, double height,
                          const std::function<double(const Point2D&)>& spacing, double margin_factor)
{
    SpacingStats stats;
    const std::vector<double> nn = nearestNeighbourDistances(points);
    double sum = 0, lowest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point2D& p = points[i];
        const double d = spacing(p);
        if (!(d > 0) || !std::isfinite(d) || !std::isfinite(nn[i])) continue;
        const double margin = margin_factor * d;
        if (p.x < margin || p.y < margin || p.x > width - margin || p.y > height - margin) continue;
        const double rel = nn[i] / d;
        sum += rel;
        lowest = std::min(lowest, rel);
        ++stats.count;
    }
    if (stats.count) {
        stats.mean_rel = sum / static_cast<double>(stats.count);
        stats.min_rel = lowest;
    }
    return stats;
}

SpacingStats uniformSpacingStats(const std::vector<Point2D>& points, double width, double height, double margin_factor)
{
    const double d = hexSpacing(width * height, static_cast<double>(points.size()));
    return spacingStats(points, width, height, [d](const Point2D&) { return d; }, margin_factor);
}

} // namespace PelmoSampler

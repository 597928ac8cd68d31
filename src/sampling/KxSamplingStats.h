#pragma once
// Spacing statistics of 2-D point sets, used to judge the quasi-sampler's
// evenness: nearest-neighbour distances relative to the spacing of a
// hexagonal lattice of the same density (random points give about 0.47,
// good blue noise 0.75 and more, the lattice itself 1).
#include <cstddef>
#include <functional>
#include <vector>

#include "sampling/KxQuasisampler.h"

namespace KxUtils {
class KxCKDtree;
}

namespace PelmoSampler {

/// Builds tree over the points: tree point i is points[i].
void buildPointTree(const std::vector<Point2D>& points, KxUtils::KxCKDtree& tree);

/// The distance of each point to its nearest other point (0 for coincident points;
/// every entry is infinite when there are fewer than two points).
std::vector<double> nearestNeighbourDistances(const std::vector<Point2D>& points);

/// The spacing of a hexagonal lattice of n points over area: sqrt(2 area / (sqrt(3) n)).
double hexSpacing(double area, double n);

struct SpacingStats {
    std::size_t count = 0; // points that were measured
    double mean_rel = 0;   // mean nearest-neighbour distance / local spacing
    double min_rel = 0;    // smallest nearest-neighbour distance / local spacing
};

/// Nearest-neighbour distances (to all points) of the points lying at least
/// margin_factor local spacings inside [0, width) x [0, height), divided by the
/// local spacing; spacing(p) gives the expected hexagonal spacing at p (a value
/// <= 0 or not finite excludes the point).
SpacingStats spacingStats(const std::vector<Point2D>& points, double width, double height,
                          const std::function<double(const Point2D&)>& spacing, double margin_factor);

/// spacingStats with one spacing for the whole rectangle: hexSpacing(width * height, points.size()).
SpacingStats uniformSpacingStats(const std::vector<Point2D>& points, double width, double height,
                                 double margin_factor = 2.0);

} // namespace PelmoSampler

#pragma once
// A rectangle of window pixels (origin at the lower left, y up). Corners are
// inclusive pixel positions: a grid of width w starting at x covers the
// pixels x ... x + w - 1. All coordinates are whole numbers held as doubles.
#include <vector>

#include "composition/KxCXForm.h"
#include "pipeline/util/KxMath.h"

namespace OrvaneImage {

class KxCGrid {
public:
    using Vec2d = KxUtils::Vec2d;

    /// Four zero corners, zero size, zero transform.
    KxCGrid();
    /// Create(lb, w, h).
    KxCGrid(const Vec2d& lb, double w, double h);
    /// Copies the rectangle; the copy starts with a zero transform.
    KxCGrid(const KxCGrid& other);
    /// Copies the rectangle; this grid keeps its own transform.
    KxCGrid& operator=(const KxCGrid& other);
    virtual ~KxCGrid() = default;

    /// Zeroes size and centre and resets the corners to zero points; the transform stays.
    virtual void Clear();

    /// The w x h grid whose lower-left pixel is lb.
    void Create(const Vec2d& lb, double w, double h);
    /// The grid spanning the pixels min ... max, both inclusive.
    void Create(const Vec2d& min, const Vec2d& max);

    /// Number of pixel columns.
    double Width() const { return m_Width; }
    /// Number of pixel rows.
    double Height() const { return m_Height; }
    /// (corner 0 + corner 2) / 2.
    Vec2d& Center() { return m_Center; }
    const Vec2d& Center() const { return m_Center; }
    /// 0 lower-left (minimum), 1 lower-right, 2 upper-right (maximum), 3 upper-left.
    std::vector<Vec2d>& Corners() { return m_Corners; }
    const std::vector<Vec2d>& Corners() const { return m_Corners; }
    /// The displacement used when the grid is drawn perturbed.
    KxCXForm& XForm() { return m_XForm; }
    const KxCXForm& XForm() const { return m_XForm; }

    /// |width x height|.
    double Area() const;
    /// Corner 2 - corner 0, that is (w - 1, h - 1).
    Vec2d Diagonal() const;
    /// True for a grid of at least 2 x 2 pixels.
    bool is_Valid() const;

    /// True when pixel (x, y) lies in the grid, edges included.
    bool Intersect(double x, double y) const;
    bool Intersect(const Vec2d& p) const;
    /// True when the closed rectangle min ... max overlaps the grid; touching edges count.
    bool Intersect(const Vec2d& min, const Vec2d& max) const;
    bool Intersect(const KxCGrid& other) const;

    /// Row-major index of pixel (x, y) inside the grid, or -1 when it lies outside.
    int get_Index(double x, double y) const;

protected:
    double m_Width;
    double m_Height;
    Vec2d m_Center;
    std::vector<Vec2d> m_Corners;
    KxCXForm m_XForm;
};

} // namespace OrvaneImage

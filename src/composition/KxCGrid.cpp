#include "composition/KxCGrid.h"

#include <cmath>

namespace OrvaneImage {

KxCGrid::KxCGrid() : m_Width(0.0), m_Height(0.0), m_Center(0.0, 0.0), m_Corners(4, Vec2d(0.0, 0.0)) {}

KxCGrid::KxCGrid(const Vec2d& lb, double w, double h) : KxCGrid() { Create(lb, w, h); }

// The transform is deliberately left out: a copy is placed and perturbed anew.
KxCGrid::KxCGrid(const KxCGrid& other)
    : m_Width(other.m_Width), m_Height(other.m_Height), m_Center(other.m_Center), m_Corners(other.m_Corners)
{
}

KxCGrid& KxCGrid::operator=(const KxCGrid& other)
{
    m_Width = other.m_Width;
    m_Height = other.m_Height;
    m_Center = other.m_Center;
    m_Corners = other.m_Corners;
    return *this;
}

void KxCGrid::Clear()
{
    m_Width = 0.0;
    m_Height = 0.0;
    m_Center = Vec2d(0.0, 0.0);
    m_Corners.assign(4, Vec2d(0.0, 0.0));
}

void KxCGrid::Create(const Vec2d& lb, double w, double h)
{
    Create(lb, Vec2d(lb[0] + w - 1.0, lb[1] + h - 1.0));
}

void KxCGrid::Create(const Vec2d& min, const Vec2d& max)
{
    m_Corners.assign({min, Vec2d(max[0], min[1]), max, Vec2d(min[0], max[1])});
    m_Width = max[0] - min[0] + 1.0;
    m_Height = max[1] - min[1] + 1.0;
    m_Center = (min + max) * 0.5;
}

double KxCGrid::Area() const { return std::fabs(m_Width * m_Height); }

KxCGrid::Vec2d KxCGrid::Diagonal() const { return m_Corners[2] - m_Corners[0]; }

bool KxCGrid::is_Valid() const
{
    const Vec2d& c0 = m_Corners[0];
    const Vec2d& c2 = m_Corners[2];
    return c0[0] < c2[0] && c0[1] < c2[1] && static_cast<int>(m_Width) > 1 && static_cast<int>(m_Height) > 1;
}

bool KxCGrid::Intersect(double x, double y) const
{
    const Vec2d& c0 = m_Corners[0];
    const Vec2d& c2 = m_Corners[2];
    return c0[0] <= x && x <= c2[0] && c0[1] <= y && y <= c2[1];
}

bool KxCGrid::Intersect(const Vec2d& p) const { return Intersect(p[0], p[1]); }

bool KxCGrid::Intersect(const Vec2d& min, const Vec2d& max) const
{
    const Vec2d& c0 = m_Corners[0];
    const Vec2d& c2 = m_Corners[2];
    return min[0] <= c2[0] && max[0] >= c0[0] && min[1] <= c2[1] && max[1] >= c0[1];
}

bool KxCGrid::Intersect(const KxCGrid& other) const { return Intersect(other.m_Corners[0], other.m_Corners[2]); }

int KxCGrid::get_Index(double x, double y) const
{
    if (!Intersect(x, y)) return -1;
    const Vec2d& c0 = m_Corners[0];
    return (static_cast<int>(y) - static_cast<int>(c0[1])) * static_cast<int>(m_Width) - static_cast<int>(c0[0]) +
           static_cast<int>(x);
}

} // namespace OrvaneImage

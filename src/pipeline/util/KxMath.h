#pragma once
// Vector and matrix types shared by every subsystem: the mesh library's
// fixed-size vectors, an axis-angle rotation and a column-major 4x4 matrix
// (OpenGL order).
#include <OpenMesh/Core/Geometry/VectorT.hh>

#include <array>
#include <cmath>

namespace KxUtils {

using Vec2d = OpenMesh::Vec2d;
using Vec2s = OpenMesh::Vec2s; ///< signed 16-bit pixel offsets
using Vec3d = OpenMesh::Vec3d;
using Vec4d = OpenMesh::Vec4d;

/// v / |v|, or v unchanged when it is shorter than 1e-6.
inline Vec3d Normalized(const Vec3d& v)
{
    const double len = v.norm();
    return len < 1e-6 ? v : v / len;
}

/// v / |v|, or v unchanged when it is zero.
inline Vec3d Unit_Or_Zero(const Vec3d& v)
{
    const double len = v.norm();
    return len != 0.0 ? v / len : v;
}

/// Column-major 4x4 double matrix: element (row r, column c) is m[c * 4 + r].
struct KxCMatrix4d {
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    KxCMatrix4d() = default;
    explicit KxCMatrix4d(const double* src) { for (int i = 0; i < 16; ++i) m[i] = src[i]; }

    double& operator()(int r, int c) { return m[c * 4 + r]; }
    double operator()(int r, int c) const { return m[c * 4 + r]; }
    const double* data() const { return m.data(); }
    double* data() { return m.data(); }

    KxCMatrix4d operator*(const KxCMatrix4d& b) const
    {
        KxCMatrix4d out;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                double s = 0.0;
                for (int k = 0; k < 4; ++k) s += (*this)(r, k) * b(k, c);
                out(r, c) = s;
            }
        return out;
    }

    /// M * (p, 1) restricted to its first three components (no perspective division).
    Vec3d Transform_Point(const Vec3d& p) const
    {
        Vec3d out;
        for (int r = 0; r < 3; ++r) out[r] = (*this)(r, 0) * p[0] + (*this)(r, 1) * p[1] + (*this)(r, 2) * p[2] + (*this)(r, 3);
        return out;
    }

    /// M * (v, 0): the direction part only.
    Vec3d Transform_Vector(const Vec3d& v) const
    {
        Vec3d out;
        for (int r = 0; r < 3; ++r) out[r] = (*this)(r, 0) * v[0] + (*this)(r, 1) * v[1] + (*this)(r, 2) * v[2];
        return out;
    }

    static KxCMatrix4d Translation(const Vec3d& t)
    {
        KxCMatrix4d out;
        out(0, 3) = t[0];
        out(1, 3) = t[1];
        out(2, 3) = t[2];
        return out;
    }
};

/// A rotation by Angle radians about a unit axis.
struct KxCRotation {
    Vec3d Axis{0, 0, 1};
    double Angle = 0.0;

    KxCMatrix4d Matrix() const
    {
        const Vec3d a = Normalized(Axis);
        const double c = std::cos(Angle), s = std::sin(Angle), t = 1.0 - c;
        KxCMatrix4d r;
        r(0, 0) = t * a[0] * a[0] + c;        r(0, 1) = t * a[0] * a[1] - s * a[2]; r(0, 2) = t * a[0] * a[2] + s * a[1];
        r(1, 0) = t * a[0] * a[1] + s * a[2]; r(1, 1) = t * a[1] * a[1] + c;        r(1, 2) = t * a[1] * a[2] - s * a[0];
        r(2, 0) = t * a[0] * a[2] - s * a[1]; r(2, 1) = t * a[1] * a[2] + s * a[0]; r(2, 2) = t * a[2] * a[2] + c;
        return r;
    }
};

} // namespace KxUtils

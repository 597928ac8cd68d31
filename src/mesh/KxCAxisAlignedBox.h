#pragma once
#include <OpenMesh/Core/Geometry/VectorT.hh>

#include <vector>

namespace KxMesh {

/// Axis-aligned box with its eight corners. Corners 0-3 form the bottom face
/// (z = min) and 4-7 the top face (z = max):
/// 0 (x0,y0,z0) 1 (x0,y1,z0) 2 (x1,y1,z0) 3 (x1,y0,z0) 4 (x1,y1,z1) 5 (x0,y1,z1) 6 (x0,y0,z1) 7 (x1,y0,z1).
/// A freshly constructed box spans -0.5 ... 0.5 and is "null" until its extents are set.
template <class Scalar>
class KxCAxisAlignedBox {
public:
    using Vec = OpenMesh::VectorT<Scalar, 3>;

    KxCAxisAlignedBox() : m_Min(-0.5, -0.5, -0.5), m_Max(0.5, 0.5, 0.5) { Update_Corners(); }
    virtual ~KxCAxisAlignedBox() = default;

    const Vec& MinPoint() const { return m_Min; }
    const Vec& MaxPoint() const { return m_Max; }
    /// Sets the minimum point, clears the null flag and recomputes the corners.
    void MinPoint(Scalar x, Scalar y, Scalar z) { m_Min = Vec(x, y, z); Set_Changed(); }
    /// Sets the maximum point, clears the null flag and recomputes the corners.
    void MaxPoint(Scalar x, Scalar y, Scalar z) { m_Max = Vec(x, y, z); Set_Changed(); }
    /// Sets both points, clears the null flag and recomputes the corners.
    void Extents(const Vec& min, const Vec& max) { m_Min = min; m_Max = max; Set_Changed(); }

    Vec Center() const { return (m_Min + m_Max) * Scalar(0.5); }
    Vec Diagonal() const { return m_Max - m_Min; }
    const std::vector<Vec>& Corners() const { return m_Corners; }
    bool is_Null() const { return m_Null; }

private:
    void Set_Changed()
    {
        m_Null = false;
        Update_Corners();
    }

    void Update_Corners()
    {
        const Vec& a = m_Min;
        const Vec& b = m_Max;
        m_Corners = {Vec(a[0], a[1], a[2]), Vec(a[0], b[1], a[2]), Vec(b[0], b[1], a[2]), Vec(b[0], a[1], a[2]),
                     Vec(b[0], b[1], b[2]), Vec(a[0], b[1], b[2]), Vec(a[0], a[1], b[2]), Vec(b[0], a[1], b[2])};
    }

    Vec m_Min;
    Vec m_Max;
    std::vector<Vec> m_Corners;
    bool m_Null = true;
};

} // namespace KxMesh

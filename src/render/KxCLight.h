#pragma once
#include "pipeline/util/KxMath.h"

namespace KxUtils {

/// A headlight derived from a model-view matrix: the eye position, viewing
/// direction and up direction in object space.
class KxCLight {
public:
    KxCLight() = default;
    virtual ~KxCLight() = default;

    /// Derives the light from a column-major model-view matrix m:
    /// Light_Pos = R^T * (-t), up = row 2 of R, Light_Vec = -(row 3 of R), both normalised.
    void Update(const double m[16]);
    /// Draws the light-preview sphere (radius 1, lit grey) in an orthographic box; restores all state.
    void Render() const;

    Vec3d& Light_Pos() { return m_Light_Pos; }
    const Vec3d& Light_Pos() const { return m_Light_Pos; }
    /// Unit direction from the light into the scene.
    Vec3d& Light_Vec() { return m_Light_Vec; }
    const Vec3d& Light_Vec() const { return m_Light_Vec; }
    const Vec3d& Up_Vec() const { return m_Up_Vec; }
    const KxCMatrix4d& Matrix() const { return m_Matrix; }

private:
    KxCMatrix4d m_Matrix;
    Vec3d m_Light_Pos{0, 0, 0};
    Vec3d m_Light_Vec{0, 0, 0};
    Vec3d m_Up_Vec{0, 0, 0};
};

} // namespace KxUtils

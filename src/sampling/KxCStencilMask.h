#pragma once
// The sample mask whose object pixels come from one stencil pass of the mesh.
#include <vector>

#include "sampling/KxCSampleMask.h"

namespace OrvaneImage {

class KxCStencilMask : public KxCSampleMask {
public:
    KxCStencilMask() = default;

    /// Draws the mesh into the stencil (and depth) buffer with the captured view, bounds the
    /// marked pixels by their contours, and reads stencil (and, with Mode_Depth, depth) values.
    /// Needs a loose rectangle from Create_Rect and a current GL context.
    bool Create_Specific(KxCAppMesh* mesh, int mode) override;
    void Clear() override;
    /// The stencil value at the window point is non-zero.
    bool Intersect_Mask(double x, double y) const override;
    /// Stencil value at a window point; false outside the rectangle or without stencil values.
    bool get_Stencil(double x, double y, unsigned int& out) const;

private:
    void Draw_Stencil(KxCAppMesh* mesh);

    std::vector<unsigned int> m_StencilMap;
};

} // namespace OrvaneImage

#pragma once
// The GL state the grid containers draw in. Each set-up saves the state it
// changes and draws in window pixels of the projector's viewport (pixel (x, y)
// at window position (x, y)); the destructor restores the attributes and both
// matrices. The viewport itself is left set. A grid's transform is given both
// as a model-view product for drawing and as a point mapping for code that
// needs to know where a drawn grid ends up.
#include "pipeline/util/KxMath.h"
#include "render/KxCViewScope.h"

namespace OrvaneImage {

class KxCGrid;

/// Textured, blended, unlit quads in white (texture environment replace).
class KxCTextureSetup {
public:
    KxCTextureSetup();
    ~KxCTextureSetup();
    KxCTextureSetup(const KxCTextureSetup&) = delete;
    KxCTextureSetup& operator=(const KxCTextureSetup&) = delete;

private:
    KxUtils::KxCViewScope m_View{KxUtils::KxCViewScope::KxEnumView::Pixels};
};

/// Unlit line outlines of both faces in the given colour, without depth test or culling.
class KxCOutlineSetup {
public:
    KxCOutlineSetup(float r, float g, float b);
    ~KxCOutlineSetup();
    KxCOutlineSetup(const KxCOutlineSetup&) = delete;
    KxCOutlineSetup& operator=(const KxCOutlineSetup&) = delete;

private:
    KxUtils::KxCViewScope m_View{KxUtils::KxCViewScope::KxEnumView::Pixels};
};

/// Multiplies the model-view matrix by the grid's transform: a vertex v lands
/// at c + move + R(angle) (v - c), c the grid's centre. The caller pushes and pops.
void Apply_XForm(const KxCGrid& grid);

/// Where the grid's transform takes the window point v: c + move + R(angle) (v - c),
/// the place Apply_XForm draws it at. Pure arithmetic, no GL.
KxUtils::Vec2d XForm_Point(const KxCGrid& grid, const KxUtils::Vec2d& v);

} // namespace OrvaneImage

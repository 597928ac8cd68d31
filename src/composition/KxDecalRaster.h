#pragma once
// The GL side of turning splats into splat grids: splats drawn in the
// projector's captured view on white, alone or all together, read back as
// red-channel pictures, and the RGBA textures of the grids made from them.
// Every function needs the GL context current.
#include <vector>

#include <opencv2/core.hpp>

#include "render/KxCViewScope.h"
#include "splats/KxDecalDrawing.h"

namespace OrvaneImage {

class KxCDecal;
class KxCDecalGrid;
class KxCGrid;

/// The state both splat passes draw in: the captured view, the splat drawing
/// state and a white clear colour. Everything is restored on destruction.
class KxCRasterScope {
public:
    KxCRasterScope();
    ~KxCRasterScope() = default;
    KxCRasterScope(const KxCRasterScope&) = delete;
    KxCRasterScope& operator=(const KxCRasterScope&) = delete;

private:
    KxUtils::KxCViewScope m_View{KxUtils::KxCViewScope::KxEnumView::Captured};
    KxCDecalDrawState m_State;
};

/// True for a drawable splat whose rectangle is valid: the splats that take part in the passes.
bool is_Eligible(KxCDecal& decal);

/// Clears the splat's rectangle (colour and depth), draws the splat alone and
/// reads the rectangle's red channel, bottom row first. Pixels outside the
/// rectangle are left as they were. Needs KxCRasterScope.
cv::Mat Draw_Alone(KxCDecal& decal);

/// Clears the frame once, draws every eligible splat pulled towards the viewer
/// (polygon offset -1, -1, depth test less-or-equal) and reads the red channel
/// of rect, bottom row first. Needs KxCRasterScope.
cv::Mat Draw_Merged(const std::vector<KxCDecal*>& decals, const KxCGrid& rect);

/// Gives the grid a new texture of its size (deleting one it owned): transparent white, with opaque
/// black at each of its points (texel row 0 is the grid's bottom row). Clamped
/// and linearly filtered, border transparent white; left unbound.
void Make_Texture(KxCDecalGrid& grid);

} // namespace OrvaneImage

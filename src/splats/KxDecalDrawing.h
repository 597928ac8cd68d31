#pragma once
// How splats are drawn: each as its textured patch, replacing the colour
// below where its texture is opaque and blending where it is not. Both the
// splat container and the image analysis draw through these.

namespace OrvaneImage {

class KxCDecal;

/// Saves and sets the state splats are drawn in: unlit, both faces filled,
/// texture environment replace, alpha blending, vertex and texture-coordinate
/// arrays on, current colour white. The destructor restores everything,
/// including the current colour. The camera and depth test are the caller's.
class KxCDecalDrawState {
public:
    KxCDecalDrawState();
    ~KxCDecalDrawState();
    KxCDecalDrawState(const KxCDecalDrawState&) = delete;
    KxCDecalDrawState& operator=(const KxCDecalDrawState&) = delete;
};

/// True for a visible splat with a patch and a texture.
bool is_Drawable(KxCDecal& decal);
/// Draws the splat's patch with its texture (bound for the call only); needs KxCDecalDrawState.
void Draw_Decal(KxCDecal& decal);

} // namespace OrvaneImage

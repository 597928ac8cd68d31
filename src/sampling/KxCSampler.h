#pragma once
// Samplers decide where splats go. Each appends new splats (centre vertex,
// window and object positions, radii, visibility) to a splat container:
//   KxCQuasiSampler    still images: importance of the visible surface, quasi-random points
//   KxCRandomSampler   first animation frame: random vertices thinned to a minimum spacing
//   KxCMotionSampler   later frames: moves every existing splat a few rings away
//   KxCRandomSampler2  random vertices with a spacing enforced through the KD-tree
// All project with the projector's captured view, and with AppGlobal::g_Fix_Rand
// every Sample reseeds the shared generator with 1024 first.
#include <vector>

#include "pipeline/util/KxMath.h"

namespace OrvaneImage {

class KxCAppMesh;
class KxCSampleMask;
class KxCDecal;
class KxCDecalCntr;
class KxCSampleParam;
class KxCDecalParam;

class KxCSampler {
public:
    virtual ~KxCSampler() = default;

    /// Adds (or, for the motion sampler, moves) splats for the current view and sets
    /// dparam->Number to the container's size. Needs the view's GL context current, the
    /// mesh preprocessed with KD-tree and vertex flags, and the mask created for the view.
    virtual bool Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                        KxCDecalParam* dparam) = 0;

protected:
    /// Centre at vertex v with radius Jitter_Scale x base, but never below v's longest edge.
    static void Setup_Decal(KxCAppMesh* mesh, KxCDecal* decal, int v, double base, const KxCDecalParam* dparam);
    /// Point2D <- the window projection of Point3D.
    static void Project_Decal(KxCDecal* decal);
    /// Visible when the mask's depth at the splat's window position unprojects to within
    /// depth_ratio x the box diagonal of its centre; invisible without a depth value there.
    static void Test_Visibility(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecal* decal, double depth_ratio);
    /// The vertex indices 0 ... n - 1 shuffled by the shared generator.
    static std::vector<int> Shuffled_Vertices(const KxCAppMesh* mesh);
    /// Reseeds the shared generator with 1024 when randomness is fixed.
    static void Seed();
};

} // namespace OrvaneImage

#pragma once
// Splats of an animation's first frame: a random tenth (Cur_Ratio) of the
// vertices, thinned so no two centres are closer than Radius_Ratio average
// edges, over the whole surface; hidden ones are kept, marked invisible, so
// they appear when the animation turns them towards the camera.
#include "pipeline/util/KxCSingleton.h"
#include "sampling/KxCSampler.h"

namespace OrvaneImage {

class KxCRandomSampler : public KxCSampler, public KxCSingleton<KxCRandomSampler> {
public:
    /// Appends the thinned random splats, visible or not, in candidate order.
    bool Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                KxCDecalParam* dparam) override;
};

} // namespace OrvaneImage

#pragma once
// Random splats with a minimum spacing enforced through radius queries on
// the KD-tree, up to a target count (Cur_Ratio of the vertices).
#include "pipeline/util/KxCSingleton.h"
#include "sampling/KxCSampler.h"

namespace OrvaneImage {

class KxCRandomSampler2 : public KxCSampler, public KxCSingleton<KxCRandomSampler2> {
public:
    /// Appends splats at shuffled vertices not yet covered by an earlier splat's spacing ball.
    bool Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                KxCDecalParam* dparam) override;
};

} // namespace OrvaneImage

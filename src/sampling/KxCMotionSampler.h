#pragma once
// Splats of every later animation frame: each existing splat jumps to a
// random vertex at most Ring_Size rings away and its visibility is tested
// again, so the splat count never changes after the first frame.
#include <vector>

#include "pipeline/util/KxCSingleton.h"
#include "sampling/KxCSampler.h"

namespace OrvaneImage {

class KxCMotionSampler : public KxCSampler, public KxCSingleton<KxCMotionSampler> {
public:
    /// Moves every splat of the container; Number is left alone.
    bool Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                KxCDecalParam* dparam) override;

    /// The vertex v, then its rings 1 ... k in breadth-first order (neighbours in circulation order).
    static std::vector<int> K_Ring(const KxCAppMesh* mesh, int v, int k);
};

} // namespace OrvaneImage

#pragma once
// The analyzer of animation frames: merged blobs only, no silhouette breaking,
// no perturbation; the windows are laid over the merged blobs. The splats'
// flags are left as they are.
#include "composition/KxCAnalyzer.h"
#include "pipeline/util/KxCSingleton.h"

namespace OrvaneImage {

class KxCAnalyzerOV : public KxCAnalyzer, public KxCSingleton<KxCAnalyzerOV> {
public:
    /// Convert, filter, then windows over the merged grids; unmerged is not used and may be null.
    bool Analyze(KxCDecalCntr* decals, KxCDecalGCntr* merged, KxCDecalGCntr* unmerged,
                 std::vector<KxCWndGCntr*>* windows, KxCSampleMask* mask, KxCDecalGParam* params) override;
    /// One draw of every eligible splat, labelled into blobs; unmerged is ignored.
    bool Convert_Decals_to_DecalGrids(std::vector<KxCDecal*>* decals, KxCDecalGCntr* merged,
                                      KxCDecalGCntr* unmerged, KxCSampleMask* mask,
                                      KxCDecalGParam* params) override;
};

} // namespace OrvaneImage

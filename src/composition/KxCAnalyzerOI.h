#pragma once
// The analyzer of still images. Besides the merged blobs it makes one grid per
// splat and breaks the silhouette: short cuts are drawn across the silhouette
// band at the flat stretches of the contour, and splats near the silhouette
// that lie largely on a cut are hidden (their Visible is cleared).
#include "composition/KxCAnalyzer.h"
#include "pipeline/util/KxCSingleton.h"

namespace OrvaneImage {

class KxCAnalyzerOI : public KxCAnalyzer, public KxCSingleton<KxCAnalyzerOI> {
public:
    /// Convert, filter, perturb, then windows over the unmerged grids. Every argument is required.
    bool Analyze(KxCDecalCntr* decals, KxCDecalGCntr* merged, KxCDecalGCntr* unmerged,
                 std::vector<KxCWndGCntr*>* windows, KxCSampleMask* mask, KxCDecalGParam* params) override;
    /// Cuts, then one pass per eligible splat (its Boundary set, possibly hidden,
    /// one unmerged grid when it stays visible and has ink), then the merged
    /// blobs. Textures and merged boundary flags only with Gen_Texture.
    bool Convert_Decals_to_DecalGrids(std::vector<KxCDecal*>* decals, KxCDecalGCntr* merged,
                                      KxCDecalGCntr* unmerged, KxCSampleMask* mask,
                                      KxCDecalGParam* params) override;
};

} // namespace OrvaneImage

#pragma once
// The image analysis of one model's splats in the current view: the splats
// become splat grids (merged blobs that draw the object and, for still
// images, one grid per splat), tiny blobs are filtered out, blobs near the
// silhouette get a small random displacement, and square windows are laid
// over the object in layers of growing size for the stamper to copy.
//
// KxCAnalyzerOI analyses still images, KxCAnalyzerOV animation frames. The
// analysis draws through OpenGL with the projector's captured view, so the
// GL context must be current. With AppGlobal::g_Fix_Rand set, Sample,
// Perturb and Filter reseed the shared generator with 1024 on entry.
// Failures print "class::function: message" on stderr and return false.
#include <vector>

namespace OrvaneImage {

class KxCDecal;
class KxCDecalCntr;
class KxCDecalGCntr;
class KxCDecalGParam;
class KxCSampleMask;
class KxCWndGCntr;

class KxCAnalyzer {
public:
    virtual ~KxCAnalyzer() = default;

    /// Converts the splats into grids, filters and perturbs the merged grids and
    /// appends one window container per layer that could be sampled (smallest
    /// windows first) to the empty list windows. The caller owns every container.
    virtual bool Analyze(KxCDecalCntr* decals, KxCDecalGCntr* merged, KxCDecalGCntr* unmerged,
                         std::vector<KxCWndGCntr*>* windows, KxCSampleMask* mask, KxCDecalGParam* params) = 0;
    /// Renders the splats and fills the (fresh) merged and unmerged containers.
    virtual bool Convert_Decals_to_DecalGrids(std::vector<KxCDecal*>* decals, KxCDecalGCntr* merged,
                                              KxCDecalGCntr* unmerged, KxCSampleMask* mask,
                                              KxCDecalGParam* params) = 0;

    /// Lays windows of side Cur_Ratio x the rectangle's larger side over the
    /// mask's rectangle, overlapping by half and shifted at random when the
    /// window perturbation is on, and keeps those that touch the object and
    /// whose enabled grids (centre inside) cover at least 30 % of them.
    bool Sample(KxCDecalGCntr* grids, KxCWndGCntr* windows, KxCSampleMask* mask, KxCDecalGParam* params);
    /// Draws a random shift and turn for every grid and stores it in the grids near the silhouette.
    bool Perturb(KxCDecalGCntr* grids, KxCSampleMask* mask, KxCDecalGParam* params);
    /// Enables exactly the grids with at least Area_Ratio as many pixels as the object.
    bool Filter(KxCDecalGCntr* grids, KxCSampleMask* mask, KxCDecalGParam* params);

protected:
    /// The whole analysis, reported under cls::Analyze: input checks, the
    /// conversion, the filter (when enabled) on the merged grids, then for a
    /// still image the perturbation and windows over the unmerged grids, for a
    /// frame windows over the merged grids. A failed layer is reported and skipped.
    bool Run_Analysis(const char* cls, bool still, KxCDecalCntr* decals, KxCDecalGCntr* merged,
                      KxCDecalGCntr* unmerged, std::vector<KxCWndGCntr*>* windows, KxCSampleMask* mask,
                      KxCDecalGParam* params);
    /// The checks shared by both conversions, reported under
    /// cls::Convert_Decals_to_DecalGrids: a non-empty splat list, the
    /// containers, a mask with its object image, parameters, a valid rectangle.
    static bool Check_Convert_Inputs(const char* cls, std::vector<KxCDecal*>* decals, KxCDecalGCntr* merged,
                                     KxCSampleMask* mask, KxCDecalGParam* params);
};

} // namespace OrvaneImage

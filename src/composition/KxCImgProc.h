#pragma once
// Contour operations on one-channel mask images: outline extraction with the
// bounding rectangle, per-point curvature magnitudes, and the cutting of flat
// contour stretches into evenly spaced pieces for silhouette breaking.
#include <opencv2/core.hpp>

#include "composition/KxCCntrData.h"
#include "pipeline/util/KxCSingleton.h"

namespace OrvaneImage {

class KxCBrkParam;

class KxCImgProc : public KxCSingleton<KxCImgProc> {
public:
    /// Extracts the outline contours of the non-zero pixels (every boundary
    /// pixel kept) and their rectangle, grown by margin on every side and
    /// clamped to the image: the union of all contours' rectangles when the set
    /// is multi, else the longest contour's. The set is refilled with all
    /// contours, or only the longest, with points relative to the grown corner.
    /// False, set unchanged, for a null image, a missing set, an image without
    /// foreground or one with several channels (one line on stderr).
    bool Find_Bounding_Info(const cv::Mat* image, cv::Rect& rect, KxCCntrData* contours, unsigned margin);

    /// Gives every contour point the twice-dilated minimum-eigenvalue corner
    /// strength of the image at its pixel, rescaled per contour to 0 ... 1
    /// (all 0 when the contour's values are equal). The image must be the one
    /// the points are relative to. Nothing for a null or non-single-channel image.
    void Compute_Curvature(const cv::Mat* image, KxCCntrData* contours);

    /// Replaces the set's pieces: along each contour, the runs of points whose
    /// magnitude is at most Mag_Ratio of the contour's largest are cut into
    /// pieces starting every Smpl_Ratio of its length, each covering
    /// Lnth_Ratio of that spacing. False for null arguments, or at the first
    /// contour without magnitudes (one line on stderr; earlier contours keep
    /// their pieces).
    bool Break_Contour(KxCCntrData* contours, const KxCBrkParam* params);
};

} // namespace OrvaneImage

#pragma once
// The image steps of turning splats into splat grids, shared by the still and
// the frame analyzers: the silhouette cut image, the near-silhouette test, the
// labelling of the merged picture into blobs and the finishing of those blobs.
// All images are relative to the sample mask's rectangle, bottom row first.
#include <opencv2/core.hpp>

namespace OrvaneImage {

class KxCBrkParam;
class KxCDecalGCntr;
class KxCDecalGParam;
class KxCSampleMask;

/// Bdry_Ratio x the length of the mask rectangle's diagonal: positions whose
/// distance to the background is below it are near the silhouette.
double Boundary_Distance(KxCSampleMask& mask, const KxCDecalGParam& params);

/// True when the mask-relative position (x, y) is near the silhouette.
/// Positions outside the rectangle count as outside the object, so near.
bool is_Near_Silhouette(KxCSampleMask& mask, int x, int y, double bdry);

/// Breaks the mask's contours at their flat stretches and draws a short cut
/// into the object at every inner point of each piece (Dist_Ratio of the
/// contour's length, Line_Thick thick); cuts holds 255 where a cut crosses the
/// silhouette band. False when breaking fails (cuts empty). Without a band of
/// the mask's size cuts stays empty.
bool Make_Cut_Image(KxCSampleMask& mask, const KxCBrkParam& breaker, cv::Mat& cuts);

/// Appends one grid per 4-connected blob of black (0) pixels of the merged
/// picture that lies on the object, numbered in the order their first pixel is
/// met scanning rows bottom to top, each with its pixels in scan order. Black
/// pixels off the object are left out. picture must have the mask image's size.
void Label_Blobs(const cv::Mat& picture, KxCSampleMask& mask, KxCDecalGCntr& merged);

/// Gives every grid of the container its texture and sets its boundary flag
/// when any of its pixels is near the silhouette. Needs the GL context current.
void Finish_Merged(KxCDecalGCntr& merged, KxCSampleMask& mask, double bdry);

} // namespace OrvaneImage

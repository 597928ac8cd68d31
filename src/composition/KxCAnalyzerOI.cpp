#include "composition/KxCAnalyzerOI.h"

#include <vector>

#include <opencv2/imgproc.hpp>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxDecalRaster.h"
#include "composition/KxGridConversion.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/util/KxDebug.h"
#include "sampling/KxCSampleMask.h"
#include "splats/KxCDecal.h"

namespace OrvaneImage {

namespace {

const char* const kClass = "KxCAnalyzerOI";

/// What the per-splat pass needs to know about the object.
struct KxSplatPass {
    KxCSampleMask& mask;
    double bdry;         ///< near-silhouette distance
    const cv::Mat& cuts; ///< 255 on a cut; empty for no cuts
    double cut_ratio;    ///< share of ink on a cut that hides a splat
};

/// The union of the ink outlines' rectangles (empty without ink). Sets the
/// splat's Boundary when an outline point, at mask-relative offset (dx, dy), is near the silhouette.
cv::Rect Outline(KxCDecal& decal, const cv::Mat& ink, int dx, int dy, const KxSplatPass& pass)
{
    std::vector<std::vector<cv::Point>> outlines;
    cv::findContours(ink, outlines, cv::RETR_LIST, cv::CHAIN_APPROX_NONE);
    cv::Rect all;
    decal.Boundary() = false;
    for (std::size_t i = 0; i < outlines.size(); ++i) {
        const cv::Rect r = cv::boundingRect(outlines[i]);
        all = i == 0 ? r : (all | r);
        for (const cv::Point& p : outlines[i]) {
            if (decal.Boundary()) break;
            decal.Boundary() = is_Near_Silhouette(pass.mask, dx + p.x, dy + p.y, pass.bdry);
        }
    }
    return all;
}

/// True when at least the pass's ratio of the ink lies on a cut (positions off the cut image are not).
bool Lies_On_Cut(const cv::Mat& ink, int dx, int dy, const KxSplatPass& pass)
{
    const cv::Mat& cuts = pass.cuts;
    int total = 0, on_cut = 0;
    for (int y = 0; y < ink.rows; ++y)
        for (int x = 0; x < ink.cols; ++x) {
            if (!ink.at<unsigned char>(y, x)) continue;
            ++total;
            const int u = dx + x, v = dy + y;
            if (u >= 0 && v >= 0 && u < cuts.cols && v < cuts.rows && cuts.at<unsigned char>(v, u) == 255) ++on_cut;
        }
    return total > 0 && static_cast<float>(on_cut) / static_cast<float>(total) >= pass.cut_ratio;
}

/// The grid of one splat: the ink pixels inside their outline rectangle b, whose
/// lower-left pixel is (sx + b.x, sy + b.y).
KxCDecalGrid* Unmerged_Grid(const cv::Mat& ink, const cv::Rect& b, int sx, int sy, bool boundary)
{
    auto* grid = new KxCDecalGrid;
    grid->Create(KxUtils::Vec2d(b.x + sx, b.y + sy), b.width, b.height);
    const long long size = static_cast<long long>(b.width) * b.height;
    for (int y = 0; y < ink.rows; ++y)
        for (int x = 0; x < ink.cols; ++x) {
            const int u = x - b.x, v = y - b.y;
            if (ink.at<unsigned char>(y, x) && u >= 0 && v >= 0 && static_cast<long long>(v) * b.width + u < size)
                grid->Points().emplace_back(short(u), short(v));
        }
    grid->Boundary_Flag() = boundary;
    return grid;
}

/// Draws one eligible splat alone: sets its Boundary, hides it when it lies
/// largely on a cut near the silhouette, and otherwise appends its grid when it has ink.
void Split_Decal(KxCDecal& decal, const KxSplatPass& pass, KxCDecalGCntr& unmerged)
{
    const cv::Mat ink = Draw_Alone(decal) != 255;
    const auto& corner = decal.Rectangle().Corners()[0];
    const int sx = static_cast<int>(corner[0]), sy = static_cast<int>(corner[1]);
    const auto& r0 = pass.mask.Rectangle()->Corners()[0];
    const int dx = sx - static_cast<int>(r0[0]), dy = sy - static_cast<int>(r0[1]);

    const cv::Rect outline = Outline(decal, ink, dx, dy, pass);
    if (decal.Boundary() && !pass.cuts.empty() && Lies_On_Cut(ink, dx, dy, pass)) decal.Visible() = false;
    // A splat without ink has no outline to make a grid from.
    if (decal.Visible() && !outline.empty()) unmerged.Grids().push_back(Unmerged_Grid(ink, outline, sx, sy, decal.Boundary()));
}

} // namespace

bool KxCAnalyzerOI::Analyze(KxCDecalCntr* decals, KxCDecalGCntr* merged, KxCDecalGCntr* unmerged,
                            std::vector<KxCWndGCntr*>* windows, KxCSampleMask* mask, KxCDecalGParam* params)
{
    return Run_Analysis(kClass, true, decals, merged, unmerged, windows, mask, params);
}

bool KxCAnalyzerOI::Convert_Decals_to_DecalGrids(std::vector<KxCDecal*>* decals, KxCDecalGCntr* merged,
                                                 KxCDecalGCntr* unmerged, KxCSampleMask* mask,
                                                 KxCDecalGParam* params)
{
    if (!unmerged) {
        Throw_Debug_Msg(kClass, "Convert_Decals_to_DecalGrids", "Invalid inputs");
        return false;
    }
    if (!Check_Convert_Inputs(kClass, decals, merged, mask, params)) return false;
    mask->Contour()->Clear_Segments();
    cv::Mat cuts;
    const KxCBrkParam& breaker = params->Breaker();
    if (breaker.Enabled() && !Make_Cut_Image(*mask, breaker, cuts))
        Throw_Debug_Msg(kClass, "Convert_Decals_to_DecalGrids", "Breaking contour failed");

    const double bdry = Boundary_Distance(*mask, *params);
    const KxSplatPass pass{*mask, bdry, cuts, breaker.Area_Ratio()};
    cv::Mat picture;
    {
        const KxCRasterScope scope;
        for (KxCDecal* d : *decals)
            if (d && is_Eligible(*d)) Split_Decal(*d, pass, *unmerged);
        if (params->Gen_Texture())
            for (KxCGrid* g : unmerged->Grids())
                if (auto* grid = dynamic_cast<KxCDecalGrid*>(g)) Make_Texture(*grid);
        picture = Draw_Merged(*decals, *mask->Rectangle());
    }
    Label_Blobs(picture, *mask, *merged);
    if (params->Gen_Texture()) Finish_Merged(*merged, *mask, bdry);
    return true;
}

} // namespace OrvaneImage

#include "composition/KxGridConversion.h"

#include <cmath>
#include <vector>

#include <opencv2/imgproc.hpp>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCImgProc.h"
#include "composition/KxDecalRaster.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "sampling/KxCSampleMask.h"

namespace OrvaneImage {

namespace {

/// Lines from the inner points of every piece, pointing into the object.
cv::Mat Draw_Cut_Lines(const KxCCntrData& contours, const KxCBrkParam& breaker, cv::Size size)
{
    cv::Mat lines(size, CV_8UC1, cv::Scalar(0));
    const auto& all = contours.Contours();
    for (std::size_t k = 0; k < all.size() && k < contours.Segments().size(); ++k) {
        const auto& pts = all[k]->Points();
        const double length = breaker.Dist_Ratio() * all[k]->Length();
        for (const KxCIdxSeg* piece : contours.Segments()[k]) {
            const auto& idx = piece->Indices();
            // The first and the last point of a piece get no cut.
            for (std::size_t t = 1; t + 1 < idx.size(); ++t) {
                const auto& p = pts[idx[t]];
                const auto& q = pts[idx[t + 1]];
                // The contour runs with the object on its left, so this normal points inwards.
                const double nx = double(q[1]) - p[1], ny = double(p[0]) - q[0];
                const double norm = std::hypot(nx, ny);
                if (norm == 0.0) continue;
                const cv::Point end(static_cast<int>(p[0] + nx / norm * length),
                                    static_cast<int>(p[1] + ny / norm * length));
                cv::line(lines, cv::Point(p[0], p[1]), end, cv::Scalar(255), breaker.Line_Thick(), cv::LINE_8);
            }
        }
    }
    return lines;
}

} // namespace

double Boundary_Distance(KxCSampleMask& mask, const KxCDecalGParam& params)
{
    return params.Bdry_Ratio() * mask.Rectangle()->Diagonal().norm();
}

bool is_Near_Silhouette(KxCSampleMask& mask, int x, int y, double bdry)
{
    return mask.Dist_to_Bdry(KxUtils::Vec2d(x, y), true) < bdry;
}

bool Make_Cut_Image(KxCSampleMask& mask, const KxCBrkParam& breaker, cv::Mat& cuts)
{
    cuts.release();
    KxCImgProc& proc = *KxCImgProc::InstancePtr();
    const cv::Mat* object = mask.Mask_Image()->Image();
    proc.Compute_Curvature(object, mask.Contour());
    if (!proc.Break_Contour(mask.Contour(), &breaker)) return false;
    const cv::Mat* band = mask.Silho_Image()->Image();
    if (!object || !band || band->size() != object->size() || band->type() != CV_8UC1) return true;
    cv::min(*band, Draw_Cut_Lines(*mask.Contour(), breaker, object->size()), cuts);
    return true;
}

void Label_Blobs(const cv::Mat& picture, KxCSampleMask& mask, KxCDecalGCntr& merged)
{
    const cv::Mat& object = *mask.Mask_Image()->Image();
    const int w = picture.cols, h = picture.rows;
    const int x0 = static_cast<int>(mask.Rectangle()->Corners()[0][0]);
    const int y0 = static_cast<int>(mask.Rectangle()->Corners()[0][1]);

    // The fill mask blocks everything off the object and, as floodFill needs, a one-pixel frame.
    cv::Mat fill(h + 2, w + 2, CV_8UC1, cv::Scalar(255));
    fill(cv::Rect(1, 1, w, h)).setTo(0, object == 255);
    cv::Mat label;
    picture.convertTo(label, CV_32F);

    std::vector<KxCDecalGrid*> blobs;
    const int flags = 4 | cv::FLOODFILL_FIXED_RANGE | (255 << 8);
    for (int y = 0; y < h; ++y) {
        const unsigned char* row = picture.ptr<unsigned char>(y);
        for (int x = 0; x < w; ++x) {
            if (row[x] != 0) continue;
            if (fill.at<unsigned char>(y + 1, x + 1) == 0) {
                cv::Rect f;
                cv::floodFill(label, fill, cv::Point(x, y), cv::Scalar(double(blobs.size())), &f, cv::Scalar(0),
                              cv::Scalar(0), flags);
                auto* grid = new KxCDecalGrid;
                grid->Create(KxUtils::Vec2d(f.x + x0, f.y + y0), f.width, f.height);
                grid->Points().emplace_back(short(x - f.x), short(y - f.y));
                blobs.push_back(grid);
                merged.Grids().push_back(grid);
            } else if (object.at<unsigned char>(y, x) == 255) {
                const std::size_t n = static_cast<std::size_t>(label.at<float>(y, x));
                if (n >= blobs.size()) continue;
                const auto& c = blobs[n]->Corners()[0];
                blobs[n]->Points().emplace_back(short(x + x0 - int(c[0])), short(y + y0 - int(c[1])));
            }
        }
    }
}

void Finish_Merged(KxCDecalGCntr& merged, KxCSampleMask& mask, double bdry)
{
    const int x0 = static_cast<int>(mask.Rectangle()->Corners()[0][0]);
    const int y0 = static_cast<int>(mask.Rectangle()->Corners()[0][1]);
    for (KxCGrid* g : merged.Grids()) {
        auto* grid = dynamic_cast<KxCDecalGrid*>(g);
        if (!grid) continue;
        Make_Texture(*grid);
        const int dx = static_cast<int>(grid->Corners()[0][0]) - x0, dy = static_cast<int>(grid->Corners()[0][1]) - y0;
        grid->Boundary_Flag() = false;
        for (const auto& p : grid->Points())
            if (is_Near_Silhouette(mask, p[0] + dx, p[1] + dy, bdry)) {
                grid->Boundary_Flag() = true;
                break;
            }
    }
}

} // namespace OrvaneImage

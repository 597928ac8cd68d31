#include "sampling/KxCSampleMask.h"

#include <algorithm>

#include <opencv2/imgproc.hpp>

#include "analysis/KxCAppMesh.h"
#include "pipeline/util/KxDebug.h"
#include "render/KxCOGLProjector.h"

namespace OrvaneImage {

namespace {

/// Distance of every non-zero pixel to the nearest zero pixel (L2, 5 x 5 mask).
cv::Mat Distance(const cv::Mat& image)
{
    cv::Mat out;
    cv::distanceTransform(image, out, cv::DIST_L2, 5, CV_32F);
    return out;
}

} // namespace

KxCSampleMask::KxCSampleMask() { KxCSampleMask::Clear(); }

void KxCSampleMask::Clear()
{
    m_Rect.Clear();
    m_DepthMap.clear();
    m_Area = 0;
    m_MaskImage.Clear();
    m_DistImage.Clear();
    m_Dist2Image.Clear();
    m_SilhoImage.Clear();
    m_Contour.Clear();
}

bool KxCSampleMask::Create(KxCAppMesh* mesh, int mode)
{
    if (!Create_Rect(mesh, mode)) {
        Throw_Debug_Msg("KxCSampleMask", "Create", "Create_Rect failed");
        return false;
    }
    if (!Create_Specific(mesh, mode)) {
        Throw_Debug_Msg("KxCSampleMask", "Create", "Create_Specific failed");
        return false;
    }
    if (!Create_Aux()) {
        Throw_Debug_Msg("KxCSampleMask", "Create", "Create_Aux failed");
        return false;
    }
    return true;
}

bool KxCSampleMask::Create_Rect(KxCAppMesh* mesh, int)
{
    if (!mesh || !mesh->get_AABB()) {
        Throw_Debug_Msg("KxCSampleMask", "Create_Rect", "Invalid inputs");
        return false;
    }
    auto& projector = *KxUtils::KxCOGLProjector::InstancePtr();
    const auto& vp = projector.Viewport();
    const auto& lo3 = mesh->get_AABB()->MinPoint();
    const auto& hi3 = mesh->get_AABB()->MaxPoint();
    KxUtils::Vec2d lo(1e+06, 1e+06), hi(-1e+06, -1e+06);
    for (int i = 0; i < 8; ++i) {
        double w[3];
        projector.Project(i & 1 ? hi3[0] : lo3[0], i & 2 ? hi3[1] : lo3[1], i & 4 ? hi3[2] : lo3[2], w);
        for (int k = 0; k < 2; ++k) {
            lo[k] = std::min(lo[k], w[k]);
            hi[k] = std::max(hi[k], w[k]);
        }
    }
    for (int k = 0; k < 2; ++k) {
        const double first = vp[k], last = vp[k] + vp[k + 2] - 1;
        lo[k] = static_cast<int>(std::clamp(lo[k], first, last));
        hi[k] = static_cast<int>(std::clamp(hi[k], first, last));
    }
    m_Rect.Create(lo, hi);
    return is_Valid();
}

bool KxCSampleMask::Create_Aux()
{
    const cv::Mat* mask = m_MaskImage.Matrix();
    if (!mask || !is_Valid()) {
        Throw_Debug_Msg("KxCSampleMask", "Create_Aux", "Invalid mask image / bounding rectangle");
        return false;
    }
    // Everything outside the rectangle is background: without the zero frame, object pixels on
    // the rectangle's edge would measure their distance to background pixels inside it only.
    cv::Mat framed;
    cv::copyMakeBorder(*mask, framed, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
    m_DistImage.Matrix(Distance(framed)(cv::Rect(1, 1, mask->cols, mask->rows)).clone());

    const auto& vp = KxUtils::KxCOGLProjector::InstancePtr()->Viewport();
    cv::Mat outside(vp[3], vp[2], CV_8UC1, cv::Scalar(255));
    const cv::Rect region(static_cast<int>(m_Rect.Corners()[0][0]) - vp[0], static_cast<int>(m_Rect.Corners()[0][1]) - vp[1],
                          mask->cols, mask->rows);
    const cv::Rect inside = region & cv::Rect(0, 0, outside.cols, outside.rows);
    // Zero on the object: the distance then measures how far a pixel is from it.
    outside(inside).setTo(0, (*mask)(cv::Rect(inside.x - region.x, inside.y - region.y, inside.width, inside.height)));
    m_Dist2Image.Matrix(Distance(outside));
    return true;
}

bool KxCSampleMask::Intersect_Rect(double x, double y) const { return m_Rect.Intersect(x, y); }

bool KxCSampleMask::get_Depth(double x, double y, float& out) const
{
    if (m_DepthMap.empty()) {
        Throw_Debug_Msg("KxCSampleMask", "get_Depth", "No depth map exist");
        return false;
    }
    const int i = Pixel_Index(x, y);
    if (i < 0 || i >= static_cast<int>(m_DepthMap.size())) return false;
    out = m_DepthMap[i];
    return true;
}

double KxCSampleMask::Dist_to_Bdry(const KxUtils::Vec2d& p, bool local) const
{
    const cv::Mat* dist = m_DistImage.Matrix();
    if (!dist) return 0.0;
    int x = static_cast<short>(p[0]), y = static_cast<short>(p[1]);
    if (!local) {
        x -= static_cast<int>(m_Rect.Corners()[0][0]);
        y -= static_cast<int>(m_Rect.Corners()[0][1]);
    }
    // Outside the rectangle is outside the object.
    if (x < 0 || y < 0 || x >= dist->cols || y >= dist->rows) return 0.0;
    return dist->at<float>(y, x);
}

} // namespace OrvaneImage

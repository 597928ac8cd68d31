#include "sampling/KxCStencilMask.h"

#include "analysis/KxCAppMesh.h"
#include "composition/KxCImgProc.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCViewScope.h"
#include "render/KxReadPixels.h"

namespace OrvaneImage {

namespace {

/// Reads a rectangle of the current read buffer, bottom row first, packed without padding.
template <class T>
std::vector<T> Read_Pixels(const KxCGrid& rect, GLenum format, GLenum type)
{
    return KxUtils::Read_Pixels<T>(static_cast<int>(rect.Corners()[0][0]), static_cast<int>(rect.Corners()[0][1]),
                                   static_cast<int>(rect.Width()), static_cast<int>(rect.Height()), format, type);
}

/// The values inside rectangle r of a row-major map `cols` values wide.
std::vector<unsigned int> Crop(const std::vector<unsigned int>& map, int cols, const cv::Rect& r)
{
    std::vector<unsigned int> out;
    out.reserve(static_cast<std::size_t>(r.width) * r.height);
    for (int y = r.y; y < r.y + r.height; ++y) {
        const auto row = map.begin() + static_cast<std::ptrdiff_t>(y) * cols;
        out.insert(out.end(), row + r.x, row + r.x + r.width);
    }
    return out;
}

} // namespace

void KxCStencilMask::Clear()
{
    KxCSampleMask::Clear();
    m_StencilMap.clear();
}

void KxCStencilMask::Draw_Stencil(KxCAppMesh* mesh)
{
    const KxUtils::KxCViewScope view(KxUtils::KxCViewScope::KxEnumView::Captured);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    mesh->Render_Geometry();
    glPopAttrib();
}

bool KxCStencilMask::Create_Specific(KxCAppMesh* mesh, int mode)
{
    if (!mesh || !is_Valid()) {
        Throw_Debug_Msg("KxCStencilMask", "Create_Specific", "Invalid inputs / bounding rectangle");
        return false;
    }
    Draw_Stencil(mesh);
    m_StencilMap = Read_Pixels<unsigned int>(m_Rect, GL_STENCIL_INDEX, GL_UNSIGNED_INT);

    // Object pixels of the loose rectangle, bottom row first.
    const int w = static_cast<int>(m_Rect.Width()), h = static_cast<int>(m_Rect.Height());
    cv::Mat image(h, w, CV_8UC1, cv::Scalar(0));
    std::size_t k = 0;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c, ++k) {
            if (k >= m_StencilMap.size()) {
                Throw_Debug_Msg("KxCStencilMask", "Create_Specific", "Point is out of range");
                continue;
            }
            if (m_StencilMap[k] != 0) image.at<unsigned char>(r, c) = 255;
        }

    m_Contour.is_Multi() = true;
    cv::Rect tight;
    if (!KxCImgProc::InstancePtr()->Find_Bounding_Info(&image, tight, &m_Contour, 0)) {
        Throw_Debug_Msg("KxCStencilMask", "Create_Specific", "Find_Bounding_Info failed.");
        return false;
    }
    m_MaskImage.Image(image(tight).clone());

    const KxUtils::Vec2d lb = m_Rect.Corners()[0] + KxUtils::Vec2d(tight.x, tight.y);
    m_Rect.Create(lb, tight.width, tight.height);
    if (!is_Valid()) {
        Throw_Debug_Msg("KxCStencilMask", "Create_Specific", "Updated bounding rectangle is invalid");
        return false;
    }
    m_Area = static_cast<unsigned int>(cv::countNonZero(*m_MaskImage.Matrix()));
    // The tight rectangle lies inside the loose one: its stencil values are already read.
    m_StencilMap = Crop(m_StencilMap, w, tight);
    m_DepthMap.clear();
    if (mode & Mode_Depth) m_DepthMap = Read_Pixels<float>(m_Rect, GL_DEPTH_COMPONENT, GL_FLOAT);
    return true;
}

bool KxCStencilMask::get_Stencil(double x, double y, unsigned int& out) const
{
    if (m_StencilMap.empty()) {
        Throw_Debug_Msg("KxCStencilMask", "get_Stencil", "No stencil map exist");
        return false;
    }
    const int i = Pixel_Index(x, y);
    if (i < 0 || i >= static_cast<int>(m_StencilMap.size())) return false;
    out = m_StencilMap[i];
    return true;
}

bool KxCStencilMask::Intersect_Mask(double x, double y) const
{
    unsigned int s = 0;
    return get_Stencil(x, y, s) && s != 0;
}

} // namespace OrvaneImage

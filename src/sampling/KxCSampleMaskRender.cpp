// Inspection overlays of a sample mask, drawn in window pixels over the view.
#include "sampling/KxCSampleMask.h"

#include "pipeline/params/KxCMeshProp.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCColorTable.h"
#include "render/KxCViewScope.h"

namespace OrvaneImage {

namespace {

void Colour(const KxUtils::KxCColorTable_RGB::RGBA& c) { glColor3ub(c[0], c[1], c[2]); }

} // namespace

void KxCSampleMask::Render(const KxCSampleMaskProp* prop)
{
    if (!prop) return;
    const KxUtils::KxCViewScope view(KxUtils::KxCViewScope::KxEnumView::Pixels);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_LINE_BIT |
                 GL_POINT_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (prop->Mask()) Render_Mask();
    if (prop->Rectangle()) Render_Rectangle();
    if (prop->Contour()) Render_Contour();
    if (prop->Break()) Render_Segment();
    glPopAttrib();
}

void KxCSampleMask::Render_Mask()
{
    const cv::Mat* mask = m_MaskImage.Matrix();
    if (!mask) return;
    const double x0 = m_Rect.Corners()[0][0], y0 = m_Rect.Corners()[0][1];
    glColor3d(1, 0, 0);
    glPointSize(1);
    glBegin(GL_POINTS);
    for (int r = 0; r < mask->rows; ++r)
        for (int c = 0; c < mask->cols; ++c)
            if (mask->at<unsigned char>(r, c) == 255) glVertex2d(x0 + c, y0 + r);
    glEnd();
}

void KxCSampleMask::Render_Rectangle()
{
    const auto& c = m_Rect.Corners();
    glColor3d(1, 0, 0);
    glBegin(GL_LINE_LOOP);
    glVertex2d(c[0][0], c[0][1]);
    glVertex2d(c[2][0], c[0][1]);
    glVertex2d(c[2][0], c[2][1]);
    glVertex2d(c[0][0], c[2][1]);
    glEnd();
}

void KxCSampleMask::Render_Contour()
{
    const auto& table = *KxUtils::KxCColorTable_RGB::InstancePtr();
    const int x0 = static_cast<int>(m_Rect.Corners()[0][0]), y0 = static_cast<int>(m_Rect.Corners()[0][1]);
    glLineWidth(2);
    glPointSize(1);
    glBegin(GL_POINTS);
    for (KxCLineSeg* seg : m_Contour.Contours()) {
        const auto& pts = seg->Points();
        const bool mags = seg->has_Mags();
        for (std::size_t i = 0; i < pts.size(); ++i) {
            Colour(table.get_Interpolate(mags ? seg->Magnitudes()[i] : static_cast<double>(i) / pts.size()));
            glVertex2i(x0 + pts[i][0], y0 + pts[i][1]);
        }
    }
    glEnd();
}

void KxCSampleMask::Render_Segment()
{
    auto& contours = m_Contour.Contours();
    auto& segments = m_Contour.Segments();
    if (contours.size() != segments.size()) return;
    const int x0 = static_cast<int>(m_Rect.Corners()[0][0]), y0 = static_cast<int>(m_Rect.Corners()[0][1]);
    for (std::size_t k = 0; k < contours.size(); ++k) {
        const auto& pts = contours[k]->Points();
        for (KxCIdxSeg* seg : segments[k]) {
            const auto& idx = seg->Indices();
            for (std::size_t j = 0; j < idx.size(); ++j) {
                const bool first = j == 0, last = j + 1 == idx.size();
                // Point sizes cannot change inside glBegin, so each point is its own batch.
                glPointSize(first || last ? 5.0f : 1.0f);
                if (first) glColor3ub(255, 0, 0);
                else if (last) glColor3ub(0, 255, 0);
                else glColor3ub(128, 0, 255);
                glBegin(GL_POINTS);
                const auto& p = pts[static_cast<std::size_t>(idx[j]) % pts.size()];
                glVertex2i(x0 + p[0], y0 + p[1]);
                glEnd();
            }
        }
    }
}

} // namespace OrvaneImage

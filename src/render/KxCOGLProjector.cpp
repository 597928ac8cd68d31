#include "render/KxCOGLProjector.h"

#include "pipeline/util/KxOGL.h"

namespace KxUtils {

void KxCOGLProjector::Init_Project()
{
    if (!m_Project_Locked) {
        glGetIntegerv(GL_VIEWPORT, m_Viewport.data());
        glGetDoublev(GL_PROJECTION_MATRIX, m_Projection.data());
    }
    if (!m_View_Locked) glGetDoublev(GL_MODELVIEW_MATRIX, m_Modelview.data());
}

void KxCOGLProjector::Init_UnProject()
{
    Init_Project();
    const int w = m_Viewport[2], h = m_Viewport[3];
    m_Depth.assign(static_cast<std::size_t>(w > 0 ? w : 0) * static_cast<std::size_t>(h > 0 ? h : 0), 0.0f);
    if (m_Depth.empty()) return;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(m_Viewport[0], m_Viewport[1], w, h, GL_DEPTH_COMPONENT, GL_FLOAT, m_Depth.data());
    glPopClientAttrib();
}

float KxCOGLProjector::Depth(int x, int y) const
{
    if (m_Depth.empty()) return 0.0f;
    const std::size_t i = static_cast<std::size_t>(y - m_Viewport[1]) * static_cast<std::size_t>(m_Viewport[2]) +
                          static_cast<std::size_t>(x - m_Viewport[0]);
    return m_Depth[i];
}

void KxCOGLProjector::Project(double x, double y, double z, double out[3]) const
{
    Project(x, y, z, &out[0], &out[1], &out[2]);
}

void KxCOGLProjector::Project(double x, double y, double z, double* wx, double* wy, double* wz) const
{
    gluProject(x, y, z, m_Modelview.data(), m_Projection.data(), m_Viewport.data(), wx, wy, wz);
}

void KxCOGLProjector::UnProject(double wx, double wy, double out[3]) const
{
    UnProject(wx, wy, Depth(static_cast<int>(wx), static_cast<int>(wy)), out);
}

void KxCOGLProjector::UnProject(double wx, double wy, double wz, double out[3]) const
{
    UnProject(wx, wy, wz, &out[0], &out[1], &out[2]);
}

void KxCOGLProjector::UnProject(double wx, double wy, double wz, double* x, double* y, double* z) const
{
    gluUnProject(wx, wy, wz, m_Modelview.data(), m_Projection.data(), m_Viewport.data(), x, y, z);
}

} // namespace KxUtils

#include "render/KxCViewScope.h"

#include "pipeline/util/KxOGL.h"
#include "render/KxCOGLProjector.h"

namespace KxUtils {

KxCViewScope::KxCViewScope(KxEnumView view)
{
    auto& projector = *KxCOGLProjector::InstancePtr();
    const auto& vp = projector.Viewport();
    glViewport(vp[0], vp[1], vp[2], vp[3]);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    if (view == KxEnumView::Captured) glLoadMatrixd(projector.ProjectionMatrix().data());
    else gluOrtho2D(0.0, vp[2], 0.0, vp[3]);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (view == KxEnumView::Captured) glLoadMatrixd(projector.ModelviewMatrix().data());
}

KxCViewScope::~KxCViewScope()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

} // namespace KxUtils

#include "render/KxCLight.h"

#include "pipeline/util/KxOGL.h"

namespace KxUtils {

void KxCLight::Update(const double m[16])
{
    m_Matrix = KxCMatrix4d(m);
    const Vec3d t(m[12], m[13], m[14]);
    // Column c of R^T is row c of R, i.e. (m[c], m[c+4], m[c+8]).
    for (int r = 0; r < 3; ++r) m_Light_Pos[r] = -(m[r * 4] * t[0] + m[r * 4 + 1] * t[1] + m[r * 4 + 2] * t[2]);
    m_Up_Vec = Normalized(Vec3d(m[1], m[5], m[9]));
    m_Light_Vec = Normalized(Vec3d(-m[2], -m[6], -m[10]));
}

void KxCLight::Render() const
{
    glPushAttrib(GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glColor3d(0.7, 0.7, 0.7);
    GLUquadric* sphere = gluNewQuadric();
    gluSphere(sphere, 1.0, 30, 30);
    gluDeleteQuadric(sphere);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

} // namespace KxUtils

#include "composition/KxGridDrawing.h"

#include <cmath>

#include "composition/KxCGrid.h"
#include "pipeline/util/KxOGL.h"

namespace OrvaneImage {

KxCTextureSetup::KxCTextureSetup()
{
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_TEXTURE_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    // Grids are drawn at one depth; later ones must still land over earlier ones.
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // The transparent texels around a splat's ink must leave the picture as it is.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor3ub(255, 255, 255);
}

KxCTextureSetup::~KxCTextureSetup() { glPopAttrib(); }

KxCOutlineSetup::KxCOutlineSetup(float r, float g, float b)
{
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor3f(r, g, b);
}

KxCOutlineSetup::~KxCOutlineSetup() { glPopAttrib(); }

void Apply_XForm(const KxCGrid& grid)
{
    const KxUtils::Vec2d& c = grid.Center();
    const KxCXForm& xf = grid.XForm();
    glTranslated(c[0] + xf.m_Move[0], c[1] + xf.m_Move[1], 0.0);
    glRotated(xf.m_Angle, 0.0, 0.0, 1.0);
    glTranslated(-c[0], -c[1], 0.0);
}

KxUtils::Vec2d XForm_Point(const KxCGrid& grid, const KxUtils::Vec2d& v)
{
    const KxUtils::Vec2d& c = grid.Center();
    const KxCXForm& xf = grid.XForm();
    const double a = xf.m_Angle * M_PI / 180.0;
    const double dx = v[0] - c[0], dy = v[1] - c[1];
    return KxUtils::Vec2d(c[0] + xf.m_Move[0] + std::cos(a) * dx - std::sin(a) * dy,
                          c[1] + xf.m_Move[1] + std::sin(a) * dx + std::cos(a) * dy);
}

} // namespace OrvaneImage

// Drawing of a splat container: the textured patches in the caller's camera,
// then the markers (surface centres as spheres in the same camera, window
// centres and rectangles in window pixels).
#include "analysis/KxCAppMesh.h"
#include "pipeline/params/KxCMeshProp.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxCViewScope.h"
#include "splats/KxCDecalCntr.h"
#include "splats/KxDecalDrawing.h"

namespace OrvaneImage {

namespace {

/// Every visible, drawable splat, textured and blended over what is drawn.
void Render_Patches(const std::vector<KxCDecal*>& decals)
{
    const KxCDecalDrawState state;
    // Splats lie on the surface: pulling them forward keeps the mesh from hiding them.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1.0f, -1.0f);
    glDepthFunc(GL_LEQUAL);
    for (KxCDecal* d : decals)
        if (d && is_Drawable(*d)) Draw_Decal(*d);
}

} // namespace

void KxCDecalCntr::Render(KxCAppMesh* mesh, const KxCDecalCntrProp* prop)
{
    if (!mesh || !prop) return;

    // The splats.
    if (prop->Decal()) Render_Patches(m_Decals);

    // Marker size and saved state. Without a bounding box there is no scale for the
    // surface markers, so the spheres are left out; the window-space markers still show.
    const auto* box = mesh->get_AABB();
    const bool has_box = box != nullptr;
    const double r = has_box ? 0.005 * box->Diagonal().norm() : 0.0;
    GLUquadric* quadric = gluNewQuadric();
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_POINT_BIT);

    // Surface centres, lit, in the caller's camera.
    if (prop->Point3D() && has_box && quadric) {
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glColor3ub(255, 246, 143);
        for (KxCDecal* d : m_Decals) {
            if (!d || !d->Visible()) continue;
            const auto& c = d->Point3D();
            glPushMatrix();
            glTranslated(c[0], c[1], c[2]);
            gluSphere(quadric, r, 10, 10);
            glPopMatrix();
        }
    }

    {
        // Window pixels: the projector's viewport, 2D projection, identity model-view.
        const KxUtils::KxCViewScope pixels(KxUtils::KxCViewScope::KxEnumView::Pixels);

        // Window centres.
        if (prop->Point2D()) {
            glDisable(GL_DEPTH_TEST);
            glDisable(GL_LIGHTING);
            glPointSize(5.0f);
            glColor3ub(255, 0, 0);
            glBegin(GL_POINTS);
            for (KxCDecal* d : m_Decals)
                if (d && d->Visible()) glVertex2d(d->Point2D()[0], d->Point2D()[1]);
            glEnd();
        }

        // Rectangles: red for boundary splats when the Boundary switch is on, else blue.
        if (prop->Rectangle()) {
            glDisable(GL_LIGHTING);
            glDisable(GL_DEPTH_TEST);
            glDisable(GL_CULL_FACE);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            for (KxCDecal* d : m_Decals) {
                if (!d || !d->Visible()) continue;
                if (prop->Boundary() && d->Boundary()) glColor3d(1.0, 0.0, 0.0);
                else glColor3d(0.0, 0.0, 1.0);
                const auto& c = d->Rectangle().Corners();
                glBegin(GL_QUADS);
                for (int i = 0; i < 4; ++i) glVertex2d(c[i][0], c[i][1]);
                glEnd();
            }
        }
    }
    glPopAttrib();
    if (quadric) gluDeleteQuadric(quadric);
}

} // namespace OrvaneImage

#include "splats/KxDecalDrawing.h"

#include "pipeline/util/KxOGL.h"
#include "splats/KxCDecal.h"

namespace OrvaneImage {

// The patch arrays are handed to OpenGL as tightly packed doubles.
static_assert(sizeof(KxUtils::Vec3d) == 3 * sizeof(double), "Vec3d must be three packed doubles");
static_assert(sizeof(KxUtils::Vec2d) == 2 * sizeof(double), "Vec2d must be two packed doubles");

KxCDecalDrawState::KxCDecalDrawState()
{
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT |
                 GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor3ub(255, 255, 255);
}

KxCDecalDrawState::~KxCDecalDrawState()
{
    glPopAttrib();
    glPopClientAttrib();
}

bool is_Drawable(KxCDecal& decal) { return decal.Visible() && decal.is_Patch_Ready() && decal.is_Texture_Ready(); }

void Draw_Decal(KxCDecal& decal)
{
    glBindTexture(GL_TEXTURE_2D, decal.TextureID());
    glVertexPointer(3, GL_DOUBLE, 0, decal.VertexArray().data());
    glTexCoordPointer(2, GL_DOUBLE, 0, decal.TexCoordArray().data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(decal.FaceArray().size()), GL_UNSIGNED_INT,
                   decal.FaceArray().data());
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace OrvaneImage

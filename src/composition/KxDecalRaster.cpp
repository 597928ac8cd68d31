#include "composition/KxDecalRaster.h"

#include <vector>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGrid.h"
#include "pipeline/util/KxOGL.h"
#include "render/KxReadPixels.h"
#include "splats/KxCDecal.h"

namespace OrvaneImage {

KxCRasterScope::KxCRasterScope() { glClearColor(1.0f, 1.0f, 1.0f, 1.0f); }

bool is_Eligible(KxCDecal& decal) { return is_Drawable(decal) && decal.Rectangle().is_Valid(); }

cv::Mat Draw_Alone(KxCDecal& decal)
{
    const KxCGrid& r = decal.Rectangle();
    const int x = static_cast<int>(r.Corners()[0][0]), y = static_cast<int>(r.Corners()[0][1]);
    const int w = static_cast<int>(r.Width()), h = static_cast<int>(r.Height());
    // Only the rectangle is read, so only it needs clearing and drawing: a full
    // clear per splat would cost more than the draw itself.
    glPushAttrib(GL_SCISSOR_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, w, h);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Draw_Decal(decal);
    glPopAttrib();
    return KxUtils::Read_Red(x, y, w, h);
}

cv::Mat Draw_Merged(const std::vector<KxCDecal*>& decals, const KxCGrid& rect)
{
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1.0f, -1.0f);
    glDepthFunc(GL_LEQUAL);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (KxCDecal* d : decals)
        if (d && is_Eligible(*d)) Draw_Decal(*d);
    return KxUtils::Read_Red(static_cast<int>(rect.Corners()[0][0]), static_cast<int>(rect.Corners()[0][1]),
                             static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
}

void Make_Texture(KxCDecalGrid& grid)
{
    const int w = static_cast<int>(grid.Width()), h = static_cast<int>(grid.Height());
    // Transparent white around opaque black ink.
    std::vector<cv::Vec4b> texels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), cv::Vec4b(255, 255, 255, 0));
    for (const auto& p : grid.Points()) {
        const long long i = static_cast<long long>(p[1]) * w + p[0];
        if (i >= 0 && i < static_cast<long long>(texels.size())) texels[i] = cv::Vec4b(0, 0, 0, 255);
    }

    if (grid.TextureID() != 0 && !grid.Share_Texture()) {
        const GLuint old = grid.TextureID();
        glDeleteTextures(1, &old);
    }
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLfloat border[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, 0);
    grid.TextureID() = id;
}

} // namespace OrvaneImage

#pragma once
// The splat texture's picture: an opaque black disc on transparent white
// whose edge fades over one pixel, so splats draw a round blob with a soft
// rim; and the upload of such RGBA pictures as textures for tests and benchmarks.
#include <cmath>
#include <vector>

#include "pipeline/util/KxOGL.h"

namespace KxTools {

/// size x size RGBA bytes, bottom row first: black with alpha 255 inside a disc
/// of radius size / 2 - 1 about the centre, alpha falling to 0 across one pixel
/// at its edge (colour black wherever alpha is not 0), white with alpha 0 outside.
inline std::vector<unsigned char> Disc_RGBA(int size)
{
    std::vector<unsigned char> texels;
    texels.reserve(static_cast<std::size_t>(size) * size * 4);
    const double c = size * 0.5, r = c - 1.0;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            const double d = std::hypot(i + 0.5 - c, j + 0.5 - c);
            const double a = d <= r - 0.5 ? 1.0 : d >= r + 0.5 ? 0.0 : r + 0.5 - d;
            const unsigned char v = a > 0 ? 0 : 255;
            texels.insert(texels.end(), {v, v, v, static_cast<unsigned char>(a * 255 + 0.5)});
        }
    return texels;
}

/// A size x size RGBA texture from texels (bottom row first) with the given
/// minifying and magnifying filter; returns its name. Needs a current context.
inline unsigned int Upload_RGBA(int size, const std::vector<unsigned char>& texels, int filter)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return id;
}

/// The disc as a linearly filtered texture; returns its name. Needs a current context.
inline unsigned int Disc_Texture(int size = 64) { return Upload_RGBA(size, Disc_RGBA(size), GL_LINEAR); }

} // namespace KxTools

#pragma once
// A splat texture: one picture file, decoded once, turned into OpenGL texture
// objects on request. Texture t = 0 is the bottom of the picture. Only 8-bit
// RGB and 8-bit RGBA pictures upload; sides that are not powers of two are
// scaled to the power of two below the next one up. A JdTexture never deletes
// the texture objects it makes: whoever takes a name owns it.
#include <string>

#include <opencv2/core.hpp>

namespace JdImage {

class JdTexture {
public:
    /// Decodes the picture file as stored (colour order BGR(A), channels and depth
    /// unchanged); a file that is missing or no picture tells the user and leaves no bitmap.
    explicit JdTexture(const std::string& file);

    /// True when the file was decoded.
    bool has_Bitmap() const { return !m_Bitmap.empty(); }
    /// True when the last successful upload carried an alpha channel.
    bool is_Alpha() const { return m_Alpha; }
    /// Name of the last texture object made, 0 before any upload succeeded.
    unsigned int Texture_Name() const { return m_Texture_Name; }
    /// The decoded picture, top row first, as the file stores it (empty when decoding failed).
    const cv::Mat& Bitmap() const { return m_Bitmap; }

    /// A new texture object, linearly filtered and repeating; its name, or 0 on failure.
    /// Needs a current context.
    unsigned int JdGenTextures();
    /// A new texture object with the given filters and wrap modes; its name, or 0 on failure.
    /// Needs a current context.
    unsigned int JdGenTextures(int min_filter, int mag_filter, int wrap_s, int wrap_t);
    /// Uploads the bitmap as a new 2D texture (level 0 alone for a GL_LINEAR or GL_NEAREST
    /// minifying filter, a mipmap chain otherwise) and remembers its name; returns the name.
    /// Returns 0 when there is no bitmap, and 0 with a message to the user when the pixel
    /// format is not 8-bit RGB or RGBA or the picture is too large. Leaves texture 0 bound.
    /// Needs a current context.
    unsigned int JdBindTextures(int min_filter, int mag_filter, int wrap_s, int wrap_t);

private:
    cv::Mat m_Bitmap;
    bool m_Alpha = false;
    unsigned int m_Texture_Name = 0;
};

} // namespace JdImage

#include "render/JdTexture.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "pipeline/util/KxOGL.h"
#include "pipeline/util/KxUserMessage.h"

namespace JdImage {

namespace {

/// A readable name of a picture's pixel format: "8-bit 1-channel", "16-bit 3-channel", ...
std::string Format_Name(const cv::Mat& m)
{
    static const char* const depths[] = {"8-bit",         "8-bit signed", "16-bit",       "16-bit signed",
                                         "32-bit signed", "32-bit float", "64-bit float", "16-bit float"};
    const int d = m.depth();
    const std::string depth = d < static_cast<int>(std::size(depths)) ? depths[d] : "depth " + std::to_string(d);
    return depth + " " + std::to_string(m.channels()) + "-channel";
}

void Report_Unsupported(const cv::Mat& m)
{
    const std::string name = Format_Name(m);
    std::cout << "Unsupport PixelFormat !" << std::endl << "Pixel format: " << name << std::endl;
    Show_User_Message("Unsupport PixelFormat !: " + name + " \nCheck the Pixel format to this image file.");
}

/// Bytes in a row of w pixels of n bytes each, padded to a multiple of 4.
std::size_t Row_Bytes(int w, int n) { return (static_cast<std::size_t>(w) * n + 3) / 4 * 4; }

/// The pixels bottom row first in the order red, green, blue (alpha), rows padded to 4 bytes.
std::vector<unsigned char> Texel_Rows(const cv::Mat& bgr)
{
    cv::Mat rows;
    cv::flip(bgr, rows, 0);
    cv::cvtColor(rows, rows, bgr.channels() == 4 ? cv::COLOR_BGRA2RGBA : cv::COLOR_BGR2RGB);
    const std::size_t used = static_cast<std::size_t>(rows.cols) * rows.channels();
    const std::size_t stride = Row_Bytes(rows.cols, rows.channels());
    std::vector<unsigned char> out(stride * rows.rows);
    for (int y = 0; y < rows.rows; ++y) std::copy_n(rows.ptr(y), used, out.data() + y * stride);
    return out;
}

/// The smallest power of two not below n, and at least 2.
int Power_Of_Two_Above(int n)
{
    int p = 2;
    while (p < n) p *= 2;
    return p;
}

/// The texture size of a picture: its own when both sides are powers of two (2 at least),
/// else half the powers of two above its sides, so large pictures shrink instead of growing.
cv::Size Texture_Size(const cv::Size& picture)
{
    const cv::Size up(Power_Of_Two_Above(picture.width), Power_Of_Two_Above(picture.height));
    return up == picture ? up : cv::Size(up.width / 2, up.height / 2);
}

/// Whether a texture of the given size fits the current context; tells the user when not.
bool Fits_Context(const cv::Size& size, const cv::Size& picture)
{
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    if (std::max(size.width, size.height) <= max_size) return true;
    Show_User_Message("The image is too large for a texture: " + std::to_string(picture.width) + " x " +
                      std::to_string(picture.height) + " pixels.");
    return false;
}

/// Sets 4-byte pack and unpack alignment for the life of the object, then restores both:
/// the texel rows are padded to 4 bytes, and gluScaleImage writes with the pack setting.
class KxCRowAlignment {
public:
    KxCRowAlignment()
    {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &m_Unpack);
        glGetIntegerv(GL_PACK_ALIGNMENT, &m_Pack);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
    }
    ~KxCRowAlignment()
    {
        glPixelStorei(GL_UNPACK_ALIGNMENT, m_Unpack);
        glPixelStorei(GL_PACK_ALIGNMENT, m_Pack);
    }
    KxCRowAlignment(const KxCRowAlignment&) = delete;
    KxCRowAlignment& operator=(const KxCRowAlignment&) = delete;

private:
    GLint m_Unpack = 4;
    GLint m_Pack = 4;
};

/// Texel rows of size `from` scaled to size `to`, or empty when GLU fails.
std::vector<unsigned char> Scaled(const std::vector<unsigned char>& texels, const cv::Size& from, const cv::Size& to,
                                  GLenum format, int channels)
{
    std::vector<unsigned char> out(Row_Bytes(to.width, channels) * to.height);
    const GLint error = gluScaleImage(format, from.width, from.height, GL_UNSIGNED_BYTE, texels.data(), to.width,
                                      to.height, GL_UNSIGNED_BYTE, out.data());
    if (error != 0) out.clear();
    return out;
}

void Set_Parameters(int min_filter, int mag_filter, int wrap_s, int wrap_t)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap_s);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap_t);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min_filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag_filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

/// Loads the bound texture: level 0 alone when the minifying filter reads no mipmaps,
/// else the whole chain. Returns a GLU error code, 0 on success.
GLint Upload(const std::vector<unsigned char>& texels, const cv::Size& size, GLenum format, int min_filter)
{
    if (min_filter == GL_LINEAR || min_filter == GL_NEAREST) {
        glTexImage2D(GL_TEXTURE_2D, 0, format, size.width, size.height, 0, format, GL_UNSIGNED_BYTE, texels.data());
        return 0;
    }
    return gluBuild2DMipmaps(GL_TEXTURE_2D, format, size.width, size.height, format, GL_UNSIGNED_BYTE, texels.data());
}

} // namespace

JdTexture::JdTexture(const std::string& file)
{
    // The decoder logs its own warning for a missing file; the user message says it better.
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        try {
            m_Bitmap = cv::imread(file, cv::IMREAD_UNCHANGED);
        } catch (const cv::Exception&) {
            m_Bitmap.release(); // a damaged file the decoder gives up on: reported below like any other
        }
    }
    if (m_Bitmap.empty())
        Show_User_Message("There was an error in " + file + ". \nCheck the path to the image file. (or Image Format)");
}

unsigned int JdTexture::JdGenTextures() { return JdGenTextures(GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT); }

unsigned int JdTexture::JdGenTextures(int min_filter, int mag_filter, int wrap_s, int wrap_t)
{
    return JdBindTextures(min_filter, mag_filter, wrap_s, wrap_t);
}

unsigned int JdTexture::JdBindTextures(int min_filter, int mag_filter, int wrap_s, int wrap_t)
{
    if (!has_Bitmap()) return 0;
    const int channels = m_Bitmap.channels();
    if (m_Bitmap.depth() != CV_8U || (channels != 3 && channels != 4)) {
        Report_Unsupported(m_Bitmap);
        return 0;
    }
    const GLenum format = channels == 4 ? GL_RGBA : GL_RGB;
    const cv::Size size = Texture_Size(m_Bitmap.size());
    if (!Fits_Context(size, m_Bitmap.size())) return 0;
    const KxCRowAlignment alignment;
    std::vector<unsigned char> texels = Texel_Rows(m_Bitmap);
    if (size != m_Bitmap.size()) texels = Scaled(texels, m_Bitmap.size(), size, format, channels);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    Set_Parameters(min_filter, mag_filter, wrap_s, wrap_t);
    const GLint error = texels.empty() ? GLU_OUT_OF_MEMORY : Upload(texels, size, format, min_filter);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (error != 0) {
        glDeleteTextures(1, &name); // never handed out
        Show_User_Message(std::string("The texture could not be made: ") +
                          reinterpret_cast<const char*>(gluErrorString(error)));
        return 0;
    }
    m_Alpha = channels == 4;
    m_Texture_Name = name;
    return name;
}

} // namespace JdImage

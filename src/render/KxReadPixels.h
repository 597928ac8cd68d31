#pragma once
// Reading pixels of the current read buffer back to the CPU, bottom row
// first and packed without row padding.
#include <cstddef>
#include <vector>

#include <opencv2/core.hpp>

#include "pipeline/util/KxOGL.h"

namespace KxUtils {

/// The w x h block whose lower-left pixel is (x, y), one T per pixel in the given format and type.
template <class T>
std::vector<T> Read_Pixels(int x, int y, int w, int h, GLenum format, GLenum type)
{
    std::vector<T> out(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, format, type, out.data());
    return out;
}

/// The red channel of the w x h block whose lower-left pixel is (x, y), as an
/// 8-bit image whose row 0 is the block's bottom row.
cv::Mat Read_Red(int x, int y, int w, int h);

/// The w x h block whose lower-left pixel is (x, y) as a colour picture the way files
/// store it: 8-bit blue, green, red, top row first.
cv::Mat Read_Picture(int x, int y, int w, int h);

} // namespace KxUtils

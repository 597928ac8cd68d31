#include "render/KxReadPixels.h"

#include <opencv2/core.hpp>

namespace KxUtils {

cv::Mat Read_Red(int x, int y, int w, int h)
{
    cv::Mat out(h, w, CV_8UC1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RED, GL_UNSIGNED_BYTE, out.data);
    return out;
}

cv::Mat Read_Picture(int x, int y, int w, int h)
{
    cv::Mat bottom_first(h, w, CV_8UC3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_BGR, GL_UNSIGNED_BYTE, bottom_first.data);
    cv::Mat out;
    cv::flip(bottom_first, out, 0);
    return out;
}

} // namespace KxUtils

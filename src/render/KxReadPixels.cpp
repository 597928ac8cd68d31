#include "render/KxReadPixels.h"

namespace KxUtils {

cv::Mat Read_Red(int x, int y, int w, int h)
{
    cv::Mat out(h, w, CV_8UC1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RED, GL_UNSIGNED_BYTE, out.data);
    return out;
}

} // namespace KxUtils

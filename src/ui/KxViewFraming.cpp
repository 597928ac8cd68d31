#include "ui/KxViewFraming.h"

#include <algorithm>
#include <cmath>

namespace KxOGLPanel {

void Frame_Box(KxOGLPanelControl& panel, const Vec3d& lo, const Vec3d& hi, double yaw, double pitch, double fill)
{
    const double rad = M_PI / 180.0;
    const Vec3d centre = (lo + hi) * 0.5;
    const Vec3d back(std::sin(yaw * rad) * std::cos(pitch * rad), std::sin(pitch * rad),
                     std::cos(yaw * rad) * std::cos(pitch * rad));
    const Vec3d side = KxUtils::Normalized(Vec3d(0, 1, 0) % back);
    const Vec3d up = back % side;
    KxCCamera& camera = panel.Camera();
    const double tan_y = std::tan(camera.Fov * rad * 0.5) * fill / camera.Zoom;
    const double aspect = panel.Height() > 0 ? static_cast<double>(panel.Width()) / panel.Height() : 1.0;
    // The nearest distance at which every corner lies inside the filled share of the view.
    double distance = 0.0;
    for (int i = 0; i < 8; ++i) {
        const Vec3d corner(i & 1 ? hi[0] : lo[0], i & 2 ? hi[1] : lo[1], i & 4 ? hi[2] : lo[2]);
        const Vec3d d = corner - centre;
        const double toward = d | back;
        distance = std::max({distance, toward + std::abs(d | up) / tan_y, toward + std::abs(d | side) / (tan_y * aspect)});
    }
    const double radius = (hi - lo).norm() * 0.5;
    const Vec3d eye = centre + back * distance;
    panel.Look_At(eye[0], eye[1], eye[2], centre[0], centre[1], centre[2], up[0], up[1], up[2]);
    panel.Trackball() = KxCTrackball{};
    camera.Near = std::max(1e-3, 0.5 * (distance - radius));
    camera.Far = distance + 4.0 * radius + 1.0;
}

} // namespace KxOGLPanel

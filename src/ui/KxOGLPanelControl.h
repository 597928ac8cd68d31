#pragma once
// What the system needs of an OpenGL view: a context it can make current, a
// camera (perspective, looking at a centre) and a trackball pose that set the
// projection and model-view before each paint, a back colour the paint clears
// to, a paint handler, and the pose saved to and read from view files.
// Implementations: a headless panel (EGL, no display) and the desktop window's panel.
#include <array>
#include <functional>
#include <string>

#include "pipeline/util/KxMath.h"

namespace KxOGLPanel {

using KxUtils::KxCMatrix4d;
using KxUtils::Vec3d;

/// Perspective camera looking from Eye at Center. Zoom narrows the field of view.
struct KxCCamera {
    Vec3d Eye{0, 0, 1};
    Vec3d Center{0, 0, 0};
    Vec3d Up{0, 1, 0};
    double Fov = 45.0; ///< vertical field of view in degrees
    double Near = 0.001;
    double Far = 1000.0;
    double Zoom = 1.0;
};

/// The pose the user gives the view: a rotation about the camera's centre
/// (unit quaternion w, x, y, z, axes of the camera's frame) and a pan in eye coordinates.
struct KxCTrackball {
    std::array<double, 4> Rotation{1, 0, 0, 0};
    Vec3d Translation{0, 0, 0};
};

class KxOGLPanelControl {
public:
    using Paint_Handler = std::function<void()>;
    using Resize_Handler = std::function<void(int width, int height)>;

    virtual ~KxOGLPanelControl() = default;

    /// Makes the view's context (and its frame buffer) current on the calling thread.
    virtual bool Make_Current() = 0;
    /// Asks for a paint event; the headless panel paints at once.
    virtual void Repaint() = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    /// Sets the camera's eye, centre and up direction.
    void Look_At(double ex, double ey, double ez, double cx, double cy, double cz, double ux, double uy, double uz);
    KxCCamera& Camera() { return m_Camera; }
    KxCTrackball& Trackball() { return m_Trackball; }
    const KxCCamera& Camera() const { return m_Camera; }
    const KxCTrackball& Trackball() const { return m_Trackball; }
    void set_Back_Color(float r, float g, float b, float a = 1.0f) { m_Back_Color = {r, g, b, a}; }
    const std::array<float, 4>& Back_Color() const { return m_Back_Color; }
    void set_Paint_Handler(Paint_Handler h) { m_Paint = std::move(h); }
    void set_Resize_Handler(Resize_Handler h) { m_Resize = std::move(h); }

    /// The model-view matrix of camera and trackball (column-major).
    KxCMatrix4d Modelview_Matrix() const;
    /// The projection matrix for the view's current aspect ratio (column-major).
    KxCMatrix4d Projection_Matrix() const;

    /// Replaces camera and trackball with the pose stored in a view file; false
    /// (view unchanged) when the file is missing or not a complete view file.
    bool Read_Modelview(const std::string& file);
    /// Writes camera and trackball so that Read_Modelview restores them exactly.
    bool Save_Modelview(const std::string& file) const;

protected:
    /// One paint: viewport, matrices, the fixed drawing state, clear to the
    /// back colour (colour, depth and stencil), then the paint handler.
    void Paint_Frame();
    void Notify_Resize(int width, int height);

private:
    KxCCamera m_Camera;
    KxCTrackball m_Trackball;
    std::array<float, 4> m_Back_Color{1, 1, 1, 1};
    Paint_Handler m_Paint;
    Resize_Handler m_Resize;
};

} // namespace KxOGLPanel

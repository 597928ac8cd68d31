#pragma once
// The camera of the OpenGL view as read at one moment: every generation step
// projects and unprojects with the stored viewport and matrices, whatever the
// GL matrices are when it runs.
#include <array>
#include <vector>

#include "pipeline/util/KxCSingleton.h"

namespace KxUtils {

class KxCOGLProjector : public KxCSingleton<KxCOGLProjector> {
public:
    /// Reads viewport and projection unless Project_Locked, the model-view unless View_Locked.
    void Init_Project();
    /// Init_Project, then reads the depth buffer of the viewport (bottom row first).
    void Init_UnProject();
    /// Depth of window pixel (x, y); 0 when no depth was read. The pixel must lie in the viewport.
    float Depth(int x, int y) const;

    /// Object point to window coordinates (x, y in pixels, z depth in [0, 1]).
    void Project(double x, double y, double z, double out[3]) const;
    void Project(double x, double y, double z, double* wx, double* wy, double* wz) const;
    /// Window point to object space, with the depth read by Init_UnProject.
    void UnProject(double wx, double wy, double out[3]) const;
    /// Window point with the given depth to object space.
    void UnProject(double wx, double wy, double wz, double out[3]) const;
    void UnProject(double wx, double wy, double wz, double* x, double* y, double* z) const;

    std::array<int, 4>& Viewport() { return m_Viewport; }
    std::array<double, 16>& ProjectionMatrix() { return m_Projection; }
    std::array<double, 16>& ModelviewMatrix() { return m_Modelview; }
    bool& Project_Locked() { return m_Project_Locked; }
    bool& View_Locked() { return m_View_Locked; }
    const std::vector<float>& Depth_Buffer() const { return m_Depth; }

private:
    std::vector<float> m_Depth;
    std::array<int, 4> m_Viewport{0, 0, 0, 0};
    std::array<double, 16> m_Projection{};
    std::array<double, 16> m_Modelview{};
    bool m_Project_Locked = false;
    bool m_View_Locked = false;
};

} // namespace KxUtils

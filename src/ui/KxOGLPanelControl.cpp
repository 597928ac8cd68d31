#include "ui/KxOGLPanelControl.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <locale>
#include <sstream>

#include "pipeline/util/KxOGL.h"

namespace KxOGLPanel {

namespace {

KxCMatrix4d Look_At_Matrix(const KxCCamera& c)
{
    const Vec3d f = KxUtils::Normalized(c.Center - c.Eye);
    const Vec3d s = KxUtils::Normalized(f % c.Up);
    const Vec3d u = s % f;
    KxCMatrix4d m;
    for (int i = 0; i < 3; ++i) {
        m(0, i) = s[i];
        m(1, i) = u[i];
        m(2, i) = -f[i];
    }
    return m * KxCMatrix4d::Translation(-c.Eye);
}

KxCMatrix4d Quaternion_Matrix(const std::array<double, 4>& q)
{
    const double w = q[0], x = q[1], y = q[2], z = q[3];
    KxCMatrix4d m;
    m(0, 0) = 1 - 2 * (y * y + z * z); m(0, 1) = 2 * (x * y - w * z);     m(0, 2) = 2 * (x * z + w * y);
    m(1, 0) = 2 * (x * y + w * z);     m(1, 1) = 1 - 2 * (x * x + z * z); m(1, 2) = 2 * (y * z - w * x);
    m(2, 0) = 2 * (x * z - w * y);     m(2, 1) = 2 * (y * z + w * x);     m(2, 2) = 1 - 2 * (x * x + y * y);
    return m;
}

// The camera frame's rotation part (view axes in object space) as a pure rotation.
KxCMatrix4d Rotation_Part(const KxCMatrix4d& m)
{
    KxCMatrix4d r = m;
    r(0, 3) = r(1, 3) = r(2, 3) = 0.0;
    return r;
}

KxCMatrix4d Transposed(const KxCMatrix4d& m)
{
    KxCMatrix4d t;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) t(r, c) = m(c, r);
    return t;
}

} // namespace

void KxOGLPanelControl::Look_At(double ex, double ey, double ez, double cx, double cy, double cz, double ux, double uy,
                                double uz)
{
    m_Camera.Eye = Vec3d(ex, ey, ez);
    m_Camera.Center = Vec3d(cx, cy, cz);
    m_Camera.Up = Vec3d(ux, uy, uz);
}

KxCMatrix4d KxOGLPanelControl::Modelview_Matrix() const
{
    // The trackball turns the object about the camera's centre, about axes of
    // the camera's own frame, and then pans in eye coordinates.
    const KxCMatrix4d view = Look_At_Matrix(m_Camera);
    const KxCMatrix4d frame = Rotation_Part(view);
    const KxCMatrix4d turn = Transposed(frame) * Quaternion_Matrix(m_Trackball.Rotation) * frame;
    return KxCMatrix4d::Translation(m_Trackball.Translation) * view * KxCMatrix4d::Translation(m_Camera.Center) * turn *
           KxCMatrix4d::Translation(-m_Camera.Center);
}

KxCMatrix4d KxOGLPanelControl::Projection_Matrix() const
{
    const double aspect = Height() > 0 ? static_cast<double>(Width()) / Height() : 1.0;
    const double f = 1.0 / std::tan(m_Camera.Fov * M_PI / 360.0);
    const double n = m_Camera.Near, fa = m_Camera.Far;
    KxCMatrix4d p;
    p(0, 0) = f / aspect * m_Camera.Zoom;
    p(1, 1) = f * m_Camera.Zoom;
    p(2, 2) = (fa + n) / (n - fa);
    p(2, 3) = 2 * fa * n / (n - fa);
    p(3, 2) = -1.0;
    p(3, 3) = 0.0;
    return p;
}

void KxOGLPanelControl::Paint_Frame()
{
    glViewport(0, 0, Width(), Height());
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(Projection_Matrix().data());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A white headlight fixed to the eye; lit styles rely on it.
    const GLfloat headlight[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, headlight);
    glEnable(GL_LIGHT0);
    glLoadMatrixd(Modelview_Matrix().data());
    glEnable(GL_DEPTH_TEST);
    glClearColor(m_Back_Color[0], m_Back_Color[1], m_Back_Color[2], m_Back_Color[3]);
    glClearDepth(1.0);
    glClearStencil(0);
    // Depth and stencil share one buffer: clearing both together is the cheap path.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (m_Paint) m_Paint();
}

void KxOGLPanelControl::Notify_Resize(int width, int height)
{
    if (m_Resize) m_Resize(width, height);
}

// A view file is a header line and a few lines of "key numbers". Seventeen
// significant digits keep every double exact; the classic locale keeps the
// decimal point a point whatever the user's locale is.
bool KxOGLPanelControl::Save_Modelview(const std::string& file) const
{
    std::ofstream out(file, std::ios::trunc);
    if (!out) return false;
    out.imbue(std::locale::classic());
    out << std::setprecision(17);
    auto put = [&](const char* key, const double* v, int n) {
        out << key;
        for (int i = 0; i < n; ++i) out << ' ' << v[i];
        out << '\n';
    };
    out << "orvane-view 1\n";
    put("eye", m_Camera.Eye.data(), 3);
    put("center", m_Camera.Center.data(), 3);
    put("up", m_Camera.Up.data(), 3);
    put("rotation", m_Trackball.Rotation.data(), 4);
    put("translation", m_Trackball.Translation.data(), 3);
    put("zoom", &m_Camera.Zoom, 1);
    return static_cast<bool>(out.flush());
}

bool KxOGLPanelControl::Read_Modelview(const std::string& file)
{
    std::ifstream in(file);
    in.imbue(std::locale::classic());
    std::string header;
    if (!in || !std::getline(in, header) || header != "orvane-view 1") return false;
    KxCCamera camera = m_Camera;
    KxCTrackball ball;
    struct Field {
        const char* key;
        double* values;
        int count;
        bool seen;
    } fields[] = {{"eye", camera.Eye.data(), 3, false},         {"center", camera.Center.data(), 3, false},
                  {"up", camera.Up.data(), 3, false},           {"rotation", ball.Rotation.data(), 4, false},
                  {"translation", ball.Translation.data(), 3, false}, {"zoom", &camera.Zoom, 1, false}};
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        ls.imbue(std::locale::classic());
        std::string key;
        if (!(ls >> key)) continue;
        for (Field& f : fields) {
            if (key != f.key) continue;
            for (int i = 0; i < f.count; ++i)
                if (!(ls >> f.values[i]) || !std::isfinite(f.values[i])) return false;
            f.seen = true;
        }
    }
    for (const Field& f : fields)
        if (!f.seen) return false;
    m_Camera = camera;
    m_Trackball = ball;
    return true;
}

} // namespace KxOGLPanel

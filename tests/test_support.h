#pragma once
// Small meshes, files and a headless GL fixture shared by the test suites.
#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <opencv2/core.hpp>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCImgProc.h"
#include "mesh/KxCMesh.h"
#include "pipeline/util/AppGlobal.h"
#include "render/KxCOGLProjector.h"
#include "sampling/KxCSampleMask.h"
#include "ui/KxCHeadlessPanel.h"

namespace orvane_test {

namespace fs = std::filesystem;

/// A fresh folder under the system temp folder, removed with the object.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "orvane-test-XXXXXX").string();
        m_Path = mkdtemp(pattern.data());
    }
    ~TempDir() { std::error_code ec; fs::remove_all(m_Path, ec); }
    fs::path operator/(const std::string& name) const { return m_Path / name; }
    const fs::path& path() const { return m_Path; }

private:
    fs::path m_Path;
};

inline void Write_File(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string Read_File(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Each component of a within eps of b.
inline void Expect_Near(const OpenMesh::Vec3d& a, const OpenMesh::Vec3d& b, double eps = 1e-12)
{
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], eps) << "component " << i;
}

/// Builds a mesh (or an analysed mesh) from points and triangles, binds the roles and computes normals.
inline void Fill_Mesh(KxMesh::KxCMesh& m, const std::vector<OpenMesh::Vec3d>& points, const std::vector<std::vector<int>>& faces)
{
    std::vector<OpenMesh::VertexHandle> vh;
    for (const auto& p : points) vh.push_back(m.add_vertex(p));
    for (const auto& f : faces) m.add_face(vh[f[0]], vh[f[1]], vh[f[2]]);
    m.set_Default_Property();
    m.Update_Normals();
    m.Update_Kernel();
}

/// The unit cube (0,0,0)-(1,1,1): 8 corners, 12 outward-facing triangles.
inline void Make_Cube(KxMesh::KxCMesh& m, double lo = 0.0, double hi = 1.0)
{
    std::vector<OpenMesh::Vec3d> p;
    for (int i = 0; i < 8; ++i) p.emplace_back(i & 1 ? hi : lo, i & 2 ? hi : lo, i & 4 ? hi : lo);
    Fill_Mesh(m, p,
              {{0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
               {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}});
}

/// Two triangles over the unit square in the z = 0 plane.
inline void Make_Two_Triangles(KxMesh::KxCMesh& m)
{
    Fill_Mesh(m, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 2, 3}});
}

/// An n x n grid of unit squares in the z = 0 plane, two triangles each.
inline void Make_Flat_Grid(KxMesh::KxCMesh& m, int n)
{
    std::vector<OpenMesh::Vec3d> p;
    std::vector<std::vector<int>> f;
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x) p.emplace_back(x, y, 0);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int a = y * (n + 1) + x, b = a + 1, c = a + n + 2, d = a + n + 1;
            f.push_back({a, b, c});
            f.push_back({a, c, d});
        }
    Fill_Mesh(m, p, f);
}

/// An icosphere of radius r about c: the icosahedron subdivided `levels` times, outward faces.
inline void Make_Sphere(KxMesh::KxCMesh& m, double r, int levels, const OpenMesh::Vec3d& c = {0, 0, 0})
{
    const double t = (1.0 + std::sqrt(5.0)) / 2.0;
    std::vector<OpenMesh::Vec3d> p = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                                      {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    std::vector<std::vector<int>> f = {{0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                                       {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8},
                                       {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1}};
    for (int l = 0; l < levels; ++l) {
        std::map<std::pair<int, int>, int> mid;
        auto middle = [&](int a, int b) {
            const auto key = std::minmax(a, b);
            auto it = mid.find(key);
            if (it != mid.end()) return it->second;
            p.push_back((p[a] + p[b]) * 0.5);
            return mid[key] = static_cast<int>(p.size()) - 1;
        };
        std::vector<std::vector<int>> next;
        for (const auto& tri : f) {
            const int a = middle(tri[0], tri[1]), b = middle(tri[1], tri[2]), d = middle(tri[2], tri[0]);
            next.insert(next.end(), {{tri[0], a, d}, {tri[1], b, a}, {tri[2], d, b}, {a, b, d}});
        }
        f.swap(next);
    }
    for (auto& q : p) q = c + q.normalized() * r;
    Fill_Mesh(m, p, f);
}

/// An open cylinder of radius r about the y axis, y from 0 to h, with outward faces.
inline void Make_Cylinder(KxMesh::KxCMesh& m, double r, double h, int segments, int rings)
{
    std::vector<OpenMesh::Vec3d> p;
    std::vector<std::vector<int>> f;
    for (int j = 0; j <= rings; ++j)
        for (int i = 0; i < segments; ++i) {
            const double a = 2.0 * M_PI * i / segments;
            p.emplace_back(r * std::cos(a), h * j / rings, -r * std::sin(a));
        }
    for (int j = 0; j < rings; ++j)
        for (int i = 0; i < segments; ++i) {
            const int a = j * segments + i, b = j * segments + (i + 1) % segments;
            f.push_back({a, b, b + segments});
            f.push_back({a, b + segments, a + segments});
        }
    Fill_Mesh(m, p, f);
}

/// Path of a model bundled with the project.
inline std::string Bundled_Model(const std::string& name) { return std::string(ORVANE_SOURCE_DIR) + "/data/models/" + name; }

/// Path of a shared third-party model, or "" when the shared folder is absent.
inline std::string Shared_Model(const std::string& name)
{
    const fs::path p = fs::path(ORVANE_SOURCE_DIR) / ".." / "shared" / "models" / name;
    return fs::exists(p) ? p.string() : std::string();
}

/// Captures an orthographic view of the window [x0, x1] x [y0, y1] (depth -10 .. 10, looking
/// along -z) with identity model-view onto the given viewport.
inline void Capture_Ortho(double x0, double x1, double y0, double y1, const std::array<int, 4>& viewport)
{
    auto& p = *KxUtils::KxCOGLProjector::InstancePtr();
    p.Viewport() = viewport;
    p.ProjectionMatrix() = {2 / (x1 - x0), 0, 0, 0, 0, 2 / (y1 - y0), 0, 0, 0, 0, -0.1, 0,
                            -(x1 + x0) / (x1 - x0), -(y1 + y0) / (y1 - y0), 0, 1};
    p.ModelviewMatrix() = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

/// A test with a headless GL panel of 64 x 64 pixels, current during the test.
class GLTest : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    void SetUp() override
    {
        panel = KxOGLPanel::KxCHeadlessPanel::Create(kSize, kSize);
        ASSERT_TRUE(panel) << "a headless OpenGL context is required (Mesa EGL)";
    }

    /// Paints one frame with the handler and returns its RGBA pixels (bottom row first).
    std::vector<unsigned char> Paint(std::function<void()> handler)
    {
        panel->set_Paint_Handler(std::move(handler));
        panel->Repaint();
        return panel->Read_RGBA();
    }

    std::unique_ptr<KxOGLPanel::KxCHeadlessPanel> panel;
};

/// Number of pixels whose colour differs from white.
inline int Ink(const std::vector<unsigned char>& rgba)
{
    int n = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i] != 255 || rgba[i + 1] != 255 || rgba[i + 2] != 255) ++n;
    return n;
}

/// A sample mask taken straight from an object image instead of a draw: the
/// image (8-bit, 255 on the object, bottom row first) covers the rectangle whose
/// lower-left pixel is (x0, y0). Contours are relative to that corner; the
/// distance images come from Create_Aux over the projector's viewport, so
/// capture the view first.
class Image_Mask : public OrvaneImage::KxCSampleMask {
public:
    /// Replaces everything with the given object image.
    void Set(const cv::Mat& object, int x0, int y0)
    {
        Clear();
        m_Rect.Create(KxUtils::Vec2d(x0, y0), object.cols, object.rows);
        m_MaskImage.Image(object.clone());
        m_Area = static_cast<unsigned int>(cv::countNonZero(object));
        m_Contour.is_Multi() = true;
        cv::Rect tight;
        if (OrvaneImage::KxCImgProc::InstancePtr()->Find_Bounding_Info(&object, tight, &m_Contour, 0))
            for (auto* c : m_Contour.Contours())
                for (auto& p : c->Points()) p += KxUtils::Vec2s(short(tight.x), short(tight.y));
        Create_Aux();
    }
    bool Create_Specific(OrvaneImage::KxCAppMesh*, int) override { return true; }
    bool Intersect_Mask(double x, double y) const override
    {
        const int i = Pixel_Index(x, y);
        return i >= 0 && m_MaskImage.Matrix()->data[i] == 255;
    }
};

/// Switches repeatable randomness on or off for the life of the object, then back as it was.
struct FixRand {
    explicit FixRand(bool on) : m_Was(AppGlobal::g_Fix_Rand) { AppGlobal::g_Fix_Rand = on; }
    ~FixRand() { AppGlobal::g_Fix_Rand = m_Was; }
    FixRand(const FixRand&) = delete;
    FixRand& operator=(const FixRand&) = delete;

private:
    bool m_Was;
};

/// The window pixels a splat grid's points stand for.
inline std::set<std::pair<int, int>> Grid_Pixels(const OrvaneImage::KxCDecalGrid& g)
{
    std::set<std::pair<int, int>> out;
    const int x0 = static_cast<int>(g.Corners()[0][0]), y0 = static_cast<int>(g.Corners()[0][1]);
    for (const auto& p : g.Points()) out.emplace(x0 + p[0], y0 + p[1]);
    return out;
}

} // namespace orvane_test

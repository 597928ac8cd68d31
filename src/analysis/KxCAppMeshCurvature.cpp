// Principal curvatures of the analysed mesh by local quadric fitting (CGAL's
// Monge jet fitting). Kept in its own file: the fitting headers are heavy.
#include "analysis/KxCAppMesh.h"

#include <CGAL/Monge_via_jet_fitting.h>
#include <CGAL/Simple_cartesian.h>

#include <set>

namespace OrvaneImage {

/// Float copy of the mesh for the curvature estimator: positions, normals, faces.
struct KxCCurvatureMesh {
    std::vector<float> Positions; ///< 3 per vertex
    std::vector<float> Normals;   ///< 3 per vertex
    std::vector<int> Faces;       ///< 3 vertex indices per face
};

namespace {

using Kernel = CGAL::Simple_cartesian<double>;
using Fitting = CGAL::Monge_via_jet_fitting<Kernel>;
// A quadric needs six coefficients, so six points at least.
constexpr std::size_t kMinFitPoints = 6;

/// Vertex neighbours from the copy's faces.
std::vector<std::vector<int>> Neighbours(const KxCCurvatureMesh& m)
{
    std::vector<std::vector<int>> nb(m.Positions.size() / 3);
    for (std::size_t f = 0; f + 2 < m.Faces.size(); f += 3)
        for (int k = 0; k < 3; ++k) {
            nb[m.Faces[f + k]].push_back(m.Faces[f + (k + 1) % 3]);
            nb[m.Faces[f + k]].push_back(m.Faces[f + (k + 2) % 3]);
        }
    return nb;
}

/// The vertex first, then its 2-ring; grown ring by ring while it is too small to fit.
std::vector<int> Fit_Neighbourhood(const std::vector<std::vector<int>>& nb, int v)
{
    std::vector<int> ring{v};
    std::set<int> seen{v};
    std::size_t begin = 0;
    for (int depth = 0; depth < 2 || ring.size() < kMinFitPoints; ++depth) {
        const std::size_t end = ring.size();
        for (std::size_t i = begin; i < end; ++i)
            for (int w : nb[ring[i]])
                if (seen.insert(w).second) ring.push_back(w);
        if (ring.size() == end) break;
        begin = end;
    }
    return ring;
}

Kernel::Point_3 Fit_Point(const std::vector<float>& a, int i) { return {a[3 * i], a[3 * i + 1], a[3 * i + 2]}; }
KxUtils::Vec3d Vec(const Kernel::Vector_3& v) { return {v.x(), v.y(), v.z()}; }

} // namespace

void KxCAppMesh::Request_TriMesh()
{
    Release_TriMesh();
    mp_TriMesh = new KxCCurvatureMesh();
    for (auto v : vertices()) {
        const Vec3d p = property(m_VPoint_Prop, v), n = property(m_VNormal_Prop, v);
        for (int k = 0; k < 3; ++k) {
            mp_TriMesh->Positions.push_back(static_cast<float>(p[k]));
            mp_TriMesh->Normals.push_back(static_cast<float>(n[k]));
        }
    }
    for (auto f : faces())
        for (auto v : fv_range(f)) mp_TriMesh->Faces.push_back(v.idx());
}

void KxCAppMesh::Release_TriMesh()
{
    delete mp_TriMesh;
    mp_TriMesh = nullptr;
}

void KxCAppMesh::Request_Curvature()
{
    const bool temporary = mp_TriMesh == nullptr;
    if (temporary) Request_TriMesh();
    Request_Curv_Prop();
    const auto nb = Neighbours(*mp_TriMesh);
    Fitting fit;
    std::vector<Kernel::Point_3> points;
    for (auto v : vertices()) {
        const int i = v.idx();
        KxCCurv& c = property(m_VCurv_Prop, v);
        const auto ring = Fit_Neighbourhood(nb, i);
        c.Curv1() = c.Curv2() = 0.0;
        if (ring.size() >= kMinFitPoints) {
            points.clear();
            for (int w : ring) points.push_back(Fit_Point(mp_TriMesh->Positions, w));
            Fitting::Monge_form form = fit(points.begin(), points.end(), 2, 2);
            const auto n = Fit_Point(mp_TriMesh->Normals, i) - CGAL::ORIGIN;
            if (n.squared_length() > 0) form.comply_wrt_given_normal(n);
            // The fit's coefficients are negative where the surface bends away from the normal;
            // report that as positive, the larger value first.
            c.Curv1() = -form.principal_curvatures(1);
            c.Curv2() = -form.principal_curvatures(0);
            c.Vect1() = KxUtils::Unit_Or_Zero(Vec(form.minimal_principal_direction()));
            c.Vect2() = KxUtils::Unit_Or_Zero(Vec(form.maximal_principal_direction()));
        }
        c.MeanCurv() = (c.Curv1() + c.Curv2()) * 0.5;
        c.GaussianCurv() = c.Curv1() * c.Curv2();
    }
    if (temporary) Release_TriMesh();
}

} // namespace OrvaneImage

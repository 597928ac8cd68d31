// Per-vertex fields of the analysed mesh seen from the current camera and
// light: tangent frame, silhouette, shading and importance.
#include "analysis/KxCAppMesh.h"

#include "pipeline/params/KxCSampleParam.h"

namespace OrvaneImage {

namespace {

using KxUtils::Vec3d;

/// Unit vector perpendicular to n (n need not be unit); (1, 0, 0) when n is zero.
Vec3d Any_Perpendicular(const Vec3d& n)
{
    // Cross with the axis least aligned with n, so the product is never tiny.
    const Vec3d a = std::abs(n[0]) <= std::abs(n[1]) && std::abs(n[0]) <= std::abs(n[2]) ? Vec3d(1, 0, 0)
                    : std::abs(n[1]) <= std::abs(n[2])                                   ? Vec3d(0, 1, 0)
                                                                                         : Vec3d(0, 0, 1);
    const Vec3d t = OpenMesh::cross(n, a);
    const double len = t.norm();
    return len != 0.0 ? t / len : Vec3d(1, 0, 0);
}

} // namespace

template <class Handle>
void KxCAppMesh::Release_Prop(Handle& h)
{
    if (h.is_valid()) remove_property(h);
    h.reset();
}

void KxCAppMesh::Request_Curv_Prop()
{
    if (m_VCurv_Prop.is_valid()) return;
    add_property(m_VCurv_Prop);
}

void KxCAppMesh::Release_Curvature() { Release_Prop(m_VCurv_Prop); }

void KxCAppMesh::Request_TangentPlane()
{
    Request_Curv_Prop();
    for (auto v : vertices()) {
        const Vec3d n = property(m_VNormal_Prop, v);
        const Vec3d p = property(m_VPoint_Prop, v);
        Vec3d t1(0, 0, 0);
        const auto h = halfedge_handle(v);
        if (h.is_valid()) t1 = KxUtils::Unit_Or_Zero(OpenMesh::cross(n, property(m_VPoint_Prop, to_vertex_handle(h)) - p));
        // No neighbour, or one along the normal: any frame in the tangent plane will do.
        if (t1.norm() == 0.0) t1 = Any_Perpendicular(n);
        KxCCurv& c = property(m_VCurv_Prop, v);
        c.Vect1() = t1;
        c.Vect2() = KxUtils::Unit_Or_Zero(OpenMesh::cross(t1, n));
    }
}

void KxCAppMesh::Request_Silhouette(const KxCSilhoParam* param)
{
    if (!param) return;
    if (!m_VSilho_Prop.is_valid()) add_property(m_VSilho_Prop);
    const Vec3d eye = param->Light().Light_Pos();
    for (auto v : vertices()) {
        const Vec3d d = KxUtils::Normalized(eye - property(m_VPoint_Prop, v));
        property(m_VSilho_Prop, v) = param->is_Silhouette(OpenMesh::dot(d, property(m_VNormal_Prop, v))) ? 1.0 : 0.0;
    }
}

void KxCAppMesh::Release_Silhouette() { Release_Prop(m_VSilho_Prop); }

void KxCAppMesh::Request_Shade(const KxCShadeParam* param)
{
    if (!param) return;
    if (!m_VShade_Prop.is_valid()) {
        add_property(m_VShade_Prop);
        add_property(m_VShade2_Prop);
    }
    const Vec3d l = param->Light().Light_Vec();
    const double r_min = param->Dot_Range().Minimum(), r_max = param->Dot_Range().Maximum();
    const double s_min = param->Dot_Value().Minimum(), s_max = param->Dot_Value().Maximum();
    for (auto v : vertices()) {
        // Cosine between the normal and the direction towards the light.
        const double c = -OpenMesh::dot(l, property(m_VNormal_Prop, v));
        property(m_VShade2_Prop, v) = c < 0 ? 1.0 : 1.0 - c;
        property(m_VShade_Prop, v) = c <= r_min ? 1.0 : c <= r_max ? s_max : s_min;
    }
}

void KxCAppMesh::Release_Shade()
{
    Release_Prop(m_VShade_Prop);
    Release_Prop(m_VShade2_Prop);
}

void KxCAppMesh::Request_Importance(const KxCSilhoParam* silho, const KxCShadeParam* shade)
{
    if (!silho || !shade) return;
    if (!m_VImptn_Prop.is_valid()) {
        add_property(m_VImptn_Prop);
        add_property(m_VImptn2_Prop);
    }
    const bool use_silho = has_Silhouette() && silho->Enabled();
    const bool use_shade = has_Shade() && shade->Enabled();
    for (auto v : vertices()) {
        double imp = 0.0, imp2 = 0.0;
        if (use_silho) {
            const double s = property(m_VSilho_Prop, v);
            if (imp < s) imp = imp2 = s;
        }
        if (use_shade) {
            imp = std::max(imp, property(m_VShade_Prop, v));
            imp2 = std::max(imp2, property(m_VShade2_Prop, v));
        }
        property(m_VImptn_Prop, v) = imp;
        property(m_VImptn2_Prop, v) = imp2;
    }
}

void KxCAppMesh::Release_Importance()
{
    Release_Prop(m_VImptn_Prop);
    Release_Prop(m_VImptn2_Prop);
}

} // namespace OrvaneImage

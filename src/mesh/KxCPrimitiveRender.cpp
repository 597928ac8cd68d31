#include "mesh/KxCPrimitiveRender.h"

#include <array>
#include <vector>

#include "mesh/KxCMesh.h"
#include "mesh/KxCRenderInfo.h"
#include "pipeline/util/KxOGL.h"

namespace KxMesh {

namespace {

using RGBA = std::array<unsigned char, 4>;
const RGBA kNeighbourPoint{0, 0, 255, 255};
const RGBA kNeighbourFace{153, 153, 153, 217};
const RGBA kNeighbourEdge{0, 255, 255, 255};

const KxUtils::Vec3d& Pos(KxCMesh* m, OpenMesh::VertexHandle v) { return m->property(m->get_VPoint_Prop(), v); }

void Draw_Points(KxCMesh* m, const std::vector<OpenMesh::VertexHandle>& vs, float size, const RGBA& color)
{
    glPointSize(size);
    glColor4ubv(color.data());
    glBegin(GL_POINTS);
    for (auto v : vs) glVertex3dv(Pos(m, v).data());
    glEnd();
}

void Draw_Edges(KxCMesh* m, const std::vector<OpenMesh::EdgeHandle>& es, float width, const RGBA& color)
{
    glLineWidth(width);
    glColor4ubv(color.data());
    glBegin(GL_LINES);
    for (auto e : es) {
        const auto h = m->halfedge_handle(e, 0);
        glVertex3dv(Pos(m, m->from_vertex_handle(h)).data());
        glVertex3dv(Pos(m, m->to_vertex_handle(h)).data());
    }
    glEnd();
}

// Faces are blended and pulled towards the viewer so they show over the solid mesh.
void Draw_Faces(KxCMesh* m, const std::vector<OpenMesh::FaceHandle>& fs, const RGBA& color)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-0.55f, 0.0f);
    glColor4ubv(color.data());
    glBegin(GL_TRIANGLES);
    for (auto f : fs)
        for (auto v : m->fv_range(f)) glVertex3dv(Pos(m, v).data());
    glEnd();
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_BLEND);
}

template <class Handle>
bool Drawable(KxCMesh* m, KxCRenderInfo* info, Handle h, std::size_t count, bool has_status)
{
    if (!m || !info || h.idx() < 0 || static_cast<std::size_t>(h.idx()) >= count) return false;
    return !(has_status && m->status(h).deleted());
}

// Saves and restores what the highlights touch; lighting stays off meanwhile.
struct KxHighlightState {
    KxHighlightState()
    {
        glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_POLYGON_BIT | GL_LINE_BIT | GL_POINT_BIT |
                     GL_COLOR_BUFFER_BIT);
        glDisable(GL_LIGHTING);
    }
    ~KxHighlightState() { glPopAttrib(); }
};

template <class Handle, class Range>
std::vector<Handle> To_Vector(Range r)
{
    std::vector<Handle> out;
    for (auto x : r) out.push_back(x);
    return out;
}

} // namespace

void KxCPrimitiveRenderDec::Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c)
{
    if (mp_Component) mp_Component->Render(mesh, info, index, a, b, c);
}

void KxCVertexRender::Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c)
{
    const OpenMesh::VertexHandle v(index);
    if (!Drawable(mesh, info, v, mesh ? mesh->n_vertices() : 0, mesh && mesh->has_vertex_status())) return;
    KxHighlightState state;
    Draw_Points(mesh, {v}, 7.0f, info->get_Vertex_Color());
    if (a) Draw_Points(mesh, To_Vector<OpenMesh::VertexHandle>(mesh->vv_range(v)), 7.0f, kNeighbourPoint);
    if (c) Draw_Edges(mesh, To_Vector<OpenMesh::EdgeHandle>(mesh->ve_range(v)), 7.0f, kNeighbourEdge);
    if (b) Draw_Faces(mesh, To_Vector<OpenMesh::FaceHandle>(mesh->vf_range(v)), kNeighbourFace);
}

void KxCFaceRender::Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c)
{
    const OpenMesh::FaceHandle f(index);
    if (!Drawable(mesh, info, f, mesh ? mesh->n_faces() : 0, mesh && mesh->has_face_status())) return;
    KxHighlightState state;
    if (a) Draw_Points(mesh, To_Vector<OpenMesh::VertexHandle>(mesh->fv_range(f)), 7.0f, kNeighbourPoint);
    if (c) Draw_Edges(mesh, To_Vector<OpenMesh::EdgeHandle>(mesh->fe_range(f)), 7.0f, kNeighbourEdge);
    Draw_Faces(mesh, {f}, info->get_Face_Color());
    if (b) Draw_Faces(mesh, To_Vector<OpenMesh::FaceHandle>(mesh->ff_range(f)), kNeighbourFace);
}

void KxCEdgeRender::Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool)
{
    const OpenMesh::EdgeHandle e(index);
    if (!Drawable(mesh, info, e, mesh ? mesh->n_edges() : 0, mesh && mesh->has_edge_status())) return;
    KxHighlightState state;
    Draw_Edges(mesh, {e}, 7.0f, info->get_Edge_Color());
    const auto h = mesh->halfedge_handle(e, 0);
    if (a) Draw_Points(mesh, {mesh->from_vertex_handle(h), mesh->to_vertex_handle(h)}, 4.0f, kNeighbourPoint);
    if (b) {
        std::vector<OpenMesh::FaceHandle> faces;
        for (int i = 0; i < 2; ++i) {
            const auto f = mesh->face_handle(mesh->halfedge_handle(e, i));
            if (f.is_valid()) faces.push_back(f);
        }
        Draw_Faces(mesh, faces, kNeighbourFace);
    }
}

} // namespace KxMesh

#include "mesh/KxCRender.h"

#include "mesh/KxCMesh.h"
#include "mesh/KxCRenderInfo.h"
#include "mesh/KxCRenderKernel.h"
#include "pipeline/util/KxOGL.h"

namespace KxMesh {

namespace {

constexpr GLbitfield kStyleState =
    GL_ENABLE_BIT | GL_POLYGON_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT;

} // namespace

void KxCSolidRender::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info)
{
    if (!rkernel || !info) return;
    glPushAttrib(kStyleState);
    glShadeModel(info->get_Shade_Mode());
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    info->set_Internal_Color(info->get_Mesh_Color());
    rkernel->Render(mesh, kernel, info);
    glPopAttrib();
}

void KxCWireRender::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info)
{
    if (!rkernel || !info) return;
    glPushAttrib(kStyleState);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
    glLineWidth(info->get_Line_Size());
    info->set_Internal_Color(info->get_Wire_Color());
    rkernel->Render(mesh, kernel, info);
    glPopAttrib();
}

void KxCPointRender::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info)
{
    if (!rkernel || !info) return;
    glPushAttrib(kStyleState);
    glDisable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glPointSize(info->get_Point_Size());
    info->set_Internal_Color(info->get_Vertex_Color());
    rkernel->Begin(mesh, kernel, info);
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(mesh->n_vertices()));
    rkernel->End(mesh, kernel, info);
    glPopAttrib();
}

void KxCRenderDec::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info)
{
    if (mp_Component) mp_Component->Render(mesh, kernel, rkernel, info);
}

void KxCWireDecorator::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info)
{
    KxCRenderDec::Render(mesh, kernel, rkernel, info);
    KxCWireRender::InstancePtr()->Render(mesh, kernel, rkernel, info);
}

void KxCPointDecorator::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info)
{
    KxCRenderDec::Render(mesh, kernel, rkernel, info);
    KxCPointRender::InstancePtr()->Render(mesh, kernel, rkernel, info);
}

void KxCAABBDecorator::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info)
{
    KxCRenderDec::Render(mesh, kernel, rkernel, info);
    const KxCMesh::AABB* box = mesh->get_AABB();
    if (!box || box->is_Null() || box->Corners().size() < 8) return;
    const auto& c = box->Corners();
    glPushAttrib(kStyleState);
    glDisable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glLineWidth(4.0f);
    glColor3ub(255, 0, 0);
    for (int face = 0; face < 2; ++face) {
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < 4; ++i) glVertex3dv(c[face * 4 + i].data());
        glEnd();
    }
    const int pairs[4][2] = {{1, 5}, {0, 6}, {2, 4}, {3, 7}};
    glBegin(GL_LINES);
    for (const auto& p : pairs) {
        glVertex3dv(c[p[0]].data());
        glVertex3dv(c[p[1]].data());
    }
    glEnd();
    glPopAttrib();
}

} // namespace KxMesh

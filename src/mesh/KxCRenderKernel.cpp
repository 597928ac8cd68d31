#include "mesh/KxCRenderKernel.h"

#include "mesh/KxCMesh.h"
#include "mesh/KxCMeshKernel.h"
#include "mesh/KxCRenderInfo.h"
#include "mesh/KxCVBO.h"
#include "pipeline/util/KxOGL.h"

namespace KxMesh {

namespace {

bool Uses_VBO(KxCMesh* mesh)
{
    KxOGLExt::KxCVBO* vbo = mesh->get_VBOPtr();
    return vbo && vbo->is_Valid() && vbo->Switch();
}

bool Uses_Colors(KxCMesh* mesh, const KxCRenderInfo* info)
{
    return info->get_Color_Mode() == KxCRenderInfo::COLOR_VERTEX && mesh->has_vertex_colors();
}

const void* Offset(std::size_t bytes) { return reinterpret_cast<const void*>(bytes); }

} // namespace

void KxCRenderKernel::Begin(KxCMesh* mesh, KxCMeshKernel*, KxCRenderInfo* info)
{
    if (!info) return;
    const bool vbo = Uses_VBO(mesh);
    const bool colors = Uses_Colors(mesh, info);
    const std::size_t n = mesh->n_vertices();
    if (vbo) glBindBuffer(GL_ARRAY_BUFFER, mesh->get_VBOPtr()->ID());
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    if (info->get_Light_Mode()) glEnableClientState(GL_NORMAL_ARRAY);
    if (colors) glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (vbo) {
        glVertexPointer(3, GL_DOUBLE, 0, Offset(0));
        if (colors) glColorPointer(3, GL_UNSIGNED_BYTE, 0, Offset(mesh->VBO_Color_Offset()));
        if (info->get_Light_Mode()) glNormalPointer(GL_DOUBLE, 0, Offset(n * 24));
    } else {
        glVertexPointer(3, GL_DOUBLE, 0, mesh->property(mesh->get_VPoint_Prop()).data_vector().data());
        if (colors) glColorPointer(3, GL_UNSIGNED_BYTE, 0, mesh->property(mesh->get_VColor_Prop()).data_vector().data());
        if (info->get_Light_Mode()) glNormalPointer(GL_DOUBLE, 0, mesh->property(mesh->get_VNormal_Prop()).data_vector().data());
    }
    if (!colors) glColor4ubv(info->get_Internal_Color().data());
    if (!info->get_Light_Mode()) glDisable(GL_LIGHTING);
}

void KxCRenderKernel::End(KxCMesh* mesh, KxCMeshKernel*, KxCRenderInfo* info)
{
    if (!info) return;
    glDisableClientState(GL_VERTEX_ARRAY);
    if (Uses_Colors(mesh, info)) glDisableClientState(GL_COLOR_ARRAY);
    if (info->get_Light_Mode()) glDisableClientState(GL_NORMAL_ARRAY);
    glPopClientAttrib();
    if (Uses_VBO(mesh)) glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void KxCRenderKernel::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info)
{
    Begin(mesh, kernel, info);
    if (kernel) kernel->Render(mesh);
    End(mesh, kernel, info);
}

void KxCRenderKernelDec::Begin(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info)
{
    if (mp_Component) mp_Component->Begin(mesh, kernel, info);
}

void KxCRenderKernelDec::End(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info)
{
    if (mp_Component) mp_Component->End(mesh, kernel, info);
}

void KxCRenderKernelDec::Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info)
{
    if (mp_Component) mp_Component->Render(mesh, kernel, info);
}

} // namespace KxMesh

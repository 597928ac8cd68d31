#include "mesh/KxCMeshKernel.h"

#include <iostream>

#include "mesh/KxCMesh.h"
#include "pipeline/util/KxOGL.h"

namespace KxMesh {

void KxCTriangleKernel::Render(KxCMesh* mesh)
{
    glPushMatrix();
    GLuint idx[3];
    for (auto f : mesh->faces()) {
        int k = 0;
        for (auto v : mesh->fv_range(f)) idx[k++] = static_cast<GLuint>(v.idx());
        glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, idx);
    }
    glPopMatrix();
}

KxCTriStripKernel::~KxCTriStripKernel() { Release(); }

void KxCTriStripKernel::Update(KxCMesh* mesh)
{
    if (!mesh || !mesh->is_Valid()) return;
    if (!mp_Strips) mp_Strips = std::make_unique<OpenMesh::StripifierT<KxCMesh>>(*mesh);
    mp_Strips->clear();
    mp_Strips->stripify();
    if (!mp_Strips->is_valid()) {
        Release();
        std::cerr << "KxCTriStripKernel::Update_Kernel : Triangle strips creation failed." << std::endl;
    }
}

void KxCTriStripKernel::Release()
{
    if (mp_Strips) mp_Strips->clear();
    mp_Strips.reset();
}

std::size_t KxCTriStripKernel::Strip_Count() const { return mp_Strips ? mp_Strips->n_strips() : 0; }

void KxCTriStripKernel::Render(KxCMesh*)
{
    if (!mp_Strips) return;
    glPushMatrix();
    for (auto it = mp_Strips->begin(); it != mp_Strips->end(); ++it)
        glDrawElements(GL_TRIANGLE_STRIP, static_cast<GLsizei>(it->size()), GL_UNSIGNED_INT, it->data());
    glPopMatrix();
}

void KxCFaceArrayKernel::Update(KxCMesh* mesh)
{
    if (!mesh || !mesh->is_Valid()) return;
    m_Indices.clear();
    m_Indices.reserve(3 * mesh->n_faces());
    const bool status = mesh->has_face_status();
    for (auto f : mesh->faces()) {
        if (status && mesh->status(f).deleted()) continue;
        for (auto v : mesh->fv_range(f)) m_Indices.push_back(static_cast<unsigned int>(v.idx()));
    }
}

void KxCFaceArrayKernel::Render(KxCMesh*)
{
    if (m_Indices.empty()) return;
    glPushMatrix();
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(m_Indices.size()), GL_UNSIGNED_INT, m_Indices.data());
    glPopMatrix();
}

} // namespace KxMesh

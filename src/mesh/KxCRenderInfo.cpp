#include "mesh/KxCRenderInfo.h"

#include "pipeline/util/KxOGL.h"

namespace KxMesh {

void KxCRenderInfo::set_Default_Info()
{
    m_Color_Mode = COLOR_INTERNAL;
    m_Shade_Mode = GL_SMOOTH;
    m_Light_Mode = true;
    m_Point_Size = 2.0f;
    m_Line_Size = 2.0f;
    m_Mesh_Color = {100, 149, 237, 255};
    m_Wire_Color = {20, 20, 20, 255};
    m_Vertex_Color = {255, 0, 0, 255};
    m_Face_Color = {255, 0, 0, 255};
    m_Edge_Color = {255, 0, 0, 255};
    m_Internal_Color = m_Mesh_Color;
}

} // namespace KxMesh

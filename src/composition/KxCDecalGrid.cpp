#include "composition/KxCDecalGrid.h"

#include "pipeline/util/KxOGL.h"

namespace OrvaneImage {

KxCDecalGrid::~KxCDecalGrid()
{
    if (m_TextureID != 0 && !m_Share_Texture) {
        const GLuint id = m_TextureID;
        glDeleteTextures(1, &id);
    }
}

void KxCDecalGrid::Clear()
{
    KxCGrid::Clear();
    Clear_Local();
}

void KxCDecalGrid::Clear_Local()
{
    m_TextureID = 0;
    m_Points.clear();
    m_Decals.clear();
    m_Share_Texture = false;
    m_Stamp_Flag = false;
    m_Boundary_Flag = false;
    m_Enabled = true;
}

} // namespace OrvaneImage

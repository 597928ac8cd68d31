#include "splats/KxCDecal.h"

namespace OrvaneImage {

KxCDecal::KxCDecal()
{
    Parameterize_Init();
}

void KxCDecal::Parameterize_Init()
{
    m_Rectangle.Clear();
    m_VertexIndices.clear();
    m_FaceIndices.clear();
    m_VertexArray.clear();
    m_FaceArray.clear();
    m_ParameterArray.clear();
    m_TexCoordArray.clear();
}

} // namespace OrvaneImage

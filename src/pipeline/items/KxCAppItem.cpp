#include "pipeline/items/KxCAppItem.h"

#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxOGL.h"
#include "pipeline/util/KxPtrVector.h"
#include "render/JdTexture.h"

namespace OrvaneImage {

KxCAppItem::~KxCAppItem()
{
    Release_Subjects();
    Release_Textures();
    KxUtils::Clear_Ptr_Vector(m_StampGridCntrs);
}

KxCMeshItem* KxCAppItem::get_SubjectAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_Subjects.size())) return nullptr;
    return m_Subjects[index];
}

void KxCAppItem::Bind_Textures(const std::vector<std::unique_ptr<JdImage::JdTexture>>& textures)
{
    if (textures.empty()) return;
    const std::size_t bound = m_TextureIDs.size();
    if (bound > textures.size()) {
        Throw_Debug_Msg("KxCAppItem", "Bind_Texture", "id_cnt > tex_cnt");
        return;
    }
    for (std::size_t i = bound; i < textures.size(); ++i) {
        const unsigned int name = textures[i]->JdGenTextures(GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP);
        if (name == 0) Throw_Debug_Msg("KxCAppItem", "Bind_Texture", "Generate texture object failed");
        else m_TextureIDs.push_back(name);
    }
}

void KxCAppItem::Release_Textures()
{
    for (unsigned int name : m_TextureIDs) glDeleteTextures(1, &name);
    m_TextureIDs.clear();
}

void KxCAppItem::Release_Subjects()
{
    mp_CurMeshItem = nullptr;
    KxUtils::Clear_Ptr_Vector(m_Subjects);
}

} // namespace OrvaneImage

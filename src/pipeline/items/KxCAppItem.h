#pragma once
// Everything held for one loaded model or animation: its mesh items, the GL
// texture objects of the splat textures, the stamp containers of the composed
// picture, the application parameters and properties, and the video flags.
#include <memory>
#include <vector>

#include "composition/KxCGridCntr.h"
#include "pipeline/items/KxCMeshItem.h"
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCAppProp.h"

namespace JdImage {
class JdTexture;
}

namespace OrvaneImage {

class KxCAppItem {
public:
    static constexpr const char* Caption = "Application Item";

    KxCAppItem() = default;
    /// Releases the mesh items, the texture objects (the GL context must be current) and the stamps.
    ~KxCAppItem();
    KxCAppItem(const KxCAppItem&) = delete;
    KxCAppItem& operator=(const KxCAppItem&) = delete;

    /// The subject meshes; the item deletes them.
    std::vector<KxCMeshItem*>& Subjects() { return m_Subjects; }
    /// The mesh item the commands act on: null or an element of Subjects.
    KxCMeshItem* CurMeshItem() const { return mp_CurMeshItem; }
    void set_CurMeshItem(KxCMeshItem* item) { mp_CurMeshItem = item; }
    /// The subject at index, or null out of range.
    KxCMeshItem* get_SubjectAt(int index) const;
    /// One GL texture object per bound splat texture, in texture-list order; the item deletes them.
    std::vector<unsigned int>& TextureIDs() { return m_TextureIDs; }
    /// One stamp container per layer; the item deletes them.
    std::vector<KxCStampGCntr*>& StampGridCntrs() { return m_StampGridCntrs; }
    KxCAppParam& AppParam() { return m_AppParam; }
    KxCAppProp& AppProp() { return m_AppProp; }
    /// The next generated video frame samples afresh.
    bool First_Frame() const { return m_First_Frame; }
    void set_First_Frame(bool v) { m_First_Frame = v; }
    /// Playback steps save their pictures.
    bool Record() const { return m_Record; }
    void set_Record(bool v) { m_Record = v; }

    /// Creates texture objects (linear filters, clamped) for the textures not yet bound;
    /// a texture that cannot be uploaded is reported and skipped. Needs a current context.
    void Bind_Textures(const std::vector<std::unique_ptr<JdImage::JdTexture>>& textures);
    /// Deletes the texture objects and forgets them. Needs a current context.
    void Release_Textures();
    /// Deletes every mesh item.
    void Release_Subjects();

private:
    std::vector<KxCMeshItem*> m_Subjects;
    KxCMeshItem* mp_CurMeshItem = nullptr;
    std::vector<unsigned int> m_TextureIDs;
    std::vector<KxCStampGCntr*> m_StampGridCntrs;
    KxCAppParam m_AppParam;
    KxCAppProp m_AppProp;
    bool m_First_Frame = true;
    bool m_Record = false;
};

} // namespace OrvaneImage

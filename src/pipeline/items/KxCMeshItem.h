#pragma once
// One analysed mesh with everything the generation steps make for it (the
// sample mask, the splats, the splat-grid and window containers) and its
// parameters and display properties. The item owns all of it.
#include <memory>
#include <vector>

#include "analysis/KxCAppMesh.h"
#include "composition/KxCGridCntr.h"
#include "mesh/KxCRender.h"
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/params/KxCMeshParam.h"
#include "pipeline/params/KxCMeshProp.h"
#include "sampling/KxCSampleMask.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

class KxCMeshItem {
public:
    static constexpr const char* Caption = "Mesh Item";

    /// Takes ownership of mesh (may be null).
    explicit KxCMeshItem(KxCAppMesh* mesh);
    ~KxCMeshItem();
    KxCMeshItem(const KxCMeshItem&) = delete;
    KxCMeshItem& operator=(const KxCMeshItem&) = delete;

    KxCAppMesh* Mesh() const { return mp_Mesh.get(); }
    KxCSampleMask* SampleMask() const { return mp_SampleMask.get(); }
    KxCDecalCntr* DecalCntr() const { return mp_DecalCntr.get(); }
    /// Merged splat grids.
    KxCDecalGCntr* DecalGridCntr() const { return mp_DecalGridCntr.get(); }
    /// Unmerged splat grids (still images only).
    KxCDecalGCntr* DecalGridCntr2() const { return mp_DecalGridCntr2.get(); }
    /// Setters take ownership; a different pointer deletes the stored object, the same one is kept.
    void set_Mesh(KxCAppMesh* p) { Replace(mp_Mesh, p); }
    void set_SampleMask(KxCSampleMask* p) { Replace(mp_SampleMask, p); }
    void set_DecalCntr(KxCDecalCntr* p) { Replace(mp_DecalCntr, p); }
    void set_DecalGridCntr(KxCDecalGCntr* p) { Replace(mp_DecalGridCntr, p); }
    void set_DecalGridCntr2(KxCDecalGCntr* p) { Replace(mp_DecalGridCntr2, p); }
    /// One window container per sampled layer; the item deletes them.
    std::vector<KxCWndGCntr*>& WindowGridCntrs() { return m_WindowGridCntrs; }

    KxCMeshParam& MeshParam() { return m_MeshParam; }
    KxCMeshProp& MeshProp() { return m_MeshProp; }
    KxCAnimeProp& AnimeProp() { return m_AnimeProp; }

    /// Pushes the display properties into the mesh's drawing state: colours with the
    /// properties' alpha, sizes, light, the drawing style (rebuilt from the plain
    /// style each time, plus the added wireframe or points and the box), vertex colours, picking.
    void Update_Mesh();
    /// Pulls the mesh's counts, colours, sizes and light switch into the display properties.
    void Update_MeshProp();
    /// Sets up the vertex colouring the properties choose; importance colours switch lighting off.
    void Update_VtxColor();
    /// Pulls the keyframe and frame counts into the animation properties.
    void Update_AnimeProp();

private:
    template <class T>
    static void Replace(std::unique_ptr<T>& slot, T* p)
    {
        if (p != slot.get()) slot.reset(p);
    }
    KxMesh::KxCRender* Plain_Style() const;

    std::unique_ptr<KxCAppMesh> mp_Mesh;
    std::unique_ptr<KxCSampleMask> mp_SampleMask;
    std::unique_ptr<KxCDecalCntr> mp_DecalCntr;
    std::unique_ptr<KxCDecalGCntr> mp_DecalGridCntr;
    std::unique_ptr<KxCDecalGCntr> mp_DecalGridCntr2;
    std::vector<KxCWndGCntr*> m_WindowGridCntrs;
    KxCMeshParam m_MeshParam;
    KxCMeshProp m_MeshProp;
    KxCAnimeProp m_AnimeProp;
    // The decorators installed as the mesh's drawing style; the mesh does not own them.
    std::unique_ptr<KxMesh::KxCRender> mp_Style;
};

} // namespace OrvaneImage

#include "pipeline/driver/KxItemRendering.h"

#include "pipeline/util/KxOGL.h"
#include "render/KxCOGLProjector.h"

namespace OrvaneImage {

namespace {

const double* Modelview() { return KxUtils::KxCOGLProjector::InstancePtr()->ModelviewMatrix().data(); }

template <class Cntr, class Prop>
void Render_Layers(std::vector<Cntr*>& layers, Prop& prop)
{
    if (layers.empty()) return;
    const int layer = Layer_To_Draw(prop, layers.size());
    if (layer == -1)
        for (Cntr* c : layers) c->Render(&prop);
    else
        layers[layer]->Render(&prop);
}

void Render_Stamp_Layers(KxCAppItem& item)
{
    KxCStampGCntrProp& prop = item.AppProp().StampGrid_Cntr();
    prop.set_Perturb(item.AppParam().StampGrid().Perturb_SG().Enabled());
    prop.set_Perturb_DG(item.AppParam().StampGrid().Perturb_DG().Enabled());
    Render_Layers(item.StampGridCntrs(), prop);
}

// Marks the objects' pixels in the stencil and leaves the stencil test passing only elsewhere.
void Begin_Object_Stencil(KxCAppItem& item)
{
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT);
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_STENCIL_TEST);
    glEnable(GL_DEPTH_TEST);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    // The object's depth must not hide the picture's grids drawn over it afterwards.
    glDepthMask(GL_FALSE);
    for (KxCMeshItem* m : item.Subjects()) {
        if (!m || !m->Mesh()) continue;
        m->MeshParam().Sample().Importance().Silhouette().Light().Update(Modelview());
        m->Mesh()->Render();
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glStencilFunc(GL_EQUAL, 0, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void End_Object_Stencil()
{
    glDisable(GL_STENCIL_TEST);
    glPopAttrib();
}

} // namespace

void Render_Shaded_Model(KxCMeshItem& item)
{
    KxCAppMesh* mesh = item.Mesh();
    if (!mesh) return;
    KxCImptSParam& importance = item.MeshParam().Sample().Importance();
    importance.Silhouette().Light().Update(Modelview());
    if (importance.Shading().Enabled()) mesh->Request_Shade(&importance.Shading());
    if (importance.Silhouette().Enabled() || importance.Shading().Enabled()) {
        mesh->Request_Importance(&importance.Silhouette(), &importance.Shading());
        item.Update_VtxColor();
    }
    mesh->Render();
}

void Render_Scene(KxCAppItem* item)
{
    if (!item) return;
    for (KxCMeshItem* m : item->Subjects())
        if (m) Render_Shaded_Model(*m);
}

void Render_AppItem(KxCAppItem* item)
{
    if (!item) return;
    for (KxCMeshItem* m : item->Subjects()) {
        if (!m) continue;
        KxCMeshProp& prop = m->MeshProp();
        Render_Shaded_Model(*m);
        if (m->SampleMask()) m->SampleMask()->Render(&prop.Sample_Mask());
        if (m->DecalCntr()) m->DecalCntr()->Render(m->Mesh(), &prop.Decal_Cntr());
        KxCDecalGCntrProp& grids = prop.DecalGrid_Cntr();
        grids.set_Perturb(m->MeshParam().DecalGrid().Perturb().Enabled());
        if (m->DecalGridCntr() && grids.Merged()) m->DecalGridCntr()->Render(&grids);
        if (m->DecalGridCntr2() && grids.Original()) m->DecalGridCntr2()->Render(&grids);
        Render_Layers(m->WindowGridCntrs(), prop.WindowGrid_Cntr());
    }
    Render_Stamp_Layers(*item);
}

void Render_Orvane(KxCAppItem* item)
{
    if (!item) return;
    const bool masked = !item->AppProp().See_Through();
    if (masked) Begin_Object_Stencil(*item);
    if (!item->StampGridCntrs().empty()) {
        KxCStampGCntrProp& prop = item->AppProp().StampGrid_Cntr();
        prop.set_Grid(true);
        prop.set_Rectangle(false);
        prop.set_Selected(-1);
        Render_Stamp_Layers(*item);
    }
    if (masked) End_Object_Stencil();
    for (KxCMeshItem* m : item->Subjects()) {
        if (!m || !m->DecalGridCntr()) continue;
        KxCDecalGCntrProp& prop = m->MeshProp().DecalGrid_Cntr();
        prop.set_Perturb(m->MeshParam().DecalGrid().Perturb().Enabled());
        prop.set_Grid(true);
        prop.set_Rectangle(false);
        prop.set_Boundary(false);
        prop.set_Selected(-1);
        m->DecalGridCntr()->Render(&prop);
    }
}

void Render_Mode(KxCAppItem* item, KxEnumOrvaneMode mode)
{
    switch (mode) {
    case KxEnumOrvaneMode::Develop: Render_AppItem(item); break;
    case KxEnumOrvaneMode::Orvane: Render_Orvane(item); break;
    case KxEnumOrvaneMode::Scene: Render_Scene(item); break;
    }
}

} // namespace OrvaneImage

// The Generate command and the five steps of a still image.
#include "composition/KxCAnalyzerOI.h"
#include "composition/KxCStamperCPP.h"
#include "pipeline/driver/KxCOrvaneDriver.h"
#include "pipeline/util/KxCTimer.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxPtrVector.h"
#include "render/KxCOGLProjector.h"
#include "sampling/KxCQuasiSampler.h"
#include "sampling/KxCStencilMask.h"
#include "splats/KxCGEMap.h"
#include "splats/KxCTexturer.h"

namespace OrvaneImage {

namespace {

bool Fail(const char* function, const char* message)
{
    Throw_Debug_Msg("Form1", function, message);
    return false;
}

} // namespace

bool KxCOrvaneDriver::ToolBarExecuBtn_Click()
{
    KxCAppItem* item = mp_AppItem.get();
    if (!item || !item->CurMeshItem()) return false;
    m_MainView.Make_Current();
    auto& projector = *KxUtils::KxCOGLProjector::InstancePtr();
    projector.Init_Project();
    projector.Project_Locked() = projector.View_Locked() = true;
    auto& timer = *KxUtils::KxCTimer::InstancePtr();
    timer.Start("Create orvane image");
    const bool created = OrvImg_Create(item, item->CurMeshItem());
    item->AppProp().set_Orvane_Mode(KxEnumOrvaneMode::Orvane);
    m_OIParam.set_Render_Mode(KxEnumOrvaneMode::Orvane);
    timer.End("Create orvane image");
    timer.ShowAll();
    projector.Project_Locked() = projector.View_Locked() = false;
    m_MainView.Repaint();
    return created;
}

bool KxCOrvaneDriver::OrvImg_Create(KxCAppItem* app, KxCMeshItem* mesh)
{
    if (!app || !mesh) return false;
    auto& timer = *KxUtils::KxCTimer::InstancePtr();
    timer.Start("Sample");
    if (!OrvImg_Sample(mesh)) return Fail("OrvImg_Create", "OrvImg_Sample failed");
    timer.End("Sample");
    timer.Start("Parameterize");
    if (!OrvImg_Parameterize(mesh)) return Fail("OrvImg_Create", "OrvImg_Parameterize failed");
    if (!OrvImg_Texture(app, mesh)) return Fail("OrvImg_Create", "OrvImg_Texture failed");
    timer.End("Parameterize");
    timer.Start("Analyze");
    if (!OrvImg_Analyze(mesh)) return Fail("OrvImg_Create", "OrvImg_Analyze failed");
    timer.End("Analyze");
    timer.Start("Stamp");
    if (!OrvImg_Stamp(app, mesh)) return Fail("OrvImg_Create", "OrvImg_Stamp failed");
    timer.End("Stamp");
    return true;
}

bool KxCOrvaneDriver::OrvImg_Sample(KxCMeshItem* item)
{
    if (!item || !item->Mesh()) return false;
    auto* mask = new KxCStencilMask;
    item->set_SampleMask(mask);
    auto* decals = new KxCDecalCntr;
    item->set_DecalCntr(decals);
    if (!mask->Create(item->Mesh(), KxCSampleMask::Mode_Depth)) return Fail("OrvImg_Sample", "mask_pt->Create() failed");
    KxCMeshParam& p = item->MeshParam();
    if (!KxCQuasiSampler::InstancePtr()->Sample(item->Mesh(), mask, decals, &p.Sample(), &p.Decal()))
        return Fail("OrvImg_Sample", "sampler->Sample() failed");
    return true;
}

bool KxCOrvaneDriver::OrvImg_Parameterize(KxCMeshItem* item)
{
    if (!item || !item->Mesh()) return false;
    KxCGEMap& gemap = *KxCGEMap::InstancePtr();
    gemap.Trick() = true;
    if (!gemap.Parameterize(item->Mesh(), item->DecalCntr(), &item->MeshParam().Decal()))
        return Fail("OrvImg_Parameterize", "parameterizer->Parameterize() failed");
    return true;
}

bool KxCOrvaneDriver::OrvImg_Texture(KxCAppItem* app, KxCMeshItem* item)
{
    if (!app || !item || !item->Mesh()) return false;
    KxCTexturer& texturer = *KxCRandomTexturer::InstancePtr();
    if (!texturer.Texture(item->Mesh(), item->DecalCntr(), {}, app->TextureIDs()))
        return Fail("OrvImg_Texture", "texturer->Texture() failed");
    return true;
}

bool KxCOrvaneDriver::OrvImg_Analyze(KxCMeshItem* item)
{
    if (!item || !item->DecalCntr()) return false;
    item->set_DecalGridCntr(new KxCDecalGCntr);
    item->set_DecalGridCntr2(new KxCDecalGCntr);
    KxUtils::Clear_Ptr_Vector(item->WindowGridCntrs());
    if (!KxCAnalyzerOI::InstancePtr()->Analyze(item->DecalCntr(), item->DecalGridCntr(), item->DecalGridCntr2(),
                                               &item->WindowGridCntrs(), item->SampleMask(),
                                               &item->MeshParam().DecalGrid()))
        return Fail("OrvImg_Analyze", "analyzer->Analyze() failed");
    return true;
}

bool KxCOrvaneDriver::OrvImg_Stamp(KxCAppItem* app, KxCMeshItem* item)
{
    if (!app || !item) return false;
    KxUtils::Clear_Ptr_Vector(app->StampGridCntrs());
    KxCStamper& stamper = *KxCStamperCPP::InstancePtr();
    if (!stamper.Stamp(&item->WindowGridCntrs(), &app->StampGridCntrs(), item->SampleMask(),
                       &app->AppParam().StampGrid()))
        return Fail("OrvImg_Stamp", "stamper->Stamp() failed");
    return true;
}

} // namespace OrvaneImage

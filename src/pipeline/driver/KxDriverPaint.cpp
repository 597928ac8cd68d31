// The paint handlers of the main view and the light panel.
#include "pipeline/driver/KxCOrvaneDriver.h"
#include "pipeline/driver/KxItemRendering.h"
#include "render/KxCOGLProjector.h"

namespace OrvaneImage {

void KxCOrvaneDriver::OGLPanel_Paint()
{
    // Locked parts keep the view a running generation captured.
    KxUtils::KxCOGLProjector::InstancePtr()->Init_Project();
    if (mp_AppItem) Render_Mode(mp_AppItem.get(), mp_AppItem->AppProp().Orvane_Mode());
}

void KxCOrvaneDriver::OGLLightTrack_Load()
{
    m_LightView.Look_At(0, 0, 1, 0, 0, 0, 0, 1, 0);
    m_LightView.set_Back_Color(0.94f, 0.94f, 0.94f);
}

void KxCOrvaneDriver::OGLLightTrack_Paint()
{
    KxCAppItem* item = mp_AppItem.get();
    if (!item || !item->CurMeshItem()) return;
    m_LightView.Make_Current();
    KxUtils::KxCLight& light = item->CurMeshItem()->MeshParam().Sample().Importance().Shading().Light();
    light.Update(m_LightView.Modelview_Matrix().data());
    light.Render();
    m_MainView.Make_Current();
    m_MainView.Repaint();
}

} // namespace OrvaneImage

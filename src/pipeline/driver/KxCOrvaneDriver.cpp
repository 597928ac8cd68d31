#include "pipeline/driver/KxCOrvaneDriver.h"

#include <filesystem>

#include "mesh/KxCRenderInfo.h"
#include "pipeline/driver/KxModelLoading.h"
#include "pipeline/params/KxParamMapping.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxOGL.h"
#include "render/JdTexture.h"

namespace OrvaneImage {

namespace fs = std::filesystem;

KxCOrvaneDriver::KxCOrvaneDriver(std::string app_path, KxOGLPanel::KxOGLPanelControl& main_view,
                                 KxOGLPanel::KxOGLPanelControl& light_view)
    : m_AppPath(std::move(app_path)), m_MainView(main_view), m_LightView(light_view)
{
}

KxCOrvaneDriver::~KxCOrvaneDriver()
{
    // The item deletes GL textures of the main view's context.
    m_MainView.Make_Current();
    mp_AppItem.reset();
}

void KxCOrvaneDriver::Form_Init()
{
    m_MainView.set_Paint_Handler([this] { OGLPanel_Paint(); });
    m_LightView.set_Paint_Handler([this] { OGLLightTrack_Paint(); });
    OGLLightTrack_Load();
    m_MainView.Make_Current();
    Create_Textures({m_AppPath + "/data/circle.png"});
}

void KxCOrvaneDriver::Create_Textures(const std::vector<std::string>& files)
{
    for (const std::string& file : files) {
        auto texture = std::make_unique<JdImage::JdTexture>(file);
        if (texture->has_Bitmap()) m_TextureList.push_back(std::move(texture));
        else Throw_Debug_Msg("Form", "Create_Textures", "Read texture failed");
    }
}

std::unique_ptr<KxCAppItem> KxCOrvaneDriver::Create_AppItem(KxEnumAppMode mode)
{
    auto item = std::make_unique<KxCAppItem>();
    item->AppProp().set_App_Mode(mode);
    item->Bind_Textures(m_TextureList);
    return item;
}

void KxCOrvaneDriver::Read_Model(KxCAppItem* item, const KxCIOProp* io, const std::string& path)
{
    if (!item || !io) return;
    KxCMeshItem* mesh_item = Create_MeshItem(path, io, KxEnumMeshType::Subject);
    if (!mesh_item) {
        Throw_Debug_Msg("Form1", "Read_Model", "Read mesh obj file failed");
        return;
    }
    item->Subjects().push_back(mesh_item);
    item->set_CurMeshItem(mesh_item);
}

KxCMeshItem* KxCOrvaneDriver::Create_MeshItem(const std::string& path, const KxCIOProp* io, KxEnumMeshType type)
{
    if (!io) return nullptr;
    const bool vbo_offered = epoxy_has_gl_extension("GL_ARB_vertex_buffer_object");
    std::unique_ptr<KxCAppMesh> mesh = Load_Model_Mesh(path, *io, vbo_offered);
    if (!mesh) return nullptr;
    const KxCColor c = type == KxEnumMeshType::Subject ? Subject_Color : Ground_Color;
    mesh->get_RenderInfo()->set_Mesh_Color(c.r, c.g, c.b, 255);
    auto* item = new KxCMeshItem(mesh.release());
    item->MeshProp().set_File(path);
    item->MeshProp().set_Name(fs::path(path).filename().string());
    item->Update_MeshProp();
    return item;
}

void KxCOrvaneDriver::Active_AppItem(KxCAppItem* item)
{
    if (!item || !item->CurMeshItem()) return;
    const bool video = item->AppProp().App_Mode() == KxEnumAppMode::Orvane_Video;
    item->AppParam().StampGrid().Filter().set_Distance_Ratio(video ? 0.05 : 0.1);
    for (KxCMeshItem* m : item->Subjects()) {
        if (video) Param_Sys2App(m_OVParam, m->MeshParam(), item->AppParam(), item->AppProp());
        else Param_Sys2App(m_OIParam, m->MeshParam(), item->AppParam(), item->AppProp());
    }
}

bool KxCOrvaneDriver::Read_OrvImage(const KxCIOProp* io, const std::string& path)
{
    if (!io) return false;
    const fs::path p(path);
    const std::string ext = p.extension().string();
    if (ext == ".oi") {
        Throw_Debug_Msg("Form1", "Read_OrvImage", "oi file is not supported now...sorry");
        return false;
    }
    if (ext != ".obj") {
        Throw_Debug_Msg("Form1", "Read_OrvImage", "Invalid file type");
        return false;
    }
    m_MainView.Make_Current();
    mp_AppItem.reset();
    mp_AppItem = Create_AppItem(KxEnumAppMode::Orvane_Image);
    Read_Model(mp_AppItem.get(), io, path);
    KxCMeshItem* mesh_item = mp_AppItem->CurMeshItem();
    if (!mesh_item) return false;
    mesh_item->MeshProp().Render_Mode().set_VtxColor_Mode(KxEnumVColorMode::Importance_Smooth);
    mesh_item->Update_Mesh();
    Active_AppItem(mp_AppItem.get());
    if (m_Model_Loaded) m_Model_Loaded(*mesh_item->Mesh());

    const fs::path base = p.parent_path() / p.stem();
    m_MainView.Make_Current();
    if (m_MainView.Read_Modelview(base.string() + ".view"))
        Throw_Debug_Msg("Form1", "Read_OrvImage", "Modelview setting loaded");
    m_MainView.Repaint();
    m_LightView.Make_Current();
    if (m_LightView.Read_Modelview(base.string() + "_light.view"))
        Throw_Debug_Msg("Form1", "Read_OrvImage", "Lighting setting loaded");
    m_LightView.Repaint();
    m_MainView.Repaint();
    return true;
}

} // namespace OrvaneImage

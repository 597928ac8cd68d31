#include "pipeline/items/KxCMeshItem.h"

#include "mesh/KxCPrimitiveOperation.h"
#include "mesh/KxCPrimitiveRender.h"
#include "mesh/KxCRenderInfo.h"
#include "pipeline/util/KxPtrVector.h"

namespace OrvaneImage {

using KxMesh::KxCRenderInfo;

KxCMeshItem::KxCMeshItem(KxCAppMesh* mesh) : mp_Mesh(mesh) {}

KxCMeshItem::~KxCMeshItem()
{
    mp_Mesh.reset();
    mp_SampleMask.reset();
    mp_DecalCntr.reset();
    mp_DecalGridCntr.reset();
    mp_DecalGridCntr2.reset();
    KxUtils::Clear_Ptr_Vector(m_WindowGridCntrs);
}

KxMesh::KxCRender* KxCMeshItem::Plain_Style() const
{
    switch (m_MeshProp.Render_Mode().Render_Mode()) {
    case KxEnumRenderMode::Wireframe: return KxMesh::KxCWireRender::InstancePtr();
    case KxEnumRenderMode::Point: return KxMesh::KxCPointRender::InstancePtr();
    default: return KxMesh::KxCSolidRender::InstancePtr();
    }
}

void KxCMeshItem::Update_Mesh()
{
    if (!mp_Mesh) return;
    KxCRenderInfo* info = mp_Mesh->get_RenderInfo();
    const KxCRenderColorProp& colors = m_MeshProp.Render_Color();
    const auto alpha = static_cast<unsigned char>(colors.Alpha());
    info->set_Mesh_Color(colors.Mesh_Color().r, colors.Mesh_Color().g, colors.Mesh_Color().b, alpha);
    info->set_Wire_Color(colors.Line_Color().r, colors.Line_Color().g, colors.Line_Color().b, alpha);
    info->set_Vertex_Color(colors.Point_Color().r, colors.Point_Color().g, colors.Point_Color().b, alpha);
    const KxCRenderModeProp& mode = m_MeshProp.Render_Mode();
    info->set_Line_Size(mode.Line_Width());
    info->set_Point_Size(mode.Point_Size());
    info->set_Light_Mode(mode.Light());

    // The added wireframe or points decorate the solid style; the box decorates whatever is drawn.
    KxMesh::KxCRender* style = Plain_Style();
    auto decorate = [&style](KxMesh::KxCRenderDec* d) {
        d->set_Component(style);
        style = d;
    };
    if (mode.Render_Mode() == KxEnumRenderMode::Add_Wireframe) decorate(new KxMesh::KxCWireDecorator);
    if (mode.Render_Mode() == KxEnumRenderMode::Add_Point) decorate(new KxMesh::KxCPointDecorator);
    if (mode.AABB()) decorate(new KxMesh::KxCAABBDecorator);
    mp_Mesh->set_RenderMethod(style);
    mp_Style.reset(style->is_Singleton() ? nullptr : style);

    Update_VtxColor();

    switch (m_MeshProp.Select_Mode()) {
    case KxEnumSelectMode::Vertex:
        mp_Mesh->set_PrimitiveRender(KxMesh::KxCVertexRender::InstancePtr());
        mp_Mesh->set_PrimitiveOperation(KxMesh::KxCVertexOperation::InstancePtr());
        break;
    case KxEnumSelectMode::Face:
        mp_Mesh->set_PrimitiveRender(KxMesh::KxCFaceRender::InstancePtr());
        mp_Mesh->set_PrimitiveOperation(KxMesh::KxCFaceOperation::InstancePtr());
        break;
    case KxEnumSelectMode::Edge:
        mp_Mesh->set_PrimitiveRender(KxMesh::KxCEdgeRender::InstancePtr());
        mp_Mesh->set_PrimitiveOperation(KxMesh::KxCEdgeOperation::InstancePtr());
        break;
    default:
        mp_Mesh->set_PrimitiveRender(nullptr);
        mp_Mesh->set_PrimitiveOperation(nullptr);
    }
}

void KxCMeshItem::Update_MeshProp()
{
    if (!mp_Mesh) return;
    m_MeshProp.set_Face_Number(static_cast<int>(mp_Mesh->n_faces()));
    m_MeshProp.set_Vertex_Number(static_cast<int>(mp_Mesh->n_vertices()));
    m_MeshProp.set_Edge_Number(static_cast<int>(mp_Mesh->n_edges()));
    const KxCRenderInfo* info = mp_Mesh->get_RenderInfo();
    auto color = [](const KxCRenderInfo::RGBA& c) { return KxCColor{c[0], c[1], c[2], c[3]}; };
    KxCRenderColorProp& colors = m_MeshProp.Render_Color();
    colors.set_Alpha(info->get_Mesh_Color()[3]);
    colors.set_Mesh_Color(color(info->get_Mesh_Color()));
    colors.set_Line_Color(color(info->get_Wire_Color()));
    colors.set_Point_Color(color(info->get_Vertex_Color()));
    KxCRenderModeProp& mode = m_MeshProp.Render_Mode();
    mode.set_Line_Width(info->get_Line_Size());
    mode.set_Point_Size(info->get_Point_Size());
    mode.set_Light(info->get_Light_Mode());
}

void KxCMeshItem::Update_VtxColor()
{
    if (!mp_Mesh) return;
    KxCRenderInfo* info = mp_Mesh->get_RenderInfo();
    const KxEnumVColorMode mode = m_MeshProp.Render_Mode().VtxColor_Mode();
    if (mode == KxEnumVColorMode::None) {
        info->set_Color_Mode(KxCRenderInfo::COLOR_INTERNAL);
        return;
    }
    info->set_Color_Mode(KxCRenderInfo::COLOR_VERTEX);
    if (mode == KxEnumVColorMode::Importance) mp_Mesh->Convert_To_Gradient(GetImportance());
    else mp_Mesh->Convert_To_Gradient(GetImportanceSmooth());
    // Grey importance shades are only readable unlit.
    m_MeshProp.Render_Mode().set_Light(false);
    info->set_Light_Mode(false);
}

void KxCMeshItem::Update_AnimeProp()
{
    if (!mp_Mesh) return;
    m_AnimeProp.set_Total_Keys(mp_Mesh->Total_Keys());
    m_AnimeProp.set_Total_Frames(mp_Mesh->Total_Frames());
    m_AnimeProp.set_Inter_Frames(mp_Mesh->Inter_Frames());
}

} // namespace OrvaneImage

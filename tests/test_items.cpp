// Application and mesh items: ownership of their products, the drawing state
// pushed into the mesh, texture binding, and the layer rule of the drawing.
#include <gtest/gtest.h>

#include "mesh/KxCRenderInfo.h"
#include "mesh/KxCMeshKernel.h"
#include "pipeline/driver/KxItemRendering.h"
#include "pipeline/items/KxCAppItem.h"
#include "pipeline/util/KxOGL.h"
#include "render/JdTexture.h"
#include "test_support.h"

using namespace orvane_test;
using namespace OrvaneImage;

namespace {

/// Counts its own deletions, to see what an item deletes.
struct KxCountedCntr : KxCDecalCntr {
    explicit KxCountedCntr(int& deleted) : m_Deleted(deleted) {}
    ~KxCountedCntr() override { ++m_Deleted; }
    int& m_Deleted;
};

KxCAppMesh* New_Cube()
{
    auto* mesh = new KxCAppMesh(new KxMesh::KxCTriStripKernel());
    Make_Cube(*mesh);
    return mesh;
}

} // namespace

TEST(Items, SettersKeepTheSameObjectAndDeleteAReplacedOne)
{
    int deleted = 0;
    {
        KxCMeshItem item(nullptr);
        auto* first = new KxCountedCntr(deleted);
        item.set_DecalCntr(first);
        item.set_DecalCntr(first);
        EXPECT_EQ(deleted, 0);
        EXPECT_EQ(item.DecalCntr(), first);
        item.set_DecalCntr(new KxCountedCntr(deleted));
        EXPECT_EQ(deleted, 1);
        item.set_DecalCntr(nullptr);
        EXPECT_EQ(deleted, 2);
        item.set_DecalCntr(new KxCountedCntr(deleted));
    }
    EXPECT_EQ(deleted, 3) << "the item's last container outlived it";
}

TEST(Items, SubjectsByIndex)
{
    KxCAppItem app;
    auto* m = new KxCMeshItem(nullptr);
    app.Subjects().push_back(m);
    EXPECT_EQ(app.get_SubjectAt(0), m);
    EXPECT_EQ(app.get_SubjectAt(1), nullptr);
    EXPECT_EQ(app.get_SubjectAt(-1), nullptr);
}

TEST(Items, ColoursAndAlphaReachTheMeshAndComeBack)
{
    KxCMeshItem item(New_Cube());
    KxCRenderColorProp& colors = item.MeshProp().Render_Color();
    colors.set_Mesh_Color({10, 20, 30, 255});
    colors.set_Line_Color({40, 50, 60, 255});
    colors.set_Point_Color({70, 80, 90, 255});
    colors.set_Alpha(128);
    item.MeshProp().Render_Mode().set_Line_Width(3.0f);
    item.Update_Mesh();
    const KxMesh::KxCRenderInfo& info = *item.Mesh()->get_RenderInfo();
    EXPECT_EQ(info.get_Mesh_Color(), (KxMesh::KxCRenderInfo::RGBA{10, 20, 30, 128}));
    EXPECT_EQ(info.get_Wire_Color(), (KxMesh::KxCRenderInfo::RGBA{40, 50, 60, 128}));
    EXPECT_EQ(info.get_Vertex_Color(), (KxMesh::KxCRenderInfo::RGBA{70, 80, 90, 128}));
    EXPECT_EQ(info.get_Line_Size(), 3.0f);

    KxCMeshItem other(nullptr);
    item.MeshProp() = other.MeshProp();
    item.Update_MeshProp();
    EXPECT_EQ(colors.Alpha(), 128u);
    EXPECT_EQ(colors.Line_Color(), (KxCColor{40, 50, 60, 128}));
    EXPECT_EQ(item.MeshProp().Render_Mode().Line_Width(), 3.0f);
    EXPECT_EQ(item.MeshProp().Face_Number(), 12);
}

TEST(Items, ImportanceColoursSwitchLightingOffUntilTheUserTurnsItOn)
{
    KxCMeshItem item(New_Cube());
    KxCRenderModeProp& mode = item.MeshProp().Render_Mode();
    mode.set_VtxColor_Mode(KxEnumVColorMode::Importance);
    item.Update_VtxColor();
    EXPECT_EQ(item.Mesh()->get_RenderInfo()->get_Color_Mode(), KxMesh::KxCRenderInfo::COLOR_VERTEX);
    EXPECT_FALSE(mode.Light());
    EXPECT_FALSE(item.Mesh()->get_RenderInfo()->get_Light_Mode());
    mode.set_VtxColor_Mode(KxEnumVColorMode::None);
    item.Update_Mesh();
    EXPECT_EQ(item.Mesh()->get_RenderInfo()->get_Color_Mode(), KxMesh::KxCRenderInfo::COLOR_INTERNAL);
    EXPECT_FALSE(item.Mesh()->get_RenderInfo()->get_Light_Mode());
}

// Repeated updates draw the chosen style plus what is added, never a growing chain.
TEST(Items, DrawingStyleIsRebuiltOnEveryUpdate)
{
    KxCMeshItem item(New_Cube());
    KxCRenderModeProp& mode = item.MeshProp().Render_Mode();
    mode.set_Render_Mode(KxEnumRenderMode::Add_Wireframe);
    mode.set_AABB(true);
    for (int i = 0; i < 3; ++i) item.Update_Mesh();
    auto* box = dynamic_cast<KxMesh::KxCAABBDecorator*>(item.Mesh()->get_RenderMethod());
    ASSERT_NE(box, nullptr);
    auto* wire = dynamic_cast<KxMesh::KxCWireDecorator*>(box->get_Component());
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->get_Component(), KxMesh::KxCSolidRender::InstancePtr());

    mode.set_Render_Mode(KxEnumRenderMode::Point);
    mode.set_AABB(false);
    item.Update_Mesh();
    EXPECT_EQ(item.Mesh()->get_RenderMethod(), KxMesh::KxCPointRender::InstancePtr());
}

class ItemsGL : public GLTest {};

TEST_F(ItemsGL, TexturesAreBoundOnceAndReleasedWithTheItem)
{
    TempDir dir;
    Write_File(dir / "bad.png", "not a picture");
    std::vector<std::unique_ptr<JdImage::JdTexture>> textures;
    textures.push_back(std::make_unique<JdImage::JdTexture>(std::string(ORVANE_SOURCE_DIR) + "/data/circle.png"));
    std::vector<unsigned int> names;
    {
        KxCAppItem item;
        item.Bind_Textures({});
        EXPECT_TRUE(item.TextureIDs().empty());
        item.Bind_Textures(textures);
        ASSERT_EQ(item.TextureIDs().size(), 1u);
        // A texture added later is bound alone; one that cannot be uploaded is skipped.
        testing::internal::CaptureStderr();
        textures.push_back(std::make_unique<JdImage::JdTexture>((dir / "bad.png").string()));
        textures.push_back(std::make_unique<JdImage::JdTexture>(std::string(ORVANE_SOURCE_DIR) + "/data/circle.png"));
        item.Bind_Textures(textures);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("KxCAppItem::Bind_Texture: Generate texture object failed"),
                  std::string::npos);
        ASSERT_EQ(item.TextureIDs().size(), 2u);
        names = item.TextureIDs();
        GLint wrap = 0;
        glBindTexture(GL_TEXTURE_2D, names[0]);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
        glBindTexture(GL_TEXTURE_2D, 0);
        EXPECT_EQ(wrap, GL_CLAMP);
    }
    for (unsigned int n : names) EXPECT_FALSE(glIsTexture(n));
}

TEST(Items, LayerRuleClampsAndStoresTheLayer)
{
    const struct {
        int layer, drawn, stored;
    } cases[] = {{-1, -1, -1}, {0, 0, 0}, {2, 2, 2}, {7, 2, 2}, {-3, 0, 0}};
    for (const auto& c : cases) {
        KxCWndGCntrProp prop;
        prop.set_Layer(c.layer);
        EXPECT_EQ(Layer_To_Draw(prop, 3), c.drawn) << c.layer;
        EXPECT_EQ(prop.Layer(), c.stored) << c.layer;
    }
}

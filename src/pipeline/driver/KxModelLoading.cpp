#include "pipeline/driver/KxModelLoading.h"

#include "mesh/KxCMeshKernel.h"

namespace OrvaneImage {

KxCIOProp Still_Image_Options()
{
    KxCIOProp io;
    io.set_Centerize(true);
    io.set_Normalize(true);
    io.set_Gravity(true);
    io.set_Use_VBO(false);
    return io;
}

KxMesh::KxCIOOption Model_IO_Option(const KxCIOProp& io, bool vbo_offered)
{
    std::uint32_t flags = KxMesh::KxCIOOption::Opt_AABB;
    if (io.Use_VBO() && vbo_offered) flags |= KxMesh::KxCIOOption::Opt_VBO;
    if (io.Centerize()) flags |= KxMesh::KxCIOOption::Opt_Centerize;
    return KxMesh::KxCIOOption(flags, io.Normalize() ? 1.0f : 0.0f);
}

std::unique_ptr<KxCAppMesh> Load_Model_Mesh(const std::string& path, const KxCIOProp& io, bool vbo_offered)
{
    auto mesh = std::make_unique<KxCAppMesh>(new KxMesh::KxCTriStripKernel());
    KxMesh::KxCIOOption option = Model_IO_Option(io, vbo_offered);
    if (!mesh->Read_Mesh(path, option)) return nullptr;
    if (io.Gravity()) mesh->Apply_Gravity();
    mesh->Preprocess();
    mesh->Request_KDTree();
    mesh->Request_TangentPlane();
    mesh->Request_Vertex_Flags();
    mesh->Request_Face_Flags();
    return mesh;
}

} // namespace OrvaneImage

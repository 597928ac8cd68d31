#include "mesh/KxCMesh.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "mesh/KxCIOManager.h"
#include "mesh/KxCMeshKernel.h"
#include "mesh/KxCRender.h"
#include "mesh/KxCRenderInfo.h"
#include "mesh/KxCRenderKernel.h"
#include "mesh/KxCPrimitiveOperation.h"
#include "mesh/KxCPrimitiveRender.h"
#include "mesh/KxCVBO.h"
#include "pipeline/util/KxOGL.h"

namespace KxMesh {

KxCMesh::KxCMesh() : KxCMesh(new KxCTriangleKernel()) {}

KxCMesh::KxCMesh(KxCMeshKernel* kernel)
{
    Mesh_Initialize();
    mp_MeshKernel = kernel;
    if (mp_MeshKernel) mp_MeshKernel->Update(this);
}

KxCMesh::~KxCMesh() { Mesh_Release(); }

void KxCMesh::Mesh_Initialize()
{
    mp_IOManager = KxCIOManager::InstancePtr();
    delete mp_RenderInfo;
    mp_RenderInfo = new KxCRenderInfo();
    mp_RenderKernel = KxCRenderKernel::InstancePtr();
    mp_RenderMethod = KxCSolidRender::InstancePtr();
    mp_PrimitiveRender = nullptr;
    mp_PrimitiveOperation = nullptr;
    m_Primitive_Index = -1;
    mp_AABB = nullptr;
    mp_VBO = nullptr;
}

void KxCMesh::Mesh_Release()
{
    mp_IOManager = nullptr;
    delete mp_MeshKernel;
    mp_MeshKernel = nullptr;
    delete mp_RenderInfo;
    mp_RenderInfo = nullptr;
    mp_RenderKernel = nullptr;
    mp_RenderMethod = nullptr;
    mp_PrimitiveRender = nullptr;
    mp_PrimitiveOperation = nullptr;
    m_Primitive_Index = -1;
    Release_AABB();
    Release_VBO();
}

// ---------------------------------------------------------------- services

void KxCMesh::set_IOManager(KxCIOManager* m)
{
    if (m) mp_IOManager = m;
}

void KxCMesh::set_PrimitiveOperation(KxCPrimitiveOperation* op)
{
    if (op != mp_PrimitiveOperation) m_Primitive_Index = -1;
    mp_PrimitiveOperation = op;
}

void KxCMesh::set_RenderInfo(KxCRenderInfo* info)
{
    if (!info || info == mp_RenderInfo) return;
    delete mp_RenderInfo;
    mp_RenderInfo = info;
}

void KxCMesh::set_MeshKernel(KxCMeshKernel* kernel)
{
    if (!kernel || kernel == mp_MeshKernel) return;
    delete mp_MeshKernel;
    mp_MeshKernel = kernel;
    mp_MeshKernel->Update(this);
}

void KxCMesh::Update_Kernel()
{
    if (mp_MeshKernel) mp_MeshKernel->Update(this);
}

// ---------------------------------------------------------------- virtual operations

bool KxCMesh::Read_Mesh(const std::string& file, KxCIOOption& option)
{
    if (!mp_IOManager) return false;
    if (!mp_IOManager->Read_Mesh(this, file, option)) return false;
    set_Default_Property();
    if (mp_MeshKernel) mp_MeshKernel->Update(this);
    Normalize(option.get_ScaleFactor(), option.Has(KxCIOOption::Opt_Centerize));
    if (has_vertex_normals() && !option.Has(KxCIOOption::VertexNormal)) Update_Normals();
    if (option.Has(KxCIOOption::Opt_AABB)) Request_AABB(true);
    if (option.Has(KxCIOOption::Opt_VBO)) Request_VBO();
    return true;
}

bool KxCMesh::Save_Mesh(const std::string& file, KxCIOOption& option)
{
    return mp_IOManager && mp_IOManager->Save_Mesh(this, file, option);
}

void KxCMesh::Render()
{
    if (mp_RenderMethod) mp_RenderMethod->Render(this, mp_MeshKernel, mp_RenderKernel, mp_RenderInfo);
}

void KxCMesh::Render_Geometry()
{
    if (mp_RenderKernel) mp_RenderKernel->Render(this, mp_MeshKernel, mp_RenderInfo);
}

void KxCMesh::Render_Primitive(int index, bool a, bool b, bool c)
{
    if (!mp_PrimitiveRender) return;
    if (index == -1) index = m_Primitive_Index;
    mp_PrimitiveRender->Render(this, mp_RenderInfo, index, a, b, c);
}

bool KxCMesh::Find_Primitive(const Vec3d& point)
{
    if (!mp_PrimitiveOperation) return false;
    m_Primitive_Index = mp_PrimitiveOperation->Find(this, point);
    return m_Primitive_Index != -1;
}

void KxCMesh::set_Default_Property()
{
    set_VPoint_Name("v:points");
    if (has_vertex_normals()) set_VNormal_Name("v:normals");
    if (has_vertex_colors()) set_VColor_Name("v:colors");
    if (has_face_normals()) set_FNormal_Name("f:normals");
    if (has_face_colors()) set_FColor_Name("f:colors");
}

// ---------------------------------------------------------------- role binding

template <class Handle>
Handle& KxCMesh::Bind_Role(Handle& handle, std::string& stored, const std::string& name, const char* message)
{
    Handle found;
    if (get_property_handle(found, name)) {
        handle = found;
        stored = name;
        return handle;
    }
    Handle previous;
    if (stored.empty() || !get_property_handle(previous, stored)) previous = Handle();
    handle = previous;
    std::cerr << message << std::endl;
    return handle;
}

KxVec3Prop& KxCMesh::set_VPoint_Name(const std::string& name)
{
    return Bind_Role(m_VPoint_Prop, m_VPoint_Name, name, "KxCMesh::set_VPoint_Name : Invalid name of the vertex property");
}

KxVec3Prop& KxCMesh::set_VNormal_Name(const std::string& name)
{
    return Bind_Role(m_VNormal_Prop, m_VNormal_Name, name, "KxCMesh::set_VNormal_Name : Invalid name of the vertex property");
}

KxColorProp& KxCMesh::set_VColor_Name(const std::string& name)
{
    return Bind_Role(m_VColor_Prop, m_VColor_Name, name, "KxCMesh::set_VColor_Name : Invalid name of the vertex property");
}

KxFVec3Prop& KxCMesh::set_FNormal_Name(const std::string& name)
{
    return Bind_Role(m_FNormal_Prop, m_FNormal_Name, name, "KxCMesh::set_FNormal_Name : Invalid name of the face property");
}

KxFColorProp& KxCMesh::set_FColor_Name(const std::string& name)
{
    return Bind_Role(m_FColor_Prop, m_FColor_Name, name, "KxCMesh::set_FColor_Name : Invalid name of the face property");
}

// ---------------------------------------------------------------- geometry

KxCMesh::Vec3d KxCMesh::Cal_Face_Normal(KxVec3Prop points, FaceHandle f) const
{
    auto fv = cfv_iter(f);
    const Vec3d& p0 = property(points, *fv);
    const Vec3d& p1 = property(points, *++fv);
    const Vec3d& p2 = property(points, *++fv);
    const Vec3d n = (p2 - p1) % (p0 - p1);
    const double len = n.norm();
    return len == 0.0 ? Vec3d(0, 0, 0) : n / len;
}

KxCMesh::Vec3d KxCMesh::Cal_Vertex_Normal(KxFVec3Prop fnormals, VertexHandle v) const
{
    Vec3d sum(0, 0, 0);
    for (FaceHandle f : vf_range(v)) sum += property(fnormals, f);
    const double len = sum.norm();
    return len == 0.0 ? sum : sum / len;
}

void KxCMesh::Update_Face_Normals(KxVec3Prop points, KxFVec3Prop fnormals)
{
    if (!points.is_valid() || !fnormals.is_valid()) {
        std::cerr << "KxCMesh::Update_Face_Normals : Invalid vertex or face property handle" << std::endl;
        return;
    }
    for (FaceHandle f : faces()) property(fnormals, f) = Cal_Face_Normal(points, f);
}

void KxCMesh::Update_Vertex_Normals(KxVec3Prop vnormals, KxFVec3Prop fnormals)
{
    if (!vnormals.is_valid() || !fnormals.is_valid()) {
        std::cerr << "KxCMesh::Update_Vertex_Normals : Invalid vertex or face property handle" << std::endl;
        return;
    }
    for (VertexHandle v : vertices()) property(vnormals, v) = Cal_Vertex_Normal(fnormals, v);
}

void KxCMesh::Update_Normals()
{
    const bool temporary = !has_face_normals();
    if (temporary) {
        request_face_normals();
        set_FNormal_Name("f:normals");
    }
    Update_Face_Normals(m_VPoint_Prop, m_FNormal_Prop);
    Update_Vertex_Normals(m_VNormal_Prop, m_FNormal_Prop);
    if (temporary) {
        release_face_normals();
        m_FNormal_Prop.reset();
        m_FNormal_Name.clear();
    }
}

void KxCMesh::Request_AABB(bool enlarge)
{
    if (!mp_AABB) mp_AABB = new AABB();
    Update_AABB(enlarge);
}

void KxCMesh::Update_AABB(bool enlarge)
{
    if (!mp_AABB) return;
    if (!m_VPoint_Prop.is_valid()) {
        std::cerr << "KxCMesh::Update_AABB : Invalid vertex property handle" << std::endl;
        return;
    }
    m_Center = Vec3d(0, 0, 0);
    if (n_vertices() == 0) {
        // No vertex to bound: a point box at the origin rather than a division by zero.
        mp_AABB->Extents(m_Center, m_Center);
        return;
    }
    Vec3d lo(99999.0, 99999.0, 99999.0), hi(-99999.0, -99999.0, -99999.0);
    for (VertexHandle v : vertices()) {
        const Vec3d& p = property(m_VPoint_Prop, v);
        lo.minimize(p);
        hi.maximize(p);
        m_Center += p;
    }
    m_Center /= static_cast<double>(n_vertices());
    if (enlarge) {
        const Vec3d d = (hi - lo) * 0.01;
        lo -= d;
        hi += d;
    }
    mp_AABB->Extents(lo, hi);
}

void KxCMesh::Release_AABB()
{
    delete mp_AABB;
    mp_AABB = nullptr;
}

void KxCMesh::Normalize(double scale, bool centre)
{
    Request_AABB(false);
    const Vec3d extent = mp_AABB ? mp_AABB->Diagonal() : Vec3d(0, 0, 0);
    const double e = std::max({extent[0], extent[1], extent[2]});
    // A mesh whose vertices all coincide has no size to scale to; it keeps its size.
    const double factor = (std::fabs(scale) <= 1e-06 || e <= 0.0) ? 1.0 : scale / e;
    for (VertexHandle v : vertices()) {
        Point& p = point(v);
        p = (p - m_Center) * factor;
        if (!centre) p += m_Center;
    }
    Release_AABB();
}

bool KxCMesh::is_Valid() const { return n_vertices() > 0 && n_faces() > 0; }

unsigned int KxCMesh::Scalar_Type() const { return GL_DOUBLE; }

// ---------------------------------------------------------------- vertex buffer object

std::size_t KxCMesh::VBO_Size() const
{
    const std::size_t n = n_vertices();
    return n * 24 + (has_vertex_normals() ? n * 24 : 0) + (has_vertex_colors() ? n * 3 : 0);
}

std::size_t KxCMesh::VBO_Color_Offset() const
{
    return n_vertices() * (has_vertex_normals() ? 48 : 24);
}

void KxCMesh::Request_VBO()
{
    int parts = 1;
    if (has_vertex_normals()) parts = 3;
    if (has_vertex_colors()) parts |= 4;
    if (!mp_VBO) mp_VBO = new KxOGLExt::KxCVBO();
    if (!mp_VBO->Create(nullptr, VBO_Size(), GL_ARRAY_BUFFER, GL_STATIC_DRAW)) {
        Release_VBO();
        std::cerr << "KxCMesh::Request_VBO : create VBO failed" << std::endl;
        return;
    }
    mp_VBO->Switch() = true;
    Update_VBO(parts);
}

void KxCMesh::Update_VBO(int parts)
{
    if (!is_Valid() || !mp_VBO || !mp_VBO->is_Valid()) return;
    const std::size_t n = n_vertices();
    const std::size_t size = VBO_Size();
    glBindBuffer(mp_VBO->Target(), mp_VBO->ID());
    GLint current = 0;
    glGetBufferParameteriv(mp_VBO->Target(), GL_BUFFER_SIZE, &current);
    if (static_cast<std::size_t>(current) != size) {
        if (!mp_VBO->Create(nullptr, size, mp_VBO->Target(), mp_VBO->Usage())) {
            Release_VBO();
            std::cerr << "KxCMesh::Update_VBO : create VBO failed" << std::endl;
            return;
        }
        parts = 7;
        glBindBuffer(mp_VBO->Target(), mp_VBO->ID());
    }
    const GLenum target = mp_VBO->Target();
    if ((parts & 1) && m_VPoint_Prop.is_valid())
        glBufferSubData(target, 0, n * 24, property(m_VPoint_Prop).data_vector().data());
    if ((parts & 2) && has_vertex_normals() && m_VNormal_Prop.is_valid())
        glBufferSubData(target, n * 24, n * 24, property(m_VNormal_Prop).data_vector().data());
    if ((parts & 4) && has_vertex_colors() && m_VColor_Prop.is_valid()) {
        glBufferSubData(target, VBO_Color_Offset(), n * 3, property(m_VColor_Prop).data_vector().data());
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void KxCMesh::Release_VBO()
{
    delete mp_VBO;
    mp_VBO = nullptr;
}

} // namespace KxMesh

#pragma once
// The triangle mesh every subsystem works on: the mesh library's triangle
// mesh with double points, plus named role properties (position, normal,
// colour), the services that read, draw and pick it, a bounding box, an
// optional vertex buffer object and the normalisation applied after loading.
#include <string>

#include "mesh/KxCAxisAlignedBox.h"
#include "mesh/KxCIOOption.h"
#include "mesh/KxMeshTraits.h"
#include "pipeline/util/KxMath.h"

namespace KxOGLExt {
class KxCVBO;
}

namespace KxMesh {

class KxCIOManager;
class KxCMeshKernel;
class KxCRenderInfo;
class KxCRenderKernel;
class KxCRender;
class KxCPrimitiveRender;
class KxCPrimitiveOperation;

class KxCMesh : public KxTriMesh {
public:
    using Vec3d = KxUtils::Vec3d;
    using AABB = KxCAxisAlignedBox<double>;

    /// An empty mesh drawn through a new triangle kernel.
    KxCMesh();
    /// An empty mesh drawn through kernel (owned); null leaves it without a mesh kernel.
    explicit KxCMesh(KxCMeshKernel* kernel);
    virtual ~KxCMesh();
    KxCMesh(const KxCMesh&) = delete;
    KxCMesh& operator=(const KxCMesh&) = delete;

    /// Reads a file through the I/O manager, then binds the roles, updates the
    /// kernel, normalises, recomputes normals unless the file had them, and
    /// builds the box and buffer object the option asks for.
    virtual bool Read_Mesh(const std::string& file, KxCIOOption& option);
    /// Writes the mesh through the I/O manager.
    virtual bool Save_Mesh(const std::string& file, KxCIOOption& option);
    /// Draws the mesh with the installed style (nothing without one).
    virtual void Render();
    /// Draws the faces through the render kernel alone, in the current GL state: the colours
    /// the render info selects, but none of a style's state. Passes that read depth back use
    /// it, since the solid style's polygon offset pushes edge-on triangles far back.
    void Render_Geometry();
    /// Highlights a primitive; index -1 means the last one found by Find_Primitive.
    virtual void Render_Primitive(int index, bool a, bool b, bool c);
    /// Picks the primitive at a point with the installed operation; true when one was found.
    virtual bool Find_Primitive(const Vec3d& point);
    /// Binds the role handles to the library's built-in properties that exist.
    virtual void set_Default_Property();

    // Services (the mesh owns its kernel and render info only).
    void set_IOManager(KxCIOManager* m);
    void set_RenderKernel(KxCRenderKernel* k) { mp_RenderKernel = k; }
    void set_RenderMethod(KxCRender* r) { mp_RenderMethod = r; }
    void set_PrimitiveRender(KxCPrimitiveRender* r) { mp_PrimitiveRender = r; }
    /// Installs a picking operation; a different one forgets the last picked index.
    void set_PrimitiveOperation(KxCPrimitiveOperation* op);
    /// Takes ownership of info (null and the current object are ignored).
    void set_RenderInfo(KxCRenderInfo* info);
    /// Takes ownership of kernel and updates it (null and the current object are ignored).
    void set_MeshKernel(KxCMeshKernel* kernel);
    /// Rebuilds the kernel's derived data after a connectivity change.
    void Update_Kernel();

    KxCRenderInfo* get_RenderInfo() const { return mp_RenderInfo; }
    KxCRender* get_RenderMethod() const { return mp_RenderMethod; }
    KxCMeshKernel* get_MeshKernel() const { return mp_MeshKernel; }
    KxCPrimitiveRender* get_PrimitiveRender() const { return mp_PrimitiveRender; }
    KxCPrimitiveOperation* get_PrimitiveOperation() const { return mp_PrimitiveOperation; }
    int get_Primitive_Index() const { return m_Primitive_Index; }

    // Role properties: each setter looks a property up by name and returns the stored handle.
    KxVec3Prop& set_VPoint_Name(const std::string& name);
    KxVec3Prop& set_VNormal_Name(const std::string& name);
    KxColorProp& set_VColor_Name(const std::string& name);
    KxFVec3Prop& set_FNormal_Name(const std::string& name);
    KxFColorProp& set_FColor_Name(const std::string& name);
    KxVec3Prop& get_VPoint_Prop() { return m_VPoint_Prop; }
    KxVec3Prop& get_VNormal_Prop() { return m_VNormal_Prop; }
    KxColorProp& get_VColor_Prop() { return m_VColor_Prop; }
    KxFVec3Prop& get_FNormal_Prop() { return m_FNormal_Prop; }
    std::string get_VPoint_Name() const { return m_VPoint_Name; }

    // Geometry.
    /// Face normals, then vertex normals, through the role properties.
    void Update_Normals();
    void Update_Face_Normals(KxVec3Prop points, KxFVec3Prop fnormals);
    void Update_Vertex_Normals(KxVec3Prop vnormals, KxFVec3Prop fnormals);
    /// Unit normal (p2 - p1) x (p0 - p1) of a face; zero for a degenerate face.
    Vec3d Cal_Face_Normal(KxVec3Prop points, FaceHandle f) const;
    /// Unit sum of the stored normals of the faces around v, each counted once; zero when they cancel.
    Vec3d Cal_Vertex_Normal(KxFVec3Prop fnormals, VertexHandle v) const;
    /// Creates the box if needed and updates it.
    void Request_AABB(bool enlarge);
    /// Recomputes box and vertex average; enlarge adds 1 % of the extent on each side.
    void Update_AABB(bool enlarge);
    void Release_AABB();
    /// Scales the largest box side to scale (|scale| <= 1e-6 keeps the size) about
    /// the vertex average, moving that average to the origin when centre is set.
    /// Leaves no box behind.
    void Normalize(double scale, bool centre);
    /// True with at least one vertex and one face.
    bool is_Valid() const;
    /// OpenGL type of positions and normals (GL_DOUBLE).
    unsigned int Scalar_Type() const;
    const Vec3d& Center() const { return m_Center; }
    AABB* get_AABB() const { return mp_AABB; }
    AABB* get_AABBPtr() const { return mp_AABB; }

    // Vertex buffer object: positions, then normals (when present), then colours.
    /// Creates the buffer object sized for the mesh and uploads every part.
    void Request_VBO();
    /// Uploads the parts in mask (1 positions, 2 normals, 4 colours); re-creates a buffer of the wrong size.
    void Update_VBO(int parts);
    void Release_VBO();
    /// Byte offset of the colours in the buffer object (after positions and normals).
    std::size_t VBO_Color_Offset() const;
    KxOGLExt::KxCVBO* get_VBOPtr() const { return mp_VBO; }
    bool has_VBO() const { return mp_VBO != nullptr; }

protected:
    KxVec3Prop m_VPoint_Prop;
    KxVec3Prop m_VNormal_Prop;
    KxColorProp m_VColor_Prop;
    KxFVec3Prop m_FNormal_Prop;
    KxFColorProp m_FColor_Prop;
    KxCRenderInfo* mp_RenderInfo = nullptr;
    AABB* mp_AABB = nullptr;
    KxOGLExt::KxCVBO* mp_VBO = nullptr;

private:
    void Mesh_Initialize();
    void Mesh_Release();
    std::size_t VBO_Size() const;
    template <class Handle>
    Handle& Bind_Role(Handle& handle, std::string& stored, const std::string& name, const char* message);

    KxCIOManager* mp_IOManager = nullptr;
    KxCMeshKernel* mp_MeshKernel = nullptr;
    KxCRenderKernel* mp_RenderKernel = nullptr;
    KxCRender* mp_RenderMethod = nullptr;
    KxCPrimitiveRender* mp_PrimitiveRender = nullptr;
    KxCPrimitiveOperation* mp_PrimitiveOperation = nullptr;
    std::string m_VPoint_Name;
    std::string m_VNormal_Name;
    std::string m_VColor_Name;
    std::string m_FNormal_Name;
    std::string m_FColor_Name;
    int m_Primitive_Index = -1;
    Vec3d m_Center{0, 0, 0};
};

} // namespace KxMesh

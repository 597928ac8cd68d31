#pragma once
// How a mesh's triangles are submitted to OpenGL: one draw per triangle,
// triangle strips built by the mesh library, or one index array.
#include <OpenMesh/Tools/Utils/StripifierT.hh>

#include <memory>
#include <vector>

namespace KxMesh {

class KxCMesh;

class KxCMeshKernel {
public:
    virtual ~KxCMeshKernel() = default;
    /// Rebuilds derived data after the mesh's connectivity changed.
    virtual void Update(KxCMesh* mesh) = 0;
    /// Frees derived data.
    virtual void Release() {}
    /// Submits the triangles (arrays are set up by the render kernel).
    virtual void Render(KxCMesh* mesh) = 0;
};

/// One draw of three indices per face, in face order.
class KxCTriangleKernel : public KxCMeshKernel {
public:
    void Update(KxCMesh*) override {}
    void Render(KxCMesh* mesh) override;
};

/// Triangle strips from the mesh library's strip builder, bound to the mesh of the first update.
class KxCTriStripKernel : public KxCMeshKernel {
public:
    ~KxCTriStripKernel() override;
    void Update(KxCMesh* mesh) override;
    void Release() override;
    void Render(KxCMesh* mesh) override;
    /// Number of strips built (0 after a failure or before the first update).
    std::size_t Strip_Count() const;

private:
    std::unique_ptr<OpenMesh::StripifierT<KxCMesh>> mp_Strips;
};

/// All face indices in one array, drawn with one call; deleted faces are skipped.
class KxCFaceArrayKernel : public KxCMeshKernel {
public:
    void Update(KxCMesh* mesh) override;
    void Release() override { m_Indices.clear(); m_Indices.shrink_to_fit(); }
    void Render(KxCMesh* mesh) override;

private:
    std::vector<unsigned int> m_Indices;
};

} // namespace KxMesh

#pragma once
// Sets up and tears down the vertex, normal and colour arrays of a draw, from
// the mesh's buffer object when it is switched on, else from client memory.
#include "mesh/KxCDecorator.h"
#include "pipeline/util/KxCSingleton.h"

namespace KxMesh {

class KxCMesh;
class KxCMeshKernel;
class KxCRenderInfo;

class KxCRenderKernel : public KxCSingleton<KxCRenderKernel> {
public:
    ~KxCRenderKernel() override = default;
    /// Binds the arrays and sets the colour and lighting the render info asks for.
    virtual void Begin(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info);
    /// Unbinds what Begin bound and restores the client array state.
    virtual void End(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info);
    /// Begin, the mesh kernel's draws, End.
    virtual void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info);
    /// True for the shared instance; decorators never delete it.
    virtual bool is_Singleton() const { return true; }
};

/// A render kernel that forwards to its component kernel.
class KxCRenderKernelDec : public KxCDecorator<KxCRenderKernel> {
public:
    void Begin(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info) override;
    void End(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info) override;
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderInfo* info) override;
};

} // namespace KxMesh

#pragma once
// Whole-mesh drawing styles (solid, wireframe, points) and the decorators
// that stack extra drawing on another style (wireframe, points, bounding box).
// Each style sets its own GL state and restores what it touched.
#include "mesh/KxCDecorator.h"
#include "pipeline/util/KxCSingleton.h"

namespace KxMesh {

class KxCMesh;
class KxCMeshKernel;
class KxCRenderKernel;
class KxCRenderInfo;

class KxCRender {
public:
    virtual ~KxCRender() = default;
    /// Draws the mesh; does nothing without render kernel or render info.
    virtual void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) = 0;
    /// True for the shared style instances; decorators never delete them.
    virtual bool is_Singleton() const { return false; }
};

/// Filled, lit, blended polygons in Mesh_Color, offset behind lines and points.
class KxCSolidRender : public KxCRender, public KxCSingleton<KxCSolidRender> {
public:
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) override;
    bool is_Singleton() const override { return true; }
};

/// Unlit polygon outlines in Wire_Color, Line_Size wide.
class KxCWireRender : public KxCRender, public KxCSingleton<KxCWireRender> {
public:
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) override;
    bool is_Singleton() const override { return true; }
};

/// Every vertex as an unlit point in Vertex_Color, Point_Size large.
class KxCPointRender : public KxCRender, public KxCSingleton<KxCPointRender> {
public:
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) override;
    bool is_Singleton() const override { return true; }
};

/// A style that draws its component.
class KxCRenderDec : public KxCDecorator<KxCRender> {
public:
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) override;
};

/// The component, then the wireframe style.
class KxCWireDecorator : public KxCRenderDec {
public:
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) override;
};

/// The component, then the point style.
class KxCPointDecorator : public KxCRenderDec {
public:
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) override;
};

/// The component, then the mesh's bounding box as red lines 4 pixels wide
/// (only a box that exists and is not in its null state).
class KxCAABBDecorator : public KxCRenderDec {
public:
    void Render(KxCMesh* mesh, KxCMeshKernel* kernel, KxCRenderKernel* rkernel, KxCRenderInfo* info) override;
};

} // namespace KxMesh

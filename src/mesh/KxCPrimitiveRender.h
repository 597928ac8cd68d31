#pragma once
// Highlights of one picked vertex, face or edge and, by three flags, its
// neighbourhood. The render info's colours are left as they were.
#include "mesh/KxCDecorator.h"
#include "pipeline/util/KxCSingleton.h"

namespace KxMesh {

class KxCMesh;
class KxCRenderInfo;

class KxCPrimitiveRender {
public:
    virtual ~KxCPrimitiveRender() = default;
    /// Draws the highlight of element index; nothing for -1, an out-of-range or a deleted element.
    virtual void Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c) = 0;
    /// True for the shared highlights; decorators never delete them.
    virtual bool is_Singleton() const { return false; }
};

/// Forwards to its component.
class KxCPrimitiveRenderDec : public KxCDecorator<KxCPrimitiveRender> {
public:
    void Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c) override;
};

/// The vertex; a: its one-ring neighbours; b: the faces around it; c: its edges.
class KxCVertexRender : public KxCPrimitiveRender, public KxCSingleton<KxCVertexRender> {
public:
    void Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c) override;
    bool is_Singleton() const override { return true; }
};

/// The face; a: its three vertices; b: its neighbouring faces; c: its three edges.
class KxCFaceRender : public KxCPrimitiveRender, public KxCSingleton<KxCFaceRender> {
public:
    void Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c) override;
    bool is_Singleton() const override { return true; }
};

/// The edge; a: its two end vertices; b: its adjacent faces; c: unused.
class KxCEdgeRender : public KxCPrimitiveRender, public KxCSingleton<KxCEdgeRender> {
public:
    void Render(KxCMesh* mesh, KxCRenderInfo* info, int index, bool a, bool b, bool c) override;
    bool is_Singleton() const override { return true; }
};

} // namespace KxMesh

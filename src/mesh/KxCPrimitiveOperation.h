#pragma once
// Picking: the vertex, face or edge of a mesh at a 3D point (typically a
// mouse position unprojected onto the drawn surface).
#include "mesh/KxCDecorator.h"
#include "pipeline/util/KxCSingleton.h"
#include "pipeline/util/KxMath.h"

namespace KxMesh {

class KxCMesh;

class KxCPrimitiveOperation {
public:
    virtual ~KxCPrimitiveOperation() = default;
    /// Index of the element at point, or -1 (also for a mesh that is not valid).
    virtual int Find(KxCMesh* mesh, const KxUtils::Vec3d& point) = 0;
    /// True for the shared operations; decorators never delete them.
    virtual bool is_Singleton() const { return false; }
};

/// Forwards to its component; -1 without one.
class KxCPrimitiveOperationDec : public KxCDecorator<KxCPrimitiveOperation> {
public:
    int Find(KxCMesh* mesh, const KxUtils::Vec3d& point) override;
};

/// The nearest vertex (lowest index on ties) when it is within 0.01 mesh units.
class KxCVertexOperation : public KxCPrimitiveOperation, public KxCSingleton<KxCVertexOperation> {
public:
    int Find(KxCMesh* mesh, const KxUtils::Vec3d& point) override;
    bool is_Singleton() const override { return true; }
};

/// The lowest-index face that contains the point (IfPointInFace).
class KxCFaceOperation : public KxCPrimitiveOperation, public KxCSingleton<KxCFaceOperation> {
public:
    int Find(KxCMesh* mesh, const KxUtils::Vec3d& point) override;
    bool is_Singleton() const override { return true; }
};

/// The lowest-index edge the point lies on (IfPointOnEdge).
class KxCEdgeOperation : public KxCPrimitiveOperation, public KxCSingleton<KxCEdgeOperation> {
public:
    int Find(KxCMesh* mesh, const KxUtils::Vec3d& point) override;
    bool is_Singleton() const override { return true; }
};

} // namespace KxMesh

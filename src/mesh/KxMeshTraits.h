#pragma once
// The mesh library instantiation every mesh of the system uses: double points
// and normals, byte colours, vertex and face normals present from construction.
#include <OpenMesh/Core/Mesh/TriMesh_ArrayKernelT.hh>

namespace KxMesh {

struct KxMeshTraits : public OpenMesh::DefaultTraits {
    typedef OpenMesh::Vec3d Point;
    typedef OpenMesh::Vec3d Normal;
    typedef OpenMesh::Vec3uc Color;

    VertexAttributes(OpenMesh::Attributes::Normal);
    FaceAttributes(OpenMesh::Attributes::Normal);
    HalfedgeAttributes(OpenMesh::Attributes::PrevHalfedge);
};

using KxTriMesh = OpenMesh::TriMesh_ArrayKernelT<KxMeshTraits>;
using KxVec3Prop = OpenMesh::VPropHandleT<OpenMesh::Vec3d>;
using KxColorProp = OpenMesh::VPropHandleT<OpenMesh::Vec3uc>;
using KxFVec3Prop = OpenMesh::FPropHandleT<OpenMesh::Vec3d>;
using KxFColorProp = OpenMesh::FPropHandleT<OpenMesh::Vec3uc>;

} // namespace KxMesh

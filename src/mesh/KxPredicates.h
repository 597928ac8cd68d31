#pragma once
// Point-in-triangle and point-on-segment tests with fixed angular tolerances,
// used to pick a face or an edge at a 3D point. Directions are divided by
// their lengths without a guard: a zero length makes every comparison fail,
// so a degenerate triangle or a point on a vertex picks nothing.
#include <OpenMesh/Core/Geometry/VectorT.hh>

#include <cmath>

namespace KxMesh {

/// True when p lies on the inner side of the three edge planes of (P0, P1, P2)
/// and the direction from P0 to p is within about 53.13 degrees of the triangle's plane.
template <class S, int N>
bool IfPointInFace(const OpenMesh::VectorT<S, N>& p, const OpenMesh::VectorT<S, N>& P0,
                   const OpenMesh::VectorT<S, N>& P1, const OpenMesh::VectorT<S, N>& P2)
{
    const auto e01 = P1 - P0, e12 = P2 - P1, e02 = P2 - P0;
    auto n = e01 % e02;
    n /= n.norm();
    auto d = p - P0;
    d /= d.norm();
    return ((p - P0) | (n % e01)) >= 0 && ((p - P1) | (n % e12)) >= 0 && ((p - P2) | (e02 % n)) >= 0 &&
           std::abs(d | n) <= 0.8;
}

/// True when p lies between P0 and P1: the directions to p from both ends make
/// at least about 154.2 degrees, and the direction from P0 is within about 25.8 degrees of the edge.
template <class S, int N>
bool IfPointOnEdge(const OpenMesh::VectorT<S, N>& p, const OpenMesh::VectorT<S, N>& P0, const OpenMesh::VectorT<S, N>& P1)
{
    auto d = P1 - P0;
    d /= d.norm();
    auto a = p - P0;
    a /= a.norm();
    auto b = p - P1;
    b /= b.norm();
    const S ab = a | b, ad = a | d;
    return ab < 0 && ad > 0 && ab + 1 <= 0.1 && 1 - ad <= 0.1;
}

} // namespace KxMesh

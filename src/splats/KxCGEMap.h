#pragma once
// The geodesic patch parameterizer: a discrete exponential map around each
// splat centre. The patch is collected by a depth-first walk inside the
// straight-line ball of the splat radius, cut to the radius along shortest
// edge paths (Dijkstra, Boost Graph Library), and every vertex gets the sum
// of the edge vectors along its shortest path, each expressed in a tangent
// frame carried from the centre (geodesic polar coordinates).
#include <vector>

#include "pipeline/util/KxCSingleton.h"
#include "splats/KxCParameterizer.h"

namespace OrvaneImage {

class KxCGEMap : public KxCParameterizer, public KxCSingleton<KxCGEMap> {
public:
    using KxCParameterizer::Parameterize;

    /// For every visible splat in order: patch, parameters, rectangle, scale, texture coordinates.
    /// Invisible splats are left as they are. Needs the mesh's tangent frames (curvature
    /// property), vertex and face flags (all 0; left 0) and the projector's captured view.
    /// False after a report for a null mesh or parameters, an empty vector, or missing
    /// curvature or flags (flag arrays whose size does not match the mesh count as missing).
    /// Degenerate cases: a patch whose parameters all vanish (the centre alone) keeps them
    /// at 0 and gets Scale 1; an edge (nearly) parallel to the normal at its start vertex
    /// (|t| <= 1e-12 |e|) contributes a zero step; arccos arguments are clamped to [-1, 1];
    /// a visible splat whose VertexIdx is not a mesh vertex is left without a patch.
    bool Parameterize(KxCAppMesh* mesh, std::vector<KxCDecal*>& decals, const KxCDecalParam* param) override;

    /// Frame transport: true rotates the centre frame to each predecessor along the
    /// normals (gemap_trick_visitor); false reads the stored frame at every predecessor
    /// (gemap_visitor). The pipeline sets it to true before every call.
    bool& Trick() { return m_Trick; }

private:
    bool m_Trick = false;
};

} // namespace OrvaneImage

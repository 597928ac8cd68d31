#pragma once
// Fills the patches of splats: vertices and faces around each centre, 2D
// coordinates, texture coordinates, window rectangle and scale.
#include <vector>

namespace OrvaneImage {

class KxCAppMesh;
class KxCDecal;
class KxCDecalCntr;
class KxCDecalParam;

class KxCParameterizer {
public:
    virtual ~KxCParameterizer() = default;

    /// Parameterizes the splats of the vector on the mesh; false (after a report) on invalid input.
    virtual bool Parameterize(KxCAppMesh* mesh, std::vector<KxCDecal*>& decals, const KxCDecalParam* param) = 0;

    /// Forwards to the virtual operation with the container's splats when mesh, container and
    /// parameters are all present; otherwise reports "Invalid inputs" and returns false.
    bool Parameterize(KxCAppMesh* mesh, KxCDecalCntr* cntr, const KxCDecalParam* param);
};

} // namespace OrvaneImage

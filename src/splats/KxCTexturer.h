#pragma once
// Picks the texture every splat shows, from lists of OpenGL texture names.
#include <vector>

#include "pipeline/util/KxCSingleton.h"

namespace OrvaneImage {

class KxCAppMesh;
class KxCDecal;
class KxCDecalCntr;

class KxCTexturer {
public:
    virtual ~KxCTexturer() = default;

    /// Sets TextureID of the splats from the preferred list (when non-empty) or the full list;
    /// false (after a report) on invalid input.
    virtual bool Texture(KxCAppMesh* mesh, std::vector<KxCDecal*>& decals, const std::vector<unsigned int>& preferred,
                         const std::vector<unsigned int>& full) = 0;

    /// Forwards to the virtual operation with the container's splats when mesh and container
    /// are present; otherwise reports "Invalid inputs" and returns false.
    bool Texture(KxCAppMesh* mesh, KxCDecalCntr* cntr, const std::vector<unsigned int>& preferred,
                 const std::vector<unsigned int>& full);
};

/// One random draw per splat in container order (after a reseed with 1024 when
/// AppGlobal::g_Fix_Rand is set): texture L[floor(r / 32767 x (n - 1))] of the list L in use.
class KxCRandomTexturer : public KxCTexturer, public KxCSingleton<KxCRandomTexturer> {
public:
    using KxCTexturer::Texture;

    /// Every splat, visible or not, gets a texture. False after a report for a null mesh,
    /// no splats or an empty full list (even when the preferred list is not empty).
    bool Texture(KxCAppMesh* mesh, std::vector<KxCDecal*>& decals, const std::vector<unsigned int>& preferred,
                 const std::vector<unsigned int>& full) override;
};

} // namespace OrvaneImage

#pragma once
// The splats of one mesh item: owned, in creation order, drawn textured with
// optional markers.
#include <vector>

#include "splats/KxCDecal.h"

namespace OrvaneImage {

class KxCAppMesh;
class KxCDecalCntrProp;
class KxCDecalParam;

class KxCDecalCntr {
public:
    KxCDecalCntr() = default;
    KxCDecalCntr(const KxCDecalCntr&) = delete;
    KxCDecalCntr& operator=(const KxCDecalCntr&) = delete;
    /// Deletes every splat.
    virtual ~KxCDecalCntr();

    /// The splats; samplers append to it and the container owns what it holds.
    std::vector<KxCDecal*>& Decals() { return m_Decals; }
    /// Deletes every splat and empties the vector.
    virtual void Clear();
    /// Draws the visible, drawable splats and the markers the switches select, inside the
    /// caller's camera set-up. Nothing when either argument is null.
    virtual void Render(KxCAppMesh* mesh, const KxCDecalCntrProp* prop);

    /// Radius <- Radius_Scale x Radius2 for every splat.
    void Apply_RadiusXform(const KxCDecalParam& param);
    /// Texture coordinate <- parameter x Texture_Scale + (0.5, 0.5) for every splat.
    void Apply_TextureXform(const KxCDecalParam& param);

private:
    std::vector<KxCDecal*> m_Decals;
};

} // namespace OrvaneImage

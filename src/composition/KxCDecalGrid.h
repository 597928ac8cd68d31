#pragma once
// The image-space footprint of one splat, or of a blob of merged splats: the
// pixels it covers and an RGBA texture made from them.
#include <cstdint>
#include <vector>

#include "composition/KxCGrid.h"
#include "pipeline/util/KxMath.h"

namespace OrvaneImage {

class KxCDecal;

class KxCDecalGrid : public KxCGrid {
public:
    using Vec2s = KxUtils::Vec2s;

    /// An empty grid without texture, enabled.
    KxCDecalGrid() = default;
    /// Copies the rectangle (transform zero) and every added field, texture name
    /// included: set Share_Texture on the copy unless it is to own the texture.
    KxCDecalGrid(const KxCDecalGrid& other) = default;
    /// Copies the rectangle (own transform kept) and every added field, texture name included.
    KxCDecalGrid& operator=(const KxCDecalGrid& other) = default;
    /// Deletes the texture unless it is shared; needs the GL context current when there is one.
    ~KxCDecalGrid() override;

    /// Clears the rectangle and resets the added fields; the texture name is
    /// dropped, not deleted.
    void Clear() override;
    /// Resets only the added fields (texture name dropped, not deleted).
    void Clear_Local();

    /// OpenGL texture name of the grid's RGBA texture; 0 = none.
    std::uint32_t& TextureID() { return m_TextureID; }
    std::uint32_t TextureID() const { return m_TextureID; }
    /// The grid's pixels relative to corner 0; (x, y) stands for texel y * width + x.
    std::vector<Vec2s>& Points() { return m_Points; }
    const std::vector<Vec2s>& Points() const { return m_Points; }
    /// The texture belongs to another grid and is not deleted by this one.
    bool& Share_Texture() { return m_Share_Texture; }
    bool Share_Texture() const { return m_Share_Texture; }
    /// Drawn when it is part of a stamp.
    bool& Stamp_Flag() { return m_Stamp_Flag; }
    bool Stamp_Flag() const { return m_Stamp_Flag; }
    /// Lies near the silhouette.
    bool& Boundary_Flag() { return m_Boundary_Flag; }
    bool Boundary_Flag() const { return m_Boundary_Flag; }
    /// Passed the area filter: drawn and used for windows.
    bool& Enabled() { return m_Enabled; }
    bool Enabled() const { return m_Enabled; }
    /// Number of ink pixels (entries of Points).
    unsigned int Texture_Area() const { return static_cast<unsigned int>(m_Points.size()); }

protected:
    std::uint32_t m_TextureID = 0;
    std::vector<Vec2s> m_Points;
    std::vector<KxCDecal*> m_Decals; ///< not owned; copied with the grid
    bool m_Share_Texture = false;
    bool m_Stamp_Flag = false;
    bool m_Boundary_Flag = false;
    bool m_Enabled = true;
};

} // namespace OrvaneImage

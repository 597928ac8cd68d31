#pragma once
// One splat: a small textured piece of the surface around a centre vertex.
// The samplers set its centre, radii and visibility; the parameterizer fills
// its patch (vertices, faces, 2D parameters, texture coordinates), rectangle
// and scale; the texturer names its texture; the image analysis sets
// Boundary and may clear Visible.
#include <vector>

#include "composition/KxCGrid.h"
#include "pipeline/util/KxMath.h"

namespace OrvaneImage {

class KxCDecal {
public:
    using Vec2d = KxUtils::Vec2d;
    using Vec3d = KxUtils::Vec3d;

    /// Visible, no vertex (-1), no texture (0), zero radii, scale 1, no patch.
    KxCDecal();
    /// Deep copies: every field, arrays and rectangle included.
    KxCDecal(const KxCDecal& other) = default;
    KxCDecal& operator=(const KxCDecal& other) = default;
    virtual ~KxCDecal() = default;

    /// Window coordinates of the centre: x, y in pixels (origin lower left), z the depth in [0, 1].
    Vec3d& Point2D() { return m_Point2D; }
    /// Object-space position of the centre vertex.
    Vec3d& Point3D() { return m_Point3D; }
    /// Mesh vertex at the centre; -1 for none.
    int& VertexIdx() { return m_VertexIdx; }
    /// OpenGL texture name; 0 for none.
    unsigned int& TextureID() { return m_TextureID; }
    /// Patch radius in object units (straight-line and along-surface cut-off).
    double& Radius() { return m_Radius; }
    /// Base radius chosen by the sampler; Radius = Radius_Scale x Radius2 after Apply_RadiusXform.
    double& Radius2() { return m_Radius2; }
    /// Factor that mapped the patch parameters into the texture square.
    double& Scale() { return m_Scale; }
    /// Window-space bounding rectangle of the projected patch, clamped to the viewport.
    KxCGrid& Rectangle() { return m_Rectangle; }
    /// Mesh vertices of the patch in discovery order; entry 0 is the centre.
    std::vector<int>& VertexIndices() { return m_VertexIndices; }
    /// Mesh faces of the patch.
    std::vector<int>& FaceIndices() { return m_FaceIndices; }
    /// Positions of the patch vertices, parallel to VertexIndices.
    std::vector<Vec3d>& VertexArray() { return m_VertexArray; }
    /// Three local vertex indices per patch face.
    std::vector<unsigned int>& FaceArray() { return m_FaceArray; }
    /// Scaled 2D coordinates around the centre (0, 0), all within sqrt(2)/2 of it.
    std::vector<Vec2d>& ParameterArray() { return m_ParameterArray; }
    /// Texture coordinates; the centre is at (0.5, 0.5).
    std::vector<Vec2d>& TexCoordArray() { return m_TexCoordArray; }
    /// Whether the splat takes part in the picture.
    bool& Visible() { return m_Visible; }
    /// Its drawn footprint comes near the silhouette.
    bool& Boundary() { return m_Boundary; }

    /// Clears the rectangle and the six patch arrays; centre, radii, scale, texture and flags stay.
    void Parameterize_Init();
    /// VertexArray and FaceArray are both non-empty.
    bool is_Patch_Ready() const { return !m_VertexArray.empty() && !m_FaceArray.empty(); }
    /// Texture coordinates exist and a texture is named.
    bool is_Texture_Ready() const { return !m_TexCoordArray.empty() && m_TextureID != 0; }

private:
    Vec3d m_Point2D{0, 0, 0};
    Vec3d m_Point3D{0, 0, 0};
    int m_VertexIdx = -1;
    unsigned int m_TextureID = 0;
    double m_Radius = 0.0;
    double m_Radius2 = 0.0;
    double m_Scale = 1.0;
    KxCGrid m_Rectangle;
    std::vector<int> m_VertexIndices;
    std::vector<int> m_FaceIndices;
    std::vector<Vec3d> m_VertexArray;
    std::vector<unsigned int> m_FaceArray;
    std::vector<Vec2d> m_ParameterArray;
    std::vector<Vec2d> m_TexCoordArray;
    bool m_Visible = true;
    bool m_Boundary = false;
};

} // namespace OrvaneImage

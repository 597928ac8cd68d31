#pragma once
// Where the mesh is visible under the current camera, in window pixels: a
// tight bounding rectangle, an 8-bit object mask inside it (255 = object),
// distance images, the silhouette contours, a silhouette band and per-pixel
// depth. Every image and per-pixel vector covers the rectangle and is stored
// bottom row first: element (row r, column c) is window pixel (x0 + c, y0 + r).
//
// A mask is made for one view by Create and is only valid for that view.
// Every step projects with the projector's captured view (KxCOGLProjector).
#include <vector>

#include "composition/KxCCntrData.h"
#include "composition/KxCGrid.h"
#include "sampling/KxCCvData.h"

namespace OrvaneImage {

class KxCAppMesh;
class KxCSampleMaskProp;

class KxCSampleMask {
public:
    /// Mode bit of Create: read the depth of every rectangle pixel.
    static constexpr int Mode_Depth = 2;

    KxCSampleMask();
    virtual ~KxCSampleMask() = default;
    KxCSampleMask(const KxCSampleMask&) = delete;
    KxCSampleMask& operator=(const KxCSampleMask&) = delete;

    /// Create_Rect, Create_Specific, Create_Aux; stops at the first failure with its line.
    bool Create(KxCAppMesh* mesh, int mode);
    /// Loose rectangle: the projected bounding box of the mesh, clamped to the viewport.
    bool Create_Rect(KxCAppMesh* mesh, int mode);
    /// Object pixels, tight rectangle, mask image, contours and per-pixel maps.
    virtual bool Create_Specific(KxCAppMesh* mesh, int mode) = 0;
    /// Distance images: inside the object (to the background) and over the viewport (to the object).
    bool Create_Aux();
    /// Empties everything.
    virtual void Clear();

    /// The rectangle is at least 2 x 2 pixels.
    bool is_Valid() const { return m_Rect.is_Valid(); }
    KxCGrid* Rectangle() { return &m_Rect; }
    KxCCvData* Mask_Image() { return &m_MaskImage; }
    /// Float distance of each object pixel to the nearest background pixel; 0 on background.
    KxCCvData* Dist_Image() { return &m_DistImage; }
    /// Float distance to the object over the whole viewport, indexed by pixel relative to the
    /// viewport origin; 0 on the object.
    KxCCvData* Dist2_Image() { return &m_Dist2Image; }
    /// Silhouette band (255 near the silhouette), written by the quasi-sampler.
    KxCCvData* Silho_Image() { return &m_SilhoImage; }
    KxCCntrData* Contour() { return &m_Contour; }
    /// Number of object pixels.
    unsigned int Area() const { return m_Area; }

    /// Window point inside the rectangle (inclusive).
    bool Intersect_Rect(double x, double y) const;
    /// Window point inside the rectangle and on the object.
    bool Intersect(double x, double y) const { return Intersect_Rect(x, y) && Intersect_Mask(x, y); }
    /// Window point on the object.
    virtual bool Intersect_Mask(double x, double y) const = 0;
    /// Window depth (0 near .. 1 far) at a window point; false outside or without depth.
    bool get_Depth(double x, double y, float& out) const;
    /// Distance to the background at p (window pixel, or relative to the rectangle when local);
    /// 0 outside the rectangle.
    double Dist_to_Bdry(const KxUtils::Vec2d& p, bool local) const;

    /// Draws the overlays the switches select (mask pixels, rectangle, contours, segments).
    void Render(const KxCSampleMaskProp* prop);
    void Render_Mask();
    void Render_Rectangle();
    void Render_Contour();
    void Render_Segment();

protected:
    /// Index of a window point in the per-pixel vectors, or -1 outside the rectangle.
    int Pixel_Index(double x, double y) const { return m_Rect.get_Index(x, y); }

    KxCGrid m_Rect;
    std::vector<float> m_DepthMap;
    unsigned int m_Area = 0;
    KxCCvData m_MaskImage;
    KxCCvData m_DistImage;
    KxCCvData m_Dist2Image;
    KxCCvData m_SilhoImage;
    KxCCntrData m_Contour;
};

} // namespace OrvaneImage

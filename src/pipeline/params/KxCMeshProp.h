#pragma once
// Display and information properties of a mesh item.
#include <string>

#include "pipeline/params/KxCColor.h"
#include "pipeline/params/KxCGCntrProp.h"
#include "pipeline/params/KxEnums.h"

namespace OrvaneImage {

/// Drawing colours of a mesh.
class KxCRenderColorProp {
public:
    static constexpr const char* Caption = "Color Info";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Wireframe colour.
    const KxCColor& Line_Color() const { return m_Line_Color; }
    void set_Line_Color(const KxCColor& v) { m_Line_Color = v; }
    /// Point colour.
    const KxCColor& Point_Color() const { return m_Point_Color; }
    void set_Point_Color(const KxCColor& v) { m_Point_Color = v; }
    /// Solid colour.
    const KxCColor& Mesh_Color() const { return m_Mesh_Color; }
    void set_Mesh_Color(const KxCColor& v) { m_Mesh_Color = v; }
    /// Alpha given to all three colours when they reach the renderer.
    unsigned Alpha() const { return m_Alpha; }
    void set_Alpha(unsigned v) { m_Alpha = v; }

private:
    KxCColor m_Line_Color{0, 0, 0, 255};
    KxCColor m_Point_Color{255, 0, 0, 255};
    KxCColor m_Mesh_Color{211, 211, 211, 255};
    unsigned m_Alpha = 255;
};

/// Drawing style of a mesh.
class KxCRenderModeProp {
public:
    static constexpr const char* Caption = "Render Info";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Line width in pixels.
    float Line_Width() const { return m_Line_Width; }
    void set_Line_Width(float v) { m_Line_Width = v; }
    /// Point size in pixels.
    float Point_Size() const { return m_Point_Size; }
    void set_Point_Size(float v) { m_Point_Size = v; }
    /// Draw the bounding box.
    bool AABB() const { return m_AABB; }
    void set_AABB(bool v) { m_AABB = v; }
    /// Lit drawing.
    bool Light() const { return m_Light; }
    void set_Light(bool v) { m_Light = v; }
    /// Vertex ring switch (shown only).
    bool Ring_Vertex() const { return m_Ring_Vertex; }
    void set_Ring_Vertex(bool v) { m_Ring_Vertex = v; }
    /// Face ring switch (shown only).
    bool Ring_Face() const { return m_Ring_Face; }
    void set_Ring_Face(bool v) { m_Ring_Face = v; }
    /// Edge ring switch (shown only).
    bool Ring_Edge() const { return m_Ring_Edge; }
    void set_Ring_Edge(bool v) { m_Ring_Edge = v; }
    /// Drawing style.
    KxEnumRenderMode Render_Mode() const { return m_Render_Mode; }
    void set_Render_Mode(KxEnumRenderMode v) { m_Render_Mode = v; }
    /// Vertex colours from importance.
    KxEnumVColorMode VtxColor_Mode() const { return m_VtxColor_Mode; }
    void set_VtxColor_Mode(KxEnumVColorMode v) { m_VtxColor_Mode = v; }

private:
    float m_Line_Width = 1.0f;
    float m_Point_Size = 1.0f;
    bool m_AABB = false;
    bool m_Light = true;
    bool m_Ring_Vertex = true;
    bool m_Ring_Face = true;
    bool m_Ring_Edge = true;
    KxEnumRenderMode m_Render_Mode = KxEnumRenderMode::Solid;
    KxEnumVColorMode m_VtxColor_Mode = KxEnumVColorMode::None;
};

/// Display switches of the sample mask.
class KxCSampleMaskProp {
public:
    static constexpr const char* Caption = "Sample Mask Info";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Draw the mask image.
    bool Mask() const { return m_Mask; }
    void set_Mask(bool v) { m_Mask = v; }
    /// Draw its rectangle.
    bool Rectangle() const { return m_Rectangle; }
    void set_Rectangle(bool v) { m_Rectangle = v; }
    /// Draw its contours.
    bool Contour() const { return m_Contour; }
    void set_Contour(bool v) { m_Contour = v; }
    /// Draw its broken contour segments.
    bool Break() const { return m_Break; }
    void set_Break(bool v) { m_Break = v; }

private:
    bool m_Mask = false;
    bool m_Rectangle = false;
    bool m_Contour = false;
    bool m_Break = false;
};

/// Display switches of the splat container.
class KxCDecalCntrProp {
public:
    static constexpr const char* Caption = "Decal Container Info";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Draw the splats.
    bool Decal() const { return m_Decal; }
    void set_Decal(bool v) { m_Decal = v; }
    /// Draw their image-space centres.
    bool Point2D() const { return m_Point2D; }
    void set_Point2D(bool v) { m_Point2D = v; }
    /// Draw their surface centres.
    bool Point3D() const { return m_Point3D; }
    void set_Point3D(bool v) { m_Point3D = v; }
    /// Draw their rectangles.
    bool Rectangle() const { return m_Rectangle; }
    void set_Rectangle(bool v) { m_Rectangle = v; }
    /// Draw their boundaries.
    bool Boundary() const { return m_Boundary; }
    void set_Boundary(bool v) { m_Boundary = v; }

private:
    bool m_Decal = false;
    bool m_Point2D = false;
    bool m_Point3D = false;
    bool m_Rectangle = false;
    bool m_Boundary = false;
};

/// Display and information properties of one mesh item.
class KxCMeshProp {
public:
    static constexpr const char* Caption = "Mesh Properties";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// File name of the mesh (one blank until loaded).
    const std::string& Name() const { return m_Name; }
    void set_Name(const std::string& v) { m_Name = v; }
    /// Full path of the mesh (one blank until loaded).
    const std::string& File() const { return m_File; }
    void set_File(const std::string& v) { m_File = v; }
    /// Edge count.
    int Edge_Number() const { return m_Edge_Number; }
    void set_Edge_Number(int v) { m_Edge_Number = v; }
    /// Vertex count.
    int Vertex_Number() const { return m_Vertex_Number; }
    void set_Vertex_Number(int v) { m_Vertex_Number = v; }
    /// Face count.
    int Face_Number() const { return m_Face_Number; }
    void set_Face_Number(int v) { m_Face_Number = v; }
    /// Drawing colours.
    KxCRenderColorProp& Render_Color() { return m_Render_Color; }
    const KxCRenderColorProp& Render_Color() const { return m_Render_Color; }
    /// Drawing style.
    KxCRenderModeProp& Render_Mode() { return m_Render_Mode; }
    const KxCRenderModeProp& Render_Mode() const { return m_Render_Mode; }
    /// Picking mode.
    KxEnumSelectMode Select_Mode() const { return m_Select_Mode; }
    void set_Select_Mode(KxEnumSelectMode v) { m_Select_Mode = v; }
    /// Sample mask display.
    KxCSampleMaskProp& Sample_Mask() { return m_Sample_Mask; }
    const KxCSampleMaskProp& Sample_Mask() const { return m_Sample_Mask; }
    /// Splat container display.
    KxCDecalCntrProp& Decal_Cntr() { return m_Decal_Cntr; }
    const KxCDecalCntrProp& Decal_Cntr() const { return m_Decal_Cntr; }
    /// Splat-grid container display.
    KxCDecalGCntrProp& DecalGrid_Cntr() { return m_DecalGrid_Cntr; }
    const KxCDecalGCntrProp& DecalGrid_Cntr() const { return m_DecalGrid_Cntr; }
    /// Window container display.
    KxCWndGCntrProp& WindowGrid_Cntr() { return m_WindowGrid_Cntr; }
    const KxCWndGCntrProp& WindowGrid_Cntr() const { return m_WindowGrid_Cntr; }

private:
    std::string m_Name = " ";
    std::string m_File = " ";
    int m_Edge_Number = 0;
    int m_Vertex_Number = 0;
    int m_Face_Number = 0;
    KxCRenderColorProp m_Render_Color;
    KxCRenderModeProp m_Render_Mode;
    KxEnumSelectMode m_Select_Mode = KxEnumSelectMode::None;
    KxCSampleMaskProp m_Sample_Mask;
    KxCDecalCntrProp m_Decal_Cntr;
    KxCDecalGCntrProp m_DecalGrid_Cntr;
    KxCWndGCntrProp m_WindowGrid_Cntr;
};

} // namespace OrvaneImage

#pragma once
#include <array>

namespace KxMesh {

/// Colours, sizes and switches shared by every drawing style of a mesh.
class KxCRenderInfo {
public:
    enum COLOR_MODE { COLOR_INTERNAL = 0, COLOR_VERTEX = 1 };
    using RGBA = std::array<unsigned char, 4>;

    KxCRenderInfo() { set_Default_Info(); }
    virtual ~KxCRenderInfo() = default;
    /// Restores every field to its default.
    virtual void set_Default_Info();

    COLOR_MODE get_Color_Mode() const { return m_Color_Mode; }
    void set_Color_Mode(COLOR_MODE m) { m_Color_Mode = m; }
    unsigned int get_Shade_Mode() const { return m_Shade_Mode; }
    void set_Shade_Mode(unsigned int m) { m_Shade_Mode = m; }
    bool get_Light_Mode() const { return m_Light_Mode; }
    void set_Light_Mode(bool on) { m_Light_Mode = on; }
    float get_Point_Size() const { return m_Point_Size; }
    void set_Point_Size(float s) { m_Point_Size = s; }
    float get_Line_Size() const { return m_Line_Size; }
    void set_Line_Size(float s) { m_Line_Size = s; }

    const RGBA& get_Mesh_Color() const { return m_Mesh_Color; }
    void set_Mesh_Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a) { m_Mesh_Color = {r, g, b, a}; }
    const RGBA& get_Wire_Color() const { return m_Wire_Color; }
    void set_Wire_Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a) { m_Wire_Color = {r, g, b, a}; }
    const RGBA& get_Vertex_Color() const { return m_Vertex_Color; }
    void set_Vertex_Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a) { m_Vertex_Color = {r, g, b, a}; }
    const RGBA& get_Face_Color() const { return m_Face_Color; }
    void set_Face_Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a) { m_Face_Color = {r, g, b, a}; }
    const RGBA& get_Edge_Color() const { return m_Edge_Color; }
    void set_Edge_Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a) { m_Edge_Color = {r, g, b, a}; }
    /// The uniform colour in effect; each style copies its own colour here before drawing.
    const RGBA& get_Internal_Color() const { return m_Internal_Color; }
    void set_Internal_Color(const RGBA& c) { m_Internal_Color = c; }

private:
    COLOR_MODE m_Color_Mode;
    unsigned int m_Shade_Mode;
    bool m_Light_Mode;
    float m_Point_Size;
    float m_Line_Size;
    RGBA m_Mesh_Color;
    RGBA m_Wire_Color;
    RGBA m_Vertex_Color;
    RGBA m_Face_Color;
    RGBA m_Edge_Color;
    RGBA m_Internal_Color;
};

} // namespace KxMesh

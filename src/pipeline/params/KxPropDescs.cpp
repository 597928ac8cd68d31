// Descriptors of the display properties and the load options.
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/params/KxCClassBuilder.h"
#include "pipeline/params/KxCMeshProp.h"

namespace OrvaneImage {

template <>
const KxCClassDesc& Describe<KxCRenderColorProp>()
{
    using T = KxCRenderColorProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCRenderColorProp")
        .Value("Line_Color", &T::Line_Color, &T::set_Line_Color)
        .Value("Point_Color", &T::Point_Color, &T::set_Point_Color)
        .Value("Mesh_Color", &T::Mesh_Color, &T::set_Mesh_Color)
        .Value("Alpha", &T::Alpha, &T::set_Alpha)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCRenderModeProp>()
{
    using T = KxCRenderModeProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCRenderModeProp")
        .Value("Line_Width", &T::Line_Width, &T::set_Line_Width)
        .Value("Point_Size", &T::Point_Size, &T::set_Point_Size)
        .Value("AABB", &T::AABB, &T::set_AABB)
        .Value("Light", &T::Light, &T::set_Light)
        .Value("Ring_Vertex", &T::Ring_Vertex, &T::set_Ring_Vertex)
        .Value("Ring_Face", &T::Ring_Face, &T::set_Ring_Face)
        .Value("Ring_Edge", &T::Ring_Edge, &T::set_Ring_Edge)
        .Value("Render_Mode", &T::Render_Mode, &T::set_Render_Mode)
        .Value("VtxColor_Mode", &T::VtxColor_Mode, &T::set_VtxColor_Mode)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCSampleMaskProp>()
{
    using T = KxCSampleMaskProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCSampleMaskProp")
        .Value("Mask", &T::Mask, &T::set_Mask)
        .Value("Rectangle", &T::Rectangle, &T::set_Rectangle)
        .Value("Contour", &T::Contour, &T::set_Contour)
        .Value("Break", &T::Break, &T::set_Break)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCDecalCntrProp>()
{
    using T = KxCDecalCntrProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCDecalCntrProp")
        .Value("Decal", &T::Decal, &T::set_Decal)
        .Value("Point2D", &T::Point2D, &T::set_Point2D)
        .Value("Point3D", &T::Point3D, &T::set_Point3D)
        .Value("Rectangle", &T::Rectangle, &T::set_Rectangle)
        .Value("Boundary", &T::Boundary, &T::set_Boundary)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCDecalGCntrProp>()
{
    using T = KxCDecalGCntrProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCDecalGCntrProp")
        .Value("Original", &T::Original, &T::set_Original)
        .Value("Merged", &T::Merged, &T::set_Merged)
        .Value("Grid", &T::Grid, &T::set_Grid)
        .Value("Rectangle", &T::Rectangle, &T::set_Rectangle)
        .Value("Boundary", &T::Boundary, &T::set_Boundary)
        .Value("Perturb", &T::Perturb, &T::set_Perturb)
        .Value("Selected", &T::Selected, &T::set_Selected)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCWndGCntrProp>()
{
    using T = KxCWndGCntrProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCWndGCntrProp")
        .Value("Grid", &T::Grid, &T::set_Grid)
        .Value("Rectangle", &T::Rectangle, &T::set_Rectangle)
        .Value("Selected", &T::Selected, &T::set_Selected)
        .Value("Layer", &T::Layer, &T::set_Layer)
        .Value("Boundary", &T::Boundary, &T::set_Boundary).Hidden()
        .Value("Perturb", &T::Perturb, &T::set_Perturb).Hidden()
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCStampGCntrProp>()
{
    using T = KxCStampGCntrProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCStampGCntrProp")
        .Value("Grid", &T::Grid, &T::set_Grid)
        .Value("Rectangle", &T::Rectangle, &T::set_Rectangle)
        .Value("Perturb", &T::Perturb, &T::set_Perturb)
        .Value("Selected", &T::Selected, &T::set_Selected)
        .Value("Boundary", &T::Boundary, &T::set_Boundary).Hidden()
        .Value("Layer", &T::Layer, &T::set_Layer)
        .Value("Perturb_DG", &T::Perturb_DG, &T::set_Perturb_DG)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCMeshProp>()
{
    using T = KxCMeshProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCMeshProp")
        .Category("Mesh Info")
        .Value("Name", &T::Name)
        .Value("File", &T::File)
        .Value("Edge_Number", &T::Edge_Number)
        .Value("Vertex_Number", &T::Vertex_Number)
        .Value("Face_Number", &T::Face_Number)
        .Category("Render Options")
        .Object("Render_Color", &T::Render_Color)
        .Object("Render_Mode", &T::Render_Mode)
        .Category("Select Options").Value("Select_Mode", &T::Select_Mode, &T::set_Select_Mode)
        .Category("Sample Mask").Object("Sample_Mask", &T::Sample_Mask)
        .Category("Container - Decal").Object("Decal_Cntr", &T::Decal_Cntr)
        .Category("Container - Decal Grid").Object("DecalGrid_Cntr", &T::DecalGrid_Cntr)
        .Category("Container - Window Grid").Object("WindowGrid_Cntr", &T::WindowGrid_Cntr)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCAppProp>()
{
    using T = KxCAppProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCAppProp")
        .Category("Information").Value("App_Mode", &T::App_Mode)
        .Category("Rendering")
        .Value("Orvane_Mode", &T::Orvane_Mode, &T::set_Orvane_Mode)
        .Value("See_Through", &T::See_Through, &T::set_See_Through)
        .Category("Container - Stamp Grid").Object("StampGrid_Cntr", &T::StampGrid_Cntr)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCAnimeProp>()
{
    using T = KxCAnimeProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCAnimeProp")
        .Category("Information")
        .Value("Total_Keys", &T::Total_Keys)
        .Value("Total_Frames", &T::Total_Frames)
        .Value("Inter_Frames", &T::Inter_Frames)
        .Category("Playback")
        .Value("Loop", &T::Loop, &T::set_Loop)
        .Value("Time_Interval", &T::Time_Interval, &T::set_Time_Interval)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCIOProp>()
{
    using T = KxCIOProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCIOProp")
        .Category("Mesh I/O Options")
        .Value("Centerize", &T::Centerize, &T::set_Centerize)
        .Value("Normalize", &T::Normalize, &T::set_Normalize)
        .Value("Use_VBO", &T::Use_VBO, &T::set_Use_VBO)
        .Value("Gravity", &T::Gravity, &T::set_Gravity)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCAIOProp>()
{
    using T = KxCAIOProp;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCAIOProp")
        .Inherit<KxCIOProp>()
        .Category("Animation I/O options").Value("Inter_Frames", &T::Inter_Frames, &T::set_Inter_Frames)
        .Build();
    return desc;
}

} // namespace OrvaneImage

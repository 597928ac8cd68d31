// Descriptors of the detailed generation parameters.
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCClassBuilder.h"
#include "pipeline/params/KxCMeshParam.h"

namespace OrvaneImage {

namespace {
// The light is no editable value; its viewing direction identifies it.
std::string Light_Text(const KxCLightParam& p)
{
    const KxUtils::Vec3d& v = p.Light().Light_Vec();
    return Format_Number(v[0]) + "," + Format_Number(v[1]) + "," + Format_Number(v[2]);
}
} // namespace

template <>
const KxCClassDesc& Describe<KxCXFormParam>()
{
    using T = KxCXFormParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCXFormParam")
        .Value("Enabled", &T::Enabled, &T::set_Enabled)
        .Value("Rotate_Factor", &T::Rotate_Factor, &T::set_Rotate_Factor)
        .Value("Move_Factor", &T::Move_Factor, &T::set_Move_Factor)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCFilterParam>()
{
    using T = KxCFilterParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCFilterParam")
        .Value("Enabled", &T::Enabled, &T::set_Enabled)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCLightParam>()
{
    using T = KxCLightParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCLightParam")
        .Value("Light", &Light_Text).Hidden().Shown_As("KxCLight")
        .Value("Enabled", &T::Enabled, &T::set_Enabled)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCSilhoParam>()
{
    using T = KxCSilhoParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCSilhoParam")
        .Inherit<KxCLightParam>()
        .Value("Margin", &T::Margin, &T::set_Margin)
        .Value("Ratio", &T::Ratio, &T::set_Ratio)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCShadeParam>()
{
    using T = KxCShadeParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCShadeParam")
        .Inherit<KxCLightParam>()
        .Value("Dot_Range", &T::Dot_Range, &T::set_Dot_Range)
        .Value("Dot_Value", &T::Dot_Value, &T::set_Dot_Value)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCImptSParam>()
{
    using T = KxCImptSParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCImptSParam")
        .Value("Density", &T::Density, &T::set_Density)
        .Object("Silhouette", &T::Silhouette)
        .Object("Shading", &T::Shading)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCRandSParam>()
{
    using T = KxCRandSParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCRandSParam")
        .Value("Density", &T::Density, &T::set_Density)
        .Value("Vertex_Ratio", &T::Vertex_Ratio, &T::set_Vertex_Ratio)
        .Value("Cur_Ratio", &T::Cur_Ratio)
        .Value("Radius_Ratio", &T::Radius_Ratio, &T::set_Radius_Ratio)
        .Value("Depth_Ratio", &T::Depth_Ratio, &T::set_Depth_Ratio)
        .Value("Ring_Size", &T::Ring_Size, &T::set_Ring_Size)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCSampleParam>()
{
    using T = KxCSampleParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCSampleParam")
        .Category("Importance Map").Object("Importance", &T::Importance)
        .Category("Random Sampling").Object("Random", &T::Random)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCDecalParam>()
{
    using T = KxCDecalParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCDecalParam")
        .Value("Number", &T::Number)
        .Category("Jitter")
        .Value("Use_Jitter", &T::Use_Jitter, &T::set_Use_Jitter)
        .Value("Jitter_Range", &T::Jitter_Range, &T::set_Jitter_Range)
        .Value("Jitter_Scale", &T::Jitter_Scale)
        .Category("Size")
        .Value("Radius_Ratio", &T::Radius_Ratio, &T::set_Radius_Ratio)
        .Value("Radius_Scale", &T::Radius_Scale, &T::set_Radius_Scale)
        .Value("Texture_Scale", &T::Texture_Scale, &T::set_Texture_Scale)
        .Value("Imptn_Range", &T::Imptn_Range, &T::set_Imptn_Range)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCBrkParam>()
{
    using T = KxCBrkParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCBrkParam")
        .Inherit<KxCFilterParam>()
        .Value("Mag_Ratio", &T::Mag_Ratio, &T::set_Mag_Ratio)
        .Value("Smpl_Ratio", &T::Smpl_Ratio, &T::set_Smpl_Ratio)
        .Value("Lnth_Ratio", &T::Lnth_Ratio, &T::set_Lnth_Ratio)
        .Value("Dist_Ratio", &T::Dist_Ratio, &T::set_Dist_Ratio)
        .Value("Area_Ratio", &T::Area_Ratio, &T::set_Area_Ratio)
        .Value("Line_Thick", &T::Line_Thick, &T::set_Line_Thick)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCMultiResParam>()
{
    using T = KxCMultiResParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCMultiResParam")
        .Value("Layer", &T::Layer, &T::set_Layer)
        .Value("Base_Ratio", &T::Base_Ratio, &T::set_Base_Ratio)
        .Value("Cur_Ratio", &T::Cur_Ratio, &T::set_Cur_Ratio).Hidden()
        .Object("Perturb", &T::Perturb)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCDGFilterParam>()
{
    using T = KxCDGFilterParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCDGFilterParam")
        .Inherit<KxCFilterParam>()
        .Value("Thin_Aspect", &T::Thin_Aspect, &T::set_Thin_Aspect)
        .Value("Thin_Ratio", &T::Thin_Ratio, &T::set_Thin_Ratio)
        .Value("Area_Ratio", &T::Area_Ratio, &T::set_Area_Ratio)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCDecalGParam>()
{
    using T = KxCDecalGParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCDecalGParam")
        .Value("Gen_Texture", &T::Gen_Texture, &T::set_Gen_Texture)
        .Value("Bdry_Ratio", &T::Bdry_Ratio, &T::set_Bdry_Ratio)
        .Object("Breaker", &T::Breaker)
        .Object("Multi_Resolution", &T::Multi_Resolution)
        .Object("Filter", &T::Filter)
        .Object("Perturb", &T::Perturb)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCMeshParam>()
{
    using T = KxCMeshParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCMeshParam")
        .Category("Sample").Object("Sample", &T::Sample)
        .Category("Decal").Object("Decal", &T::Decal)
        .Category("Decal Grid").Object("DecalGrid", &T::DecalGrid)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCSGFilterParam>()
{
    using T = KxCSGFilterParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCSGFilterParam")
        .Inherit<KxCFilterParam>()
        .Value("Distance_Ratio", &T::Distance_Ratio, &T::set_Distance_Ratio)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCStampGParam>()
{
    using T = KxCStampGParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCStampGParam")
        .Value("Base_Prob", &T::Base_Prob, &T::set_Base_Prob)
        .Value("Cur_Prob", &T::Cur_Prob, &T::set_Cur_Prob).Hidden()
        .Object("Perturb_SG", &T::Perturb_SG)
        .Object("Perturb_DG", &T::Perturb_DG)
        .Object("Filter", &T::Filter)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCAppParam>()
{
    using T = KxCAppParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCAppParam")
        .Category("Stamp Grid").Object("StampGrid", &T::StampGrid)
        .Category("Others").Value("Fix_Rand", &T::Fix_Rand, &T::set_Fix_Rand)
        .Build();
    return desc;
}

} // namespace OrvaneImage

// Descriptors of the user-facing summary sets.
#include "pipeline/params/KxCClassBuilder.h"
#include "pipeline/params/KxCSummaryParams.h"

namespace OrvaneImage {

template <>
const KxCClassDesc& Describe<KxCOIBrkParam>()
{
    using T = KxCOIBrkParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Nested("KxCOIBrkParam")
        .Inherit<KxCFilterParam>()
        .Value("Degree", &T::Degree, &T::set_Degree)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCOIParam>()
{
    using T = KxCOIParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCOIParam")
        .Category("Render").Value("Render_Mode", &T::Render_Mode, &T::set_Render_Mode)
        .Category("Sampling")
        .Value("Density", &T::Density, &T::set_Density)
        .Value("Splat_Size", &T::Splat_Size, &T::set_Splat_Size)
        .Category("Perturbation")
        .Object("Silhouette_Break", &T::Silhouette_Break)
        .Object("Silhouette_Perturb", &T::Silhouette_Perturb)
        .Object("Splat_Perturb", &T::Splat_Perturb)
        .Object("Stamp_Perturb", &T::Stamp_Perturb)
        .Category("Difficulty").Value("Difficulty", &T::Difficulty, &T::set_Difficulty)
        .Build();
    return desc;
}

template <>
const KxCClassDesc& Describe<KxCOVParam>()
{
    using T = KxCOVParam;
    static const KxCClassDesc desc = KxCClassBuilder<T>::Top_Level("KxCOVParam")
        .Category("Render").Value("Render_Mode", &T::Render_Mode, &T::set_Render_Mode)
        .Category("Sampling")
        .Value("Density", &T::Density, &T::set_Density)
        .Value("Splat_Size", &T::Splat_Size, &T::set_Splat_Size)
        .Category("Perturbation")
        .Object("Splat_Perturb", &T::Splat_Perturb)
        .Object("Stamp_Perturb", &T::Stamp_Perturb)
        .Category("Difficulty").Value("Difficulty", &T::Difficulty, &T::set_Difficulty)
        .Build();
    return desc;
}

} // namespace OrvaneImage

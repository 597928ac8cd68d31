#include "splats/KxCDecalCntr.h"

#include "pipeline/params/KxCDecalParam.h"
#include "pipeline/util/KxPtrVector.h"

namespace OrvaneImage {

KxCDecalCntr::~KxCDecalCntr()
{
    KxUtils::Clear_Ptr_Vector(m_Decals);
}

void KxCDecalCntr::Clear()
{
    KxUtils::Clear_Ptr_Vector(m_Decals);
}

void KxCDecalCntr::Apply_RadiusXform(const KxCDecalParam& param)
{
    for (KxCDecal* d : m_Decals) d->Radius() = param.Radius_Scale() * d->Radius2();
}

void KxCDecalCntr::Apply_TextureXform(const KxCDecalParam& param)
{
    const KxUtils::Vec2d half(0.5, 0.5);
    for (KxCDecal* d : m_Decals) {
        auto& tex = d->TexCoordArray();
        const auto& par = d->ParameterArray();
        if (tex.size() != par.size()) {
            tex.clear();
            tex.resize(par.size());
        }
        for (std::size_t i = 0; i < par.size(); ++i) tex[i] = par[i] * param.Texture_Scale() + half;
    }
}

} // namespace OrvaneImage

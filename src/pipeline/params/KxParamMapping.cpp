#include "pipeline/params/KxParamMapping.h"

#include <climits>
#include <cmath>

namespace OrvaneImage {

namespace {

// Truncation toward zero, saturated so an absurd radius cannot overflow the int.
int Truncate_To_Int(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// The rows both summary sets share, density excepted (its target differs).
void Shared_Sys2App(const KxCSummaryParam& S, KxCMeshParam& M, KxCAppParam& P, KxCAppProp& A)
{
    A.set_Orvane_Mode(S.Render_Mode());
    M.Decal().set_Radius_Ratio(S.Splat_Size());
    P.StampGrid().Perturb_DG() = S.Splat_Perturb();
    P.StampGrid().Perturb_SG() = S.Stamp_Perturb();
}

void Shared_App2Sys(KxCSummaryParam& S, const KxCMeshParam& M, const KxCAppParam& P, const KxCAppProp& A)
{
    S.set_Render_Mode(A.Orvane_Mode());
    S.set_Splat_Size(Truncate_To_Int(M.Decal().Radius_Ratio()));
    S.Splat_Perturb() = P.StampGrid().Perturb_DG();
    S.Stamp_Perturb() = P.StampGrid().Perturb_SG();
}

} // namespace

void Param_Sys2App(const KxCOIParam& S, KxCMeshParam& M, KxCAppParam& P, KxCAppProp& A)
{
    Shared_Sys2App(S, M, P, A);
    M.Sample().Importance().set_Density(S.Density());
    KxCBrkParam& breaker = M.DecalGrid().Breaker();
    breaker.set_Enabled(S.Silhouette_Break().Enabled());
    breaker.set_Lnth_Ratio(S.Silhouette_Break().Degree());
    M.DecalGrid().Perturb() = S.Silhouette_Perturb();
}

void Param_Sys2App(const KxCOVParam& S, KxCMeshParam& M, KxCAppParam& P, KxCAppProp& A)
{
    Shared_Sys2App(S, M, P, A);
    M.Sample().Random().set_Density(S.Density());
}

void Param_App2Sys(KxCOIParam& S, const KxCMeshParam& M, const KxCAppParam& P, const KxCAppProp& A)
{
    Shared_App2Sys(S, M, P, A);
    S.set_Density(M.Sample().Importance().Density());
    const KxCBrkParam& breaker = M.DecalGrid().Breaker();
    S.Silhouette_Break().set_Enabled(breaker.Enabled());
    S.Silhouette_Break().set_Degree(breaker.Lnth_Ratio());
    S.Silhouette_Perturb() = M.DecalGrid().Perturb();
}

void Param_App2Sys(KxCOVParam& S, const KxCMeshParam& M, const KxCAppParam& P, const KxCAppProp& A)
{
    Shared_App2Sys(S, M, P, A);
    S.set_Density(M.Sample().Random().Density());
}

void Param_Sys2App(const KxCOIParam& OI, const KxCOVParam& OV, KxCMeshParam& M, KxCAppParam& P, KxCAppProp& A)
{
    switch (A.App_Mode()) {
    case KxEnumAppMode::Orvane_Image: Param_Sys2App(OI, M, P, A); break;
    case KxEnumAppMode::Orvane_Video: Param_Sys2App(OV, M, P, A); break;
    }
}

void Param_App2Sys(KxCOIParam& OI, KxCOVParam& OV, const KxCMeshParam& M, const KxCAppParam& P,
                   const KxCAppProp& A)
{
    switch (A.App_Mode()) {
    case KxEnumAppMode::Orvane_Image: Param_App2Sys(OI, M, P, A); break;
    case KxEnumAppMode::Orvane_Video: Param_App2Sys(OV, M, P, A); break;
    }
}

} // namespace OrvaneImage

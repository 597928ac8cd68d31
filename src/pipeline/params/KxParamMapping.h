#pragma once
// Copies between a user-facing summary set and the detailed parameters of
// the current item. The functions take the objects they touch, not the
// item, so the window and the command line share them. In every overload the
// summary set comes first; the const side is the source. Difficulty itself
// is never copied.
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/params/KxCAppProp.h"
#include "pipeline/params/KxCMeshParam.h"
#include "pipeline/params/KxCSummaryParams.h"

namespace OrvaneImage {

/// Still-image summary -> detailed: render mode into A.Orvane_Mode, density
/// into M.Sample.Importance, splat size into M.Decal.Radius_Ratio, breaking
/// into M.DecalGrid.Breaker (Enabled, Lnth_Ratio), silhouette perturbation into
/// M.DecalGrid.Perturb, splat and stamp perturbation into P.StampGrid's
/// Perturb_DG and Perturb_SG.
void Param_Sys2App(const KxCOIParam& S, KxCMeshParam& M, KxCAppParam& P, KxCAppProp& A);

/// Video summary -> detailed: as for still images, but the density goes
/// through M.Sample.Random's clamping setter and there is no silhouette part.
void Param_Sys2App(const KxCOVParam& S, KxCMeshParam& M, KxCAppParam& P, KxCAppProp& A);

/// Detailed -> still-image summary: the reverse of Param_Sys2App; Radius_Ratio
/// becomes Splat_Size by truncation toward zero (5.9 gives 5).
void Param_App2Sys(KxCOIParam& S, const KxCMeshParam& M, const KxCAppParam& P, const KxCAppProp& A);

/// Detailed -> video summary, likewise.
void Param_App2Sys(KxCOVParam& S, const KxCMeshParam& M, const KxCAppParam& P, const KxCAppProp& A);

/// Summary set of A.App_Mode -> detailed (OI for Orvane_Image, OV for
/// Orvane_Video); any other mode does nothing.
void Param_Sys2App(const KxCOIParam& OI, const KxCOVParam& OV, KxCMeshParam& M, KxCAppParam& P, KxCAppProp& A);

/// Detailed -> summary set of A.App_Mode; any other mode does nothing.
void Param_App2Sys(KxCOIParam& OI, KxCOVParam& OV, const KxCMeshParam& M, const KxCAppParam& P,
                   const KxCAppProp& A);

} // namespace OrvaneImage

#include "composition/KxCAnalyzerOV.h"

#include "composition/KxCGridCntr.h"
#include "composition/KxDecalRaster.h"
#include "composition/KxGridConversion.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "sampling/KxCSampleMask.h"

namespace OrvaneImage {

namespace {

const char* const kClass = "KxCAnalyzerOV";

} // namespace

bool KxCAnalyzerOV::Analyze(KxCDecalCntr* decals, KxCDecalGCntr* merged, KxCDecalGCntr* unmerged,
                            std::vector<KxCWndGCntr*>* windows, KxCSampleMask* mask, KxCDecalGParam* params)
{
    return Run_Analysis(kClass, false, decals, merged, unmerged, windows, mask, params);
}

bool KxCAnalyzerOV::Convert_Decals_to_DecalGrids(std::vector<KxCDecal*>* decals, KxCDecalGCntr* merged,
                                                 KxCDecalGCntr*, KxCSampleMask* mask, KxCDecalGParam* params)
{
    if (!Check_Convert_Inputs(kClass, decals, merged, mask, params)) return false;
    cv::Mat picture;
    {
        const KxCRasterScope scope;
        picture = Draw_Merged(*decals, *mask->Rectangle());
    }
    Label_Blobs(picture, *mask, *merged);
    if (params->Gen_Texture()) Finish_Merged(*merged, *mask, Boundary_Distance(*mask, *params));
    return true;
}

} // namespace OrvaneImage

#include "splats/KxCParameterizer.h"

#include "pipeline/util/KxDebug.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

bool KxCParameterizer::Parameterize(KxCAppMesh* mesh, KxCDecalCntr* cntr, const KxCDecalParam* param)
{
    if (!mesh || !cntr || !param) {
        Throw_Debug_Msg("KxCParameterizer", "Parameterize", "Invalid inputs");
        return false;
    }
    return Parameterize(mesh, cntr->Decals(), param);
}

} // namespace OrvaneImage

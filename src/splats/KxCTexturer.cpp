#include "splats/KxCTexturer.h"

#include <cmath>

#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxRandom.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

bool KxCTexturer::Texture(KxCAppMesh* mesh, KxCDecalCntr* cntr, const std::vector<unsigned int>& preferred,
                          const std::vector<unsigned int>& full)
{
    if (!mesh || !cntr) {
        Throw_Debug_Msg("KxCTexturer", "Texture", "Invalid inputs");
        return false;
    }
    return Texture(mesh, cntr->Decals(), preferred, full);
}

bool KxCRandomTexturer::Texture(KxCAppMesh* mesh, std::vector<KxCDecal*>& decals,
                                const std::vector<unsigned int>& preferred, const std::vector<unsigned int>& full)
{
    if (!mesh || decals.empty() || full.empty()) {
        Throw_Debug_Msg("KxCRandomTexturer", "Texture", "Invalid inputs");
        return false;
    }
    if (AppGlobal::g_Fix_Rand) KxUtils::SRand(1024);
    const std::vector<unsigned int>& list = preferred.empty() ? full : preferred;
    const double span = static_cast<double>(list.size() - 1);
    for (KxCDecal* d : decals) {
        const int r = KxUtils::Rand();
        const auto k = static_cast<std::size_t>(std::floor(r / 32767.0 * span));
        if (d) d->TextureID() = list[k];
    }
    return true;
}

} // namespace OrvaneImage

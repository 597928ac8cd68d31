#include "pipeline/params/KxCPropDesc.h"

namespace OrvaneImage {

const KxCPropDesc* KxCClassDesc::Find(const std::string& name) const
{
    for (const KxCPropDesc& p : Props)
        if (p.Name == name) return &p;
    return nullptr;
}

} // namespace OrvaneImage

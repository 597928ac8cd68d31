#include "pipeline/params/KxCDecalGParam.h"

namespace OrvaneImage {

KxCDecalGParam::KxCDecalGParam()
{
    m_Breaker.set_Enabled(true);
    m_Filter.set_Enabled(true);
}

} // namespace OrvaneImage

#include "pipeline/params/KxCAppParam.h"

#include "pipeline/util/AppGlobal.h"

namespace OrvaneImage {

KxCStampGParam::KxCStampGParam()
{
    m_Filter.set_Enabled(true);
    m_Filter.set_Distance_Ratio(0.1);
}

bool KxCAppParam::Fix_Rand() const { return AppGlobal::g_Fix_Rand; }

void KxCAppParam::set_Fix_Rand(bool v) { AppGlobal::g_Fix_Rand = v; }

} // namespace OrvaneImage

#include "pipeline/params/KxCDecalParam.h"

#include <cmath>

#include "pipeline/util/KxRandom.h"

namespace OrvaneImage {

double KxCDecalParam::Jitter_Scale() const
{
    if (!m_Use_Jitter) return 1.0;
    const double span = std::fabs(m_Jitter_Range.Maximum() - m_Jitter_Range.Minimum());
    // r1 goes through single precision first (exact for 0 ... 32767).
    const double r1 = static_cast<float>(KxUtils::Rand());
    double j = m_Jitter_Range.Minimum() + (r1 / 32767.0) * span;
    if (KxUtils::Rand() % 2 == 1) j = -j;
    return 1.0 - j;
}

double KxCDecalParam::Imptn_Scale(double importance) const
{
    return std::fabs(m_Imptn_Range.Maximum() - m_Imptn_Range.Minimum()) * importance + m_Imptn_Range.Minimum();
}

} // namespace OrvaneImage

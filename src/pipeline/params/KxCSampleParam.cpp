#include "pipeline/params/KxCSampleParam.h"

#include <algorithm>
#include <cmath>

namespace OrvaneImage {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

bool KxCSilhoParam::is_Silhouette(double dot) const
{
    // Comparisons with NaN are false, so a NaN dot falls outside by itself.
    return dot >= 0.0 && dot <= std::cos((90.0 - m_Margin) * kPi / 180.0);
}

void KxCRandSParam::set_Density(int v)
{
    m_Density = std::clamp(v, 0, 100);
    Update_Cur_Ratio();
}

void KxCRandSParam::set_Vertex_Ratio(double v)
{
    m_Vertex_Ratio = v;
    Update_Cur_Ratio();
}

void KxCRandSParam::Update_Cur_Ratio() { m_Cur_Ratio = m_Density * m_Vertex_Ratio * 0.01; }

} // namespace OrvaneImage

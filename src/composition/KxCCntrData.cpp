#include "composition/KxCCntrData.h"

#include "pipeline/util/KxPtrVector.h"

namespace OrvaneImage {

void KxCLineSeg::Clear()
{
    m_Points.clear();
    m_Magnitudes.clear();
    m_Length = 0.0;
    m_Tag = -1;
}

void KxCIdxSeg::Clear()
{
    m_Indices.clear();
    m_Magnitude = 0.0;
    m_Tag = 0;
}

KxCCntrData::~KxCCntrData() { Clear(); }

void KxCCntrData::Clear_Segments()
{
    for (auto& pieces : m_Segments) KxUtils::Clear_Ptr_Vector(pieces);
    m_Segments.clear();
}

void KxCCntrData::Clear()
{
    KxUtils::Clear_Ptr_Vector(m_Contours);
    Clear_Segments();
    m_Total_Length = 0.0;
    m_Total_Points = 0;
}

void KxCCntrData::Cal_Length()
{
    m_Total_Length = 0.0;
    m_Total_Points = 0;
    for (const KxCLineSeg* c : m_Contours) {
        if (!c) continue;
        m_Total_Length += c->Length();
        m_Total_Points += c->Length2();
    }
}

} // namespace OrvaneImage

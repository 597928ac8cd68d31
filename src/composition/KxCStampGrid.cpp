#include "composition/KxCStampGrid.h"

#include "composition/KxCDecalGrid.h"
#include "pipeline/util/KxPtrVector.h"

namespace OrvaneImage {

KxCStampGrid::KxCStampGrid(const Vec2d& lb, double w, double h) : KxCGrid(lb, w, h) {}

KxCStampGrid::~KxCStampGrid() { Clear_Local(); }

void KxCStampGrid::Clear()
{
    KxCGrid::Clear();
    Clear_Local();
}

void KxCStampGrid::Clear_Local()
{
    KxUtils::Clear_Ptr_Vector(m_DecalGrids);
    mp_WindowGrid = nullptr;
}

} // namespace OrvaneImage

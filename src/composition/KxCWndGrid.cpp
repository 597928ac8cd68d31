#include "composition/KxCWndGrid.h"

namespace OrvaneImage {

KxCWndGrid::KxCWndGrid(const Vec2d& lb, double w, double h) : KxCGrid(lb, w, h) {}

void KxCWndGrid::Clear()
{
    KxCGrid::Clear();
    Clear_Local();
}

void KxCWndGrid::Clear_Local()
{
    m_DecalGrids.clear();
    m_StampGrids.clear();
}

} // namespace OrvaneImage

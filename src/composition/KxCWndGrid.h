#pragma once
// A square window laid over the object; it lists the splat grids whose
// centres fall inside it and the stamps made from it. It owns neither.
#include <vector>

#include "composition/KxCGrid.h"

namespace OrvaneImage {

class KxCDecalGrid;
class KxCStampGrid;

class KxCWndGrid : public KxCGrid {
public:
    /// Create(lb, w, h) with empty lists.
    KxCWndGrid(const Vec2d& lb, double w, double h);
    ~KxCWndGrid() override = default;

    /// Clears the rectangle and empties both lists (nothing is deleted).
    void Clear() override;
    /// Empties both lists only (nothing is deleted).
    void Clear_Local();

    /// The splat grids of the analysed container that belong to this window.
    std::vector<KxCDecalGrid*>& DecalGrids() { return m_DecalGrids; }
    const std::vector<KxCDecalGrid*>& DecalGrids() const { return m_DecalGrids; }
    /// The stamps made from this window. Only ever appended to: entries may
    /// outlive their stamps and must not be dereferenced.
    std::vector<KxCStampGrid*>& StampGrids() { return m_StampGrids; }

protected:
    std::vector<KxCDecalGrid*> m_DecalGrids;
    std::vector<KxCStampGrid*> m_StampGrids;
};

} // namespace OrvaneImage

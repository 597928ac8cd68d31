#pragma once
// A tile of the background carrying moved copies of one window's splat
// grids. The tile owns its copies; the copies share the textures of the grids
// they were made from, so the tile must not outlive those grids' container.
#include <vector>

#include "composition/KxCGrid.h"

namespace OrvaneImage {

class KxCDecalGrid;
class KxCWndGrid;

class KxCStampGrid : public KxCGrid {
public:
    /// An empty tile (no window, no copies) covering Create(lb, w, h).
    KxCStampGrid(const Vec2d& lb, double w, double h);
    // A tile owns its copies; copying would delete them twice.
    KxCStampGrid(const KxCStampGrid&) = delete;
    KxCStampGrid& operator=(const KxCStampGrid&) = delete;
    /// Deletes the copies.
    ~KxCStampGrid() override;

    /// Clears the rectangle, deletes the copies and forgets the window.
    void Clear() override;
    /// Deletes the copies and forgets the window; the rectangle stays.
    void Clear_Local();

    /// Owned copies of the window's splat grids, placed in this tile.
    std::vector<KxCDecalGrid*>& DecalGrids() { return m_DecalGrids; }
    const std::vector<KxCDecalGrid*>& DecalGrids() const { return m_DecalGrids; }
    /// The window this tile copies; null for an empty tile. Not owned.
    KxCWndGrid* WindowGrid() const { return mp_WindowGrid; }
    /// Sets the window this tile copies (not owned).
    void WindowGrid(KxCWndGrid* window) { mp_WindowGrid = window; }

protected:
    std::vector<KxCDecalGrid*> m_DecalGrids;
    KxCWndGrid* mp_WindowGrid = nullptr;
};

} // namespace OrvaneImage

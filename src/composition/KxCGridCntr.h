#pragma once
// Owning containers of grids that draw their grids into the view. Each
// container kind keeps its own grid kind in the one list of the base:
// KxCDecalGCntr holds KxCDecalGrid, KxCWndGCntr KxCWndGrid, KxCStampGCntr
// KxCStampGrid. A grid of another kind in the list is skipped when drawing.
// Drawing uses a 2D orthographic projection over the projector's viewport and
// needs the GL context current; so does destroying a splat-grid container,
// which deletes its grids' textures.
#include <vector>

namespace OrvaneImage {

class KxCGCntrPropIT;
class KxCGrid;
class KxCDecalGrid;

class KxCGridCntr {
public:
    KxCGridCntr() = default;
    // The container owns its grids; a copy would delete them twice.
    KxCGridCntr(const KxCGridCntr&) = delete;
    KxCGridCntr& operator=(const KxCGridCntr&) = delete;
    /// Deletes every grid.
    virtual ~KxCGridCntr();

    /// Deletes every grid (through its virtual destructor) and empties the list.
    virtual void Clear();
    /// Draws what the settings ask for; nothing when they are null. The base
    /// draws only the rectangles. Clamps the settings' selection first.
    virtual void Render(KxCGCntrPropIT* prop);

    /// The owned grids.
    std::vector<KxCGrid*>& Grids() { return m_Grids; }
    const std::vector<KxCGrid*>& Grids() const { return m_Grids; }

    /// Red outlines of every grid, or of the selected one only; the settings'
    /// Perturb decides whether each is drawn at its perturbed place. Clamps the selection first.
    void Render_Rect(KxCGCntrPropIT* prop);
    /// One quadrilateral through corners 0, 1, 2, 3, moved by the grid's
    /// transform when perturb is set; the polygon mode in force decides
    /// outline or fill. Nothing for a null grid.
    static void Render_Helper(const KxCGrid* grid, bool perturb);
    /// The grid's texture on a quadrilateral through its corners, moved by the
    /// grid's transform when perturb is set. Nothing for a null grid or one without texture.
    static void Render_Helper(const KxCDecalGrid* grid, bool perturb);

protected:
    /// Brings a selection other than -1 into 0 ... size - 1 and writes it back;
    /// an empty container ends at -1. Returns the selection.
    int Clamp_Selected(KxCGCntrPropIT* prop) const;

    std::vector<KxCGrid*> m_Grids;
};

/// Splat grids. Owns them and, through them, their textures.
class KxCDecalGCntr : public KxCGridCntr {
public:
    ~KxCDecalGCntr() override = default;

    /// Deletes every splat grid and its texture.
    void Clear() override;
    /// Nothing of its own to reset.
    void Clear_Local() {}
    /// Grid: the textures of the enabled grids, or of the selected grid even
    /// when disabled. Boundary: blue outlines of every boundary grid, whatever
    /// the selection. Rectangle: Render_Rect.
    void Render(KxCGCntrPropIT* prop) override;
};

/// Windows over the object. Owns the windows, not the splat grids they list.
class KxCWndGCntr : public KxCGridCntr {
public:
    ~KxCWndGCntr() override = default;

    /// Deletes every window.
    void Clear() override;
    /// Nothing of its own to reset.
    void Clear_Local() {}
    /// Grid: each window (or the selected one) moved by its own transform,
    /// always, with its splat grids inside it, enabled or not, perturbed as the
    /// settings say. Rectangle: Render_Rect.
    void Render(KxCGCntrPropIT* prop) override;
};

/// Stamp tiles of the background. Owns the tiles and, through them, the copies.
class KxCStampGCntr : public KxCGridCntr {
public:
    ~KxCStampGCntr() override = default;

    /// Deletes every tile with its copies; the textures the copies show stay.
    void Clear() override;
    /// Nothing of its own to reset.
    void Clear_Local() {}
    /// Grid: for each tile with a window (or the selected one), the copies
    /// whose Stamp_Flag is set; Perturb moves the tile by its transform,
    /// Perturb_DG each copy by its own (settings that are not a
    /// KxCStampGCntrProp use Perturb for both). Rectangle: Render_Rect,
    /// empty tiles included.
    void Render(KxCGCntrPropIT* prop) override;
};

} // namespace OrvaneImage

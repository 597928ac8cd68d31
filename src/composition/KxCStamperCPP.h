#pragma once
// The stamper that tiles the whole viewport with stamps of the layer's window
// size, picks a window for each tile at random and copies that window's splat
// grids into it with random shifts and turns.
#include "composition/KxCStamper.h"
#include "pipeline/util/KxCSingleton.h"

namespace OrvaneImage {

class KxCStamperCPP : public KxCStamper, public KxCSingleton<KxCStamperCPP> {
public:
    ~KxCStamperCPP() override = default;

    /// Tiles the projector's viewport from its lower-left corner with tiles the
    /// size of the first window (the last column and row reach beyond it). Each
    /// tile draws a window; with probability params->Cur_Prob it keeps it (and
    /// the window lists the tile), else it stays empty. A kept tile gets a whole-
    /// pixel shift and a turn (Perturb_SG) and copies of the window's splat grids
    /// moved by tile centre - window centre, each with its own shift and turn
    /// (Perturb_DG); the copies share their originals' textures and are flagged
    /// for drawing. Reseeds the generator with 1024 first when AppGlobal::g_Fix_Rand
    /// is set. False for a missing argument, an empty window container, or one
    /// holding anything but windows of at least one pixel.
    bool Stamp_Specific(KxCWndGCntr* windows, KxCStampGCntr* stamps, KxCStampGParam* params) override;
};

} // namespace OrvaneImage

#pragma once
// Fills the background with the object's own texture: the view is tiled, layer
// by layer, with stamps the size of that layer's windows, each carrying moved
// copies of one window's splat grids. Copies that would come close to the
// object are hidden so that the background does not continue its outline.
// Stateless; the derived class decides how one layer is placed.
#include <vector>

namespace OrvaneImage {

class KxCSampleMask;
class KxCStampGCntr;
class KxCStampGParam;
class KxCWndGCntr;

class KxCStamper {
public:
    virtual ~KxCStamper() = default;

    /// Stamps every window layer in order into a new container appended to stamps
    /// (owned by the caller from then on). Layer l gets the probability 1.0, 0.8,
    /// 0.7 by its position in the list, later layers 0.7, written to
    /// params->Cur_Prob; a layer that cannot be stamped gets no container and the
    /// rest go on. Each container is filtered when params->Filter() is enabled.
    /// False, nothing made, for an empty window list, a non-empty stamp list or a
    /// missing argument.
    bool Stamp(std::vector<KxCWndGCntr*>* windows, std::vector<KxCStampGCntr*>* stamps, KxCSampleMask* mask,
               KxCStampGParam* params);

    /// Places one layer: appends its tiles, with their windows and copies, to stamps.
    /// Stamp sets params->Cur_Prob first. False for a missing argument or an empty
    /// window container.
    virtual bool Stamp_Specific(KxCWndGCntr* windows, KxCStampGCntr* stamps, KxCStampGParam* params) = 0;

    /// Hides (clears Stamp_Flag of) the copies of the stamps overlapping the mask's
    /// rectangle whose drawn position lies within a random distance of the object,
    /// up to 2 x Distance_Ratio x the rectangle's diagonal; every other copy of
    /// those stamps is shown, those drawn outside the viewport always. The drawn
    /// position counts the copy's and the stamp's transforms as Perturb_DG and
    /// Perturb_SG switch them on. Stamps off the rectangle are left alone. One draw
    /// per copy of the other stamps, after reseeding with 1024 when
    /// AppGlobal::g_Fix_Rand is set. False for a missing argument.
    bool Filter(KxCStampGCntr* stamps, KxCSampleMask* mask, KxCStampGParam* params);
};

} // namespace OrvaneImage

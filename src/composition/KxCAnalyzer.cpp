#include "composition/KxCAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCWndGrid.h"
#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxRandom.h"
#include "sampling/KxCSampleMask.h"
#include "splats/KxCDecalCntr.h"

namespace OrvaneImage {

namespace {

const char* const kClass = "KxCAnalyzer";

void Reseed_If_Fixed()
{
    if (AppGlobal::g_Fix_Rand) KxUtils::SRand(1024);
}

/// First and last step k (0 ... steps) of the lattice start + k whose position lies in [lo, hi].
bool Lattice_Range(double start, int steps, double lo, double hi, int& first, int& last)
{
    first = std::max(0, static_cast<int>(std::ceil(lo - start)));
    last = std::min(steps, static_cast<int>(std::floor(hi - start)));
    return first <= last;
}

/// True when some pixel of the window (stepping by 1 from its lower-left corner) is on the
/// object. Only the lattice positions inside the mask rectangle can be, so only those are tested.
bool Touches_Object(const KxCWndGrid& window, KxCSampleMask& mask)
{
    const auto& c0 = window.Corners()[0];
    const auto& c2 = window.Corners()[2];
    const auto& r0 = mask.Rectangle()->Corners()[0];
    const auto& r2 = mask.Rectangle()->Corners()[2];
    int i0, i1, j0, j1;
    if (!Lattice_Range(c0[0], static_cast<int>(std::floor(c2[0] - c0[0])), r0[0], r2[0], i0, i1)) return false;
    if (!Lattice_Range(c0[1], static_cast<int>(std::floor(c2[1] - c0[1])), r0[1], r2[1], j0, j1)) return false;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i)
            if (mask.Intersect(c0[0] + i, c0[1] + j)) return true;
    return false;
}

/// Lists in the window the enabled grids that overlap it with their centre inside; returns their pixel count.
double Collect_Grids(KxCWndGrid& window, KxCDecalGCntr& grids)
{
    double area = 0.0;
    for (KxCGrid* g : grids.Grids()) {
        auto* grid = dynamic_cast<KxCDecalGrid*>(g);
        if (!grid || !grid->Enabled() || !grid->Intersect(window) || !window.Intersect(grid->Center())) continue;
        window.DecalGrids().push_back(grid);
        area += grid->Texture_Area();
    }
    return area;
}

} // namespace

bool KxCAnalyzer::Sample(KxCDecalGCntr* grids, KxCWndGCntr* windows, KxCSampleMask* mask, KxCDecalGParam* params)
{
    if (!grids || !windows || !mask || !params || !mask->Rectangle()->is_Valid()) {
        Throw_Debug_Msg(kClass, "Sample", "Invalid inputs");
        return false;
    }
    Reseed_If_Fixed();
    const auto& mr = params->Multi_Resolution();
    const double move = mr.Perturb().Move_Factor();
    const KxCGrid& rect = *mask->Rectangle();
    const int w = static_cast<int>(rect.Width()), h = static_cast<int>(rect.Height());
    const int side = static_cast<int>(std::max(w, h) * mr.Cur_Ratio());
    if (side <= 10) {
        Throw_Debug_Msg(kClass, "Sample", "Window size is too small");
        return false;
    }
    const double step = side * 0.5;
    const int nx = static_cast<int>(w / step), ny = static_cast<int>(h / step);
    const auto& c0 = rect.Corners()[0];
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i) {
            // Both shifts are drawn even when unused, so the windows do not change the sequence.
            int ox = static_cast<int>((KxUtils::Rand_Unit() - 0.5) * side * move);
            int oy = static_cast<int>((KxUtils::Rand_Unit() - 0.5) * side * move);
            if (!mr.Perturb().Enabled()) ox = oy = 0;
            auto* window = new KxCWndGrid(KxUtils::Vec2d(c0[0] + i * step + ox, c0[1] + j * step + oy), side, side);
            bool keep = Touches_Object(*window, *mask);
            if (keep) {
                const double area = Collect_Grids(*window, *grids);
                keep = !window->DecalGrids().empty() && area / (double(side) * side) >= 0.3;
            }
            if (keep) windows->Grids().push_back(window);
            else delete window;
        }
    if (windows->Grids().empty()) {
        Throw_Debug_Msg(kClass, "Sample", "Empty grid container");
        return false;
    }
    return true;
}

bool KxCAnalyzer::Perturb(KxCDecalGCntr* grids, KxCSampleMask* mask, KxCDecalGParam* params)
{
    if (!grids || !mask || !params) {
        Throw_Debug_Msg(kClass, "Perturb", "Invalid inputs");
        return false;
    }
    Reseed_If_Fixed();
    const double d = mask->Rectangle()->Diagonal().norm();
    const double move = params->Perturb().Move_Factor(), turn = params->Perturb().Rotate_Factor();
    for (KxCGrid* g : grids->Grids()) {
        const double dx = (KxUtils::Rand_Unit() - 0.5) * 2.0 * d * move;
        const double dy = (KxUtils::Rand_Unit() - 0.5) * 2.0 * d * move;
        const double angle = (KxUtils::Rand_Unit() - 0.5) * turn;
        auto* grid = dynamic_cast<KxCDecalGrid*>(g);
        if (!grid || !grid->Boundary_Flag()) continue;
        grid->XForm().m_Move = KxUtils::Vec2d(dx, dy);
        grid->XForm().m_Angle = angle;
    }
    return true;
}

bool KxCAnalyzer::Filter(KxCDecalGCntr* grids, KxCSampleMask* mask, KxCDecalGParam* params)
{
    // Without object pixels there is no size to compare with.
    if (!grids || !mask || !params || mask->Area() == 0) {
        Throw_Debug_Msg(kClass, "Filter", "Invalid inputs");
        return false;
    }
    Reseed_If_Fixed();
    const double area = mask->Area(), ratio = params->Filter().Area_Ratio();
    for (KxCGrid* g : grids->Grids())
        if (auto* grid = dynamic_cast<KxCDecalGrid*>(g)) grid->Enabled() = grid->Texture_Area() / area >= ratio;
    return true;
}

bool KxCAnalyzer::Run_Analysis(const char* cls, bool still, KxCDecalCntr* decals, KxCDecalGCntr* merged,
                               KxCDecalGCntr* unmerged, std::vector<KxCWndGCntr*>* windows, KxCSampleMask* mask,
                               KxCDecalGParam* params)
{
    if (!decals || !merged || (still && !unmerged) || !windows || !windows->empty() || !mask || !params) {
        Throw_Debug_Msg(cls, "Analyze", "Invalid inputs");
        return false;
    }
    if (!still) unmerged = nullptr;
    if (!Convert_Decals_to_DecalGrids(&decals->Decals(), merged, unmerged, mask, params)) {
        Throw_Debug_Msg(cls, "Analyze", "Convert_Decals_to_DecalGrids failed");
        return false;
    }
    if (params->Filter().Enabled() && !Filter(merged, mask, params)) {
        Throw_Debug_Msg(cls, "Analyze", "Filter failed");
        return false;
    }
    if (still && !Perturb(merged, mask, params)) {
        Throw_Debug_Msg(cls, "Analyze", "Perturb failed");
        return false;
    }
    KxCDecalGCntr* source = still ? unmerged : merged;
    auto& mr = params->Multi_Resolution();
    for (int i = 0; i < mr.Layer(); ++i) {
        mr.set_Cur_Ratio(mr.Base_Ratio() * std::ldexp(1.0, i));
        auto* layer = new KxCWndGCntr;
        if (Sample(source, layer, mask, params)) {
            windows->push_back(layer);
            continue;
        }
        delete layer;
        Throw_Debug_Msg(cls, "Analyze", "Sample Windows : Layer " + std::to_string(i + 1) + " failed");
    }
    return true;
}

bool KxCAnalyzer::Check_Convert_Inputs(const char* cls, std::vector<KxCDecal*>* decals, KxCDecalGCntr* merged,
                                       KxCSampleMask* mask, KxCDecalGParam* params)
{
    const cv::Mat* object = mask ? mask->Mask_Image()->Image() : nullptr;
    if (!decals || decals->empty() || !merged || !object || !params) {
        Throw_Debug_Msg(cls, "Convert_Decals_to_DecalGrids", "Invalid inputs");
        return false;
    }
    const KxCGrid& rect = *mask->Rectangle();
    if (!rect.is_Valid() || object->cols != static_cast<int>(rect.Width()) ||
        object->rows != static_cast<int>(rect.Height())) {
        Throw_Debug_Msg(cls, "Convert_Decals_to_DecalGrids", "Invalid mask rectangle");
        return false;
    }
    return true;
}

} // namespace OrvaneImage

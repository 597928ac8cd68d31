#include "composition/KxCStamperCPP.h"

#include <array>
#include <numeric>
#include <vector>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCStampGrid.h"
#include "composition/KxCWndGrid.h"
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxRandom.h"
#include "render/KxCOGLProjector.h"

namespace OrvaneImage {

namespace {

using KxUtils::Vec2d;

/// The container's windows, or none when it is empty or holds anything else.
std::vector<KxCWndGrid*> Layer_Windows(KxCWndGCntr& container)
{
    std::vector<KxCWndGrid*> windows;
    for (KxCGrid* grid : container.Grids()) {
        auto* window = dynamic_cast<KxCWndGrid*>(grid);
        if (!window) return {};
        windows.push_back(window);
    }
    return windows;
}

/// Rows bottom to top, left to right within a row, one more column and row than
/// fit whole, so that the viewport is covered up to its far edges.
std::vector<KxCStampGrid*> Make_Tiles(KxCStampGCntr& stamps, int ww, int wh, const std::array<int, 4>& viewport)
{
    const int nx = viewport[2] / ww, ny = viewport[3] / wh;
    std::vector<KxCStampGrid*> tiles;
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i) {
            auto* tile = new KxCStampGrid(Vec2d(viewport[0] + i * ww, viewport[1] + j * wh), ww, wh);
            stamps.Grids().push_back(tile);
            tiles.push_back(tile);
        }
    return tiles;
}

/// Gives each tile, with probability prob, a window of a shuffled order; two
/// draws per tile whether it is kept or not.
void Choose_Windows(const std::vector<KxCStampGrid*>& tiles, const std::vector<KxCWndGrid*>& windows, double prob)
{
    std::vector<std::size_t> order(windows.size());
    std::iota(order.begin(), order.end(), 0);
    KxUtils::Random_Shuffle(order);
    // Scaled by N - 1: the last shuffled window is reached only by a draw of exactly 1.
    const double last = static_cast<double>(windows.size() - 1);
    for (KxCStampGrid* tile : tiles) {
        const double pick = KxUtils::Rand_Unit();
        const double keep = KxUtils::Rand_Unit();
        if (keep > prob) continue;
        KxCWndGrid* window = windows[order[static_cast<std::size_t>(pick * last)]];
        tile->WindowGrid(window);
        window->StampGrids().push_back(tile);
    }
}

/// Three draws: a shift of up to half of (w, h) x scale either way, truncated to
/// whole pixels when whole is set, and a turn of up to half of rotate degrees either way.
KxCXForm Random_XForm(double w, double h, double scale, double rotate, bool whole)
{
    const double rx = KxUtils::Rand_Unit();
    const double ry = KxUtils::Rand_Unit();
    const double ra = KxUtils::Rand_Unit();
    KxCXForm xf;
    xf.m_Move = Vec2d((rx - 0.5) * w * scale, (ry - 0.5) * h * scale);
    if (whole) xf.m_Move = Vec2d(static_cast<int>(xf.m_Move[0]), static_cast<int>(xf.m_Move[1]));
    xf.m_Angle = (ra - 0.5) * rotate;
    return xf;
}

/// Turns the tile and fills it with copies of its window's splat grids, placed
/// at the same spot relative to the tile's centre and sharing their textures.
void Fill_Tile(KxCStampGrid& tile, int ww, int wh, const KxCStampGParam& params)
{
    const KxCXFormParam& sg = params.Perturb_SG();
    const KxCXFormParam& dg = params.Perturb_DG();
    tile.XForm() = Random_XForm(ww, wh, sg.Move_Factor(), sg.Rotate_Factor(), true);
    const Vec2d offset = tile.Center() - tile.WindowGrid()->Center();
    for (const KxCDecalGrid* original : tile.WindowGrid()->DecalGrids()) {
        auto* copy = new KxCDecalGrid(*original);
        copy->Share_Texture() = true;
        copy->Stamp_Flag() = true;
        copy->Create(copy->Corners()[0] + offset, copy->Width(), copy->Height());
        copy->XForm() = Random_XForm(ww, wh, 2.0 * dg.Move_Factor(), dg.Rotate_Factor(), false);
        tile.DecalGrids().push_back(copy);
    }
}

} // namespace

bool KxCStamperCPP::Stamp_Specific(KxCWndGCntr* windows, KxCStampGCntr* stamps, KxCStampGParam* params)
{
    const std::vector<KxCWndGrid*> layer = windows ? Layer_Windows(*windows) : std::vector<KxCWndGrid*>();
    // Tiles take the size of the first window: a layer's windows are all alike.
    if (!stamps || !params || layer.empty() || layer.front()->Width() < 1.0 || layer.front()->Height() < 1.0) {
        Throw_Debug_Msg("KxCStamperCPP", "Stamp_Specific", "Invalid inputs");
        return false;
    }
    const int ww = static_cast<int>(layer.front()->Width());
    const int wh = static_cast<int>(layer.front()->Height());
    if (AppGlobal::g_Fix_Rand) KxUtils::SRand(1024);
    const auto& viewport = KxUtils::KxCOGLProjector::InstancePtr()->Viewport();
    const std::vector<KxCStampGrid*> tiles = Make_Tiles(*stamps, ww, wh, viewport);
    Choose_Windows(tiles, layer, params->Cur_Prob());
    for (KxCStampGrid* tile : tiles)
        if (tile->WindowGrid()) Fill_Tile(*tile, ww, wh, *params);
    return true;
}

} // namespace OrvaneImage

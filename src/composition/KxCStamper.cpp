#include "composition/KxCStamper.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "composition/KxCDecalGrid.h"
#include "composition/KxCGridCntr.h"
#include "composition/KxCStampGrid.h"
#include "composition/KxGridDrawing.h"
#include "pipeline/params/KxCAppParam.h"
#include "pipeline/util/AppGlobal.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxRandom.h"
#include "render/KxCOGLProjector.h"
#include "sampling/KxCSampleMask.h"

namespace OrvaneImage {

namespace {

// Later layers are thinned out so that the first, largest windows dominate.
constexpr double k_Layer_Prob[] = {1.0, 0.8, 0.7};

double Layer_Prob(std::size_t layer)
{
    constexpr std::size_t last = std::size(k_Layer_Prob) - 1;
    return k_Layer_Prob[std::min(layer, last)];
}

void Report_Layer(const std::string& what, std::size_t layer)
{
    Throw_Debug_Msg("KxCStamper", "Stamp", what + " : Layer " + std::to_string(layer + 1) + " failed");
}

/// Where the copy is drawn, with only the transforms the settings switch on.
KxUtils::Vec2d Drawn_Position(const KxCStampGrid& stamp, const KxCDecalGrid& copy, const KxCStampGParam& params)
{
    KxUtils::Vec2d p = copy.Center();
    if (params.Perturb_DG().Enabled()) p = XForm_Point(copy, p);
    if (params.Perturb_SG().Enabled()) p = XForm_Point(stamp, p);
    return p;
}

/// The distance to the object at window point p; none when p lies outside the
/// viewport or the image (indexed from the viewport's corner) has no such pixel.
std::optional<float> Dist_To_Object(const cv::Mat* dist, const std::array<int, 4>& viewport, const KxUtils::Vec2d& p)
{
    const int x = static_cast<int>(p[0]), y = static_cast<int>(p[1]);
    const bool in_view = viewport[0] <= x && x < viewport[0] + viewport[2] && viewport[1] <= y && y < viewport[1] + viewport[3];
    if (!dist || !in_view) return std::nullopt;
    const int row = y - viewport[1], col = x - viewport[0];
    if (row >= dist->rows || col >= dist->cols) return std::nullopt;
    return dist->at<float>(row, col);
}

} // namespace

bool KxCStamper::Stamp(std::vector<KxCWndGCntr*>* windows, std::vector<KxCStampGCntr*>* stamps, KxCSampleMask* mask,
                       KxCStampGParam* params)
{
    if (!windows || windows->empty() || !stamps || !stamps->empty() || !mask || !params) {
        Throw_Debug_Msg("KxCStamper", "Stamp", "Invalid inputs");
        return false;
    }
    for (std::size_t l = 0; l < windows->size(); ++l) {
        params->set_Cur_Prob(Layer_Prob(l));
        auto layer = std::make_unique<KxCStampGCntr>();
        if (!Stamp_Specific((*windows)[l], layer.get(), params)) {
            Report_Layer("Stamp", l);
            continue;
        }
        if (params->Filter().Enabled() && !Filter(layer.get(), mask, params)) Report_Layer("Stamp Filter", l);
        stamps->push_back(layer.release());
    }
    return true;
}

bool KxCStamper::Filter(KxCStampGCntr* stamps, KxCSampleMask* mask, KxCStampGParam* params)
{
    if (!stamps || !mask || !params) {
        Throw_Debug_Msg("KxCStamper", "Filter", "Invalid inputs");
        return false;
    }
    if (AppGlobal::g_Fix_Rand) KxUtils::SRand(1024);
    const KxCGrid& object = *mask->Rectangle();
    const double ratio = params->Filter().Distance_Ratio();
    const double diagonal = object.Diagonal().norm();
    const auto& viewport = KxUtils::KxCOGLProjector::InstancePtr()->Viewport();
    const cv::Mat* dist = mask->Dist2_Image()->Matrix();
    for (KxCGrid* grid : stamps->Grids()) {
        auto* stamp = dynamic_cast<KxCStampGrid*>(grid);
        if (!stamp || !stamp->Intersect(object)) continue;
        for (KxCDecalGrid* copy : stamp->DecalGrids()) {
            copy->Stamp_Flag() = true;
            const KxUtils::Vec2d p = Drawn_Position(*stamp, *copy, *params);
            // Uniform in 0 ... 2 x ratio x diagonal, so the background thins out towards the
            // object; drawn for every copy so that the sequence does not depend on the view.
            const double threshold = ((KxUtils::Rand_Unit() - 0.5) * 2.0 * ratio + ratio) * diagonal;
            const std::optional<float> d = Dist_To_Object(dist, viewport, p);
            if (d && *d < threshold) copy->Stamp_Flag() = false;
        }
    }
    return true;
}

} // namespace OrvaneImage

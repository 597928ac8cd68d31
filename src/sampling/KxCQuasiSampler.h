#pragma once
// Splats of a still image: the importance of the visible surface (shading
// drawn as grey levels, plus a band along the silhouette) is read back over
// the mask rectangle and sampled with the hierarchical quasi-sampler; each
// point becomes a splat at its nearest vertex, the first point to claim a
// vertex winning.
#include <vector>

#include "pipeline/util/KxCSingleton.h"
#include "sampling/KxCSampler.h"
#include "sampling/KxQuasisampler.h"

namespace OrvaneImage {

/// The quasi-sampler over an importance vector of w x h entries, row 0 being the bottom
/// row of the rectangle; the sampler's y axis runs down from the top edge.
class MyQuasiSampler : public PelmoSampler::Quasisampler {
public:
    /// Keeps a pointer to importance (not owned).
    MyQuasiSampler(const std::vector<unsigned int>* importance, double w, double h);
    /// The entry at row floor(h - y) (at most h - 1) and column floor(x).
    unsigned int getImportanceAt(PelmoSampler::Point2D pt) override;

private:
    const std::vector<unsigned int>* mp_Importance;
};

class KxCQuasiSampler : public KxCSampler, public KxCSingleton<KxCQuasiSampler> {
public:
    /// Fills the mask's silhouette band and appends one splat per accepted point.
    bool Sample(KxCAppMesh* mesh, KxCSampleMask* mask, KxCDecalCntr* cntr, const KxCSampleParam* sparam,
                KxCDecalParam* dparam) override;
};

} // namespace OrvaneImage

#pragma once
// The detailed generation parameters of an application item: stamping and
// the repeatable-randomness switch.
#include <string>

#include "pipeline/params/KxCBaseParams.h"

namespace OrvaneImage {

/// The stamp filter (off and at distance ratio 0.05 unless its owner says otherwise).
class KxCSGFilterParam : public KxCFilterParam {
public:
    static constexpr const char* Caption = "Stamp Grid Filter Parameters";

    /// Inspector caption.
    std::string ToString() const override { return Caption; }

    /// Distance ratio of the stamp filter.
    double Distance_Ratio() const { return m_Distance_Ratio; }
    void set_Distance_Ratio(double v) { m_Distance_Ratio = v; }

private:
    double m_Distance_Ratio = 0.05;
};

/// Stamping parameters.
class KxCStampGParam {
public:
    static constexpr const char* Caption = "Stamp Grid Parameters";

    /// Defaults, with the filter on at distance ratio 0.1.
    KxCStampGParam();

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Base stamp probability (shown only).
    double Base_Prob() const { return m_Base_Prob; }
    void set_Base_Prob(double v) { m_Base_Prob = v; }
    /// Working probability written by the stamper per layer.
    double Cur_Prob() const { return m_Cur_Prob; }
    void set_Cur_Prob(double v) { m_Cur_Prob = v; }
    /// Perturbation of the stamps.
    KxCXFormParam& Perturb_SG() { return m_Perturb_SG; }
    const KxCXFormParam& Perturb_SG() const { return m_Perturb_SG; }
    /// Perturbation of the splat grids inside stamps.
    KxCXFormParam& Perturb_DG() { return m_Perturb_DG; }
    const KxCXFormParam& Perturb_DG() const { return m_Perturb_DG; }
    /// Stamp filter.
    KxCSGFilterParam& Filter() { return m_Filter; }
    const KxCSGFilterParam& Filter() const { return m_Filter; }

private:
    double m_Base_Prob = 1.0;
    double m_Cur_Prob = 1.0;
    KxCXFormParam m_Perturb_SG{true, 360.0, 0.75};
    KxCXFormParam m_Perturb_DG{true, 36.0, 0.05};
    KxCSGFilterParam m_Filter;
};

/// The detailed parameters of one application item.
class KxCAppParam {
public:
    static constexpr const char* Caption = "Application Parameters";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Stamping.
    KxCStampGParam& StampGrid() { return m_StampGrid; }
    const KxCStampGParam& StampGrid() const { return m_StampGrid; }
    /// Repeatable randomness. Not stored here: reads and writes the
    /// process-wide AppGlobal::g_Fix_Rand, so every item shows the one switch.
    bool Fix_Rand() const;
    void set_Fix_Rand(bool v);

private:
    KxCStampGParam m_StampGrid;
};

} // namespace OrvaneImage

#pragma once
// The two user-facing summary sets, one for still images and one for
// videos. Choosing a difficulty fills their values with fixed presets; the
// values reach the generation only through Param_Sys2App.
#include <string>

#include "pipeline/params/KxCBaseParams.h"
#include "pipeline/params/KxEnums.h"

namespace OrvaneImage {

/// Silhouette breaking of the still-image summary set.
class KxCOIBrkParam : public KxCFilterParam {
public:
    static constexpr const char* Caption = "Breaking Parameters";

    /// Inspector caption.
    std::string ToString() const override { return Caption; }

    /// Breaking length ratio.
    double Degree() const { return m_Degree; }
    void set_Degree(double v) { m_Degree = v; }

private:
    double m_Degree = 0.1;
};

/// What both summary sets hold. Not an inspector class of its own: each set
/// lists these properties in its own order.
class KxCSummaryParam {
public:
    /// Render mode Scene, density 100, the given splat size, difficulty Easy;
    /// the derived constructor then applies its Easy preset.
    explicit KxCSummaryParam(int splat_size) : m_Splat_Size(splat_size) {}

    /// What the main view draws.
    KxEnumOrvaneMode Render_Mode() const { return m_Render_Mode; }
    void set_Render_Mode(KxEnumOrvaneMode v) { m_Render_Mode = v; }
    /// Sampling density.
    int Density() const { return m_Density; }
    void set_Density(int v) { m_Density = v; }
    /// Splat radius in average edge lengths.
    int Splat_Size() const { return m_Splat_Size; }
    void set_Splat_Size(int v) { m_Splat_Size = v; }
    /// Perturbation of the splat grids inside stamps.
    KxCXFormParam& Splat_Perturb() { return m_Splat_Perturb; }
    const KxCXFormParam& Splat_Perturb() const { return m_Splat_Perturb; }
    /// Perturbation of the stamps.
    KxCXFormParam& Stamp_Perturb() { return m_Stamp_Perturb; }
    const KxCXFormParam& Stamp_Perturb() const { return m_Stamp_Perturb; }
    /// The chosen preset (any stored value; only 0 ... 2 fill presets).
    KxEnumDifficulty Difficulty() const { return m_Difficulty; }

protected:
    /// Stores d and tells whether it names a preset.
    bool Store_Difficulty(KxEnumDifficulty d);
    /// Writes the values every preset of both sets shares, plus density and splat size.
    void Apply_Shared_Preset(int density, int splat_size);

private:
    KxEnumOrvaneMode m_Render_Mode = KxEnumOrvaneMode::Scene;
    int m_Density = 100;
    int m_Splat_Size;
    KxCXFormParam m_Splat_Perturb;
    KxCXFormParam m_Stamp_Perturb;
    KxEnumDifficulty m_Difficulty = KxEnumDifficulty::Easy;
};

/// Summary set for still images.
class KxCOIParam : public KxCSummaryParam {
public:
    static constexpr const char* Caption = "Orvane Image Parameters";

    /// Render mode Scene, density 100, splat size 5, then the Easy preset.
    KxCOIParam();

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Silhouette breaking.
    KxCOIBrkParam& Silhouette_Break() { return m_Silhouette_Break; }
    const KxCOIBrkParam& Silhouette_Break() const { return m_Silhouette_Break; }
    /// Perturbation of the splat grids near the silhouette.
    KxCXFormParam& Silhouette_Perturb() { return m_Silhouette_Perturb; }
    const KxCXFormParam& Silhouette_Perturb() const { return m_Silhouette_Perturb; }
    /// Stores d; a value 0 ... 2 also fills its preset (Render_Mode is never touched).
    void set_Difficulty(KxEnumDifficulty d);

private:
    KxCOIBrkParam m_Silhouette_Break;
    KxCXFormParam m_Silhouette_Perturb;
};

/// Summary set for videos.
class KxCOVParam : public KxCSummaryParam {
public:
    static constexpr const char* Caption = "Orvane Video Parameters";

    /// Render mode Scene, density 100, splat size 6, then the Easy preset.
    KxCOVParam();

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Stores d; a value 0 ... 2 also fills its preset (Render_Mode is never touched).
    void set_Difficulty(KxEnumDifficulty d);
};

} // namespace OrvaneImage

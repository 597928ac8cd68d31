#pragma once
#include <string>

#include "pipeline/params/KxCRange.h"

namespace OrvaneImage {

/// Splat size and radius jitter.
class KxCDecalParam {
public:
    static constexpr const char* Caption = "Decal Parameters";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Number of splats of the last sampling (written by the samplers; read-only in the inspector).
    int Number() const { return m_Number; }
    void set_Number(int v) { m_Number = v; }
    /// Vary splat radii randomly.
    bool Use_Jitter() const { return m_Use_Jitter; }
    void set_Use_Jitter(bool v) { m_Use_Jitter = v; }
    /// Range of the radius jitter.
    const KxCRange& Jitter_Range() const { return m_Jitter_Range; }
    void set_Jitter_Range(const KxCRange& v) { m_Jitter_Range = v; }

    /// A new random radius factor on every read: 1.0 without jitter (no draw),
    /// otherwise 1 -/+ (Minimum + r1 / 32767 x span), the sign taken from the
    /// parity of a second draw. Each jittered read consumes two values of the
    /// shared generator, and that order is part of a reproducible result.
    double Jitter_Scale() const;

    /// Splat radius in units of the mesh's average edge length.
    double Radius_Ratio() const { return m_Radius_Ratio; }
    void set_Radius_Ratio(double v) { m_Radius_Ratio = v; }
    /// Radius factor applied when splats are drawn.
    double Radius_Scale() const { return m_Radius_Scale; }
    void set_Radius_Scale(double v) { m_Radius_Scale = v; }
    /// Texture-coordinate factor applied when splats are drawn.
    double Texture_Scale() const { return m_Texture_Scale; }
    void set_Texture_Scale(double v) { m_Texture_Scale = v; }
    /// Range onto which Imptn_Scale maps importance.
    const KxCRange& Imptn_Range() const { return m_Imptn_Range; }
    void set_Imptn_Range(const KxCRange& v) { m_Imptn_Range = v; }

    /// |Maximum - Minimum| x importance + Minimum of Imptn_Range.
    double Imptn_Scale(double importance) const;

private:
    int m_Number = 0;
    bool m_Use_Jitter = true;
    KxCRange m_Jitter_Range{0.0, 0.4};
    double m_Radius_Ratio = 5.0;
    double m_Radius_Scale = 1.0;
    double m_Texture_Scale = 1.0;
    KxCRange m_Imptn_Range{0.0, 1.0};
};

} // namespace OrvaneImage

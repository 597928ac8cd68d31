#pragma once
// Parameters of splat placement: importance sampling for still images and
// random sampling for video frames.
#include <string>

#include "pipeline/params/KxCBaseParams.h"
#include "pipeline/params/KxCRange.h"

namespace OrvaneImage {

/// The silhouette band of the importance field.
class KxCSilhoParam : public KxCLightParam {
public:
    static constexpr const char* Caption = "Silhouette Parameters";

    /// Inspector caption.
    std::string ToString() const override { return Caption; }

    /// Angular margin of the silhouette band in degrees.
    double Margin() const { return m_Margin; }
    void set_Margin(double v) { m_Margin = v; }
    /// Silhouette factor of the quasi-sampler.
    double Ratio() const { return m_Ratio; }
    void set_Ratio(double v) { m_Ratio = v; }

    /// True when the normal-view cosine dot lies in the band:
    /// 0 <= dot <= cos(90 - Margin degrees). NaN is outside.
    bool is_Silhouette(double dot) const;

private:
    double m_Margin = 35.0;
    double m_Ratio = 0.14;
};

/// Thresholds and values of the shading field.
class KxCShadeParam : public KxCLightParam {
public:
    static constexpr const char* Caption = "Shading Parameters";

    /// Inspector caption.
    std::string ToString() const override { return Caption; }

    /// Thresholds on the light dot product.
    const KxCRange& Dot_Range() const { return m_Dot_Range; }
    void set_Dot_Range(const KxCRange& v) { m_Dot_Range = v; }
    /// Values the field assigns between and beyond the thresholds.
    const KxCRange& Dot_Value() const { return m_Dot_Value; }
    void set_Dot_Value(const KxCRange& v) { m_Dot_Value = v; }

private:
    KxCRange m_Dot_Range{0.33, 0.76};
    KxCRange m_Dot_Value{0.43, 0.76};
};

/// Importance-driven sampling of still images.
class KxCImptSParam {
public:
    static constexpr const char* Caption = "Importance Sampling Parameters";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Sampling density of the quasi-sampler.
    int Density() const { return m_Density; }
    void set_Density(int v) { m_Density = v; }
    /// Silhouette field settings.
    KxCSilhoParam& Silhouette() { return m_Silhouette; }
    const KxCSilhoParam& Silhouette() const { return m_Silhouette; }
    /// Shading field settings.
    KxCShadeParam& Shading() { return m_Shading; }
    const KxCShadeParam& Shading() const { return m_Shading; }

private:
    int m_Density = 100;
    KxCSilhoParam m_Silhouette;
    KxCShadeParam m_Shading;
};

/// Random sampling of video frames. Cur_Ratio = Density x Vertex_Ratio x 0.01
/// is kept up to date by both of its inputs' setters.
class KxCRandSParam {
public:
    static constexpr const char* Caption = "Random Sampling Parameters";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Percentage 0 ... 100 of Vertex_Ratio used; the setter clamps to that range.
    int Density() const { return m_Density; }
    void set_Density(int v);
    /// Fraction of the vertices that may carry a splat at full density.
    double Vertex_Ratio() const { return m_Vertex_Ratio; }
    void set_Vertex_Ratio(double v);
    /// The fraction of vertices sampled now (derived, read-only).
    double Cur_Ratio() const { return m_Cur_Ratio; }
    /// Minimum spacing of splat centres in average edge lengths.
    double Radius_Ratio() const { return m_Radius_Ratio; }
    void set_Radius_Ratio(double v) { m_Radius_Ratio = v; }
    /// Depth tolerance as a fraction of the bounding-box diagonal.
    double Depth_Ratio() const { return m_Depth_Ratio; }
    void set_Depth_Ratio(double v) { m_Depth_Ratio = v; }
    /// Ring size of the motion sampler.
    int Ring_Size() const { return m_Ring_Size; }
    void set_Ring_Size(int v) { m_Ring_Size = v; }

private:
    void Update_Cur_Ratio();

    int m_Density = 100;
    double m_Vertex_Ratio = 0.1;
    double m_Cur_Ratio = 0.1;
    double m_Radius_Ratio = 3.0;
    double m_Depth_Ratio = 0.01;
    int m_Ring_Size = 3;
};

/// All sampling parameters of a mesh.
class KxCSampleParam {
public:
    static constexpr const char* Caption = "Sampling Parameters";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Importance sampling (still images).
    KxCImptSParam& Importance() { return m_Importance; }
    const KxCImptSParam& Importance() const { return m_Importance; }
    /// Random sampling (video frames).
    KxCRandSParam& Random() { return m_Random; }
    const KxCRandSParam& Random() const { return m_Random; }

private:
    KxCImptSParam m_Importance;
    KxCRandSParam m_Random;
};

} // namespace OrvaneImage

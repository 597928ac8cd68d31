#pragma once
// Parameters of the image-space splat grids: silhouette breaking, window
// layers, filtering and perturbation.
#include <string>

#include "pipeline/params/KxCBaseParams.h"

namespace OrvaneImage {

/// Silhouette contour breaking (off unless its owner enables it).
class KxCBrkParam : public KxCFilterParam {
public:
    static constexpr const char* Caption = "Breaking Parameters";

    /// Inspector caption.
    std::string ToString() const override { return Caption; }

    /// Contour processing: magnitude ratio.
    double Mag_Ratio() const { return m_Mag_Ratio; }
    void set_Mag_Ratio(double v) { m_Mag_Ratio = v; }
    /// Contour processing: sampling ratio.
    double Smpl_Ratio() const { return m_Smpl_Ratio; }
    void set_Smpl_Ratio(double v) { m_Smpl_Ratio = v; }
    /// Breaking length ratio.
    double Lnth_Ratio() const { return m_Lnth_Ratio; }
    void set_Lnth_Ratio(double v) { m_Lnth_Ratio = v; }
    /// Still-image analyzer: distance ratio.
    double Dist_Ratio() const { return m_Dist_Ratio; }
    void set_Dist_Ratio(double v) { m_Dist_Ratio = v; }
    /// Still-image analyzer: area ratio.
    double Area_Ratio() const { return m_Area_Ratio; }
    void set_Area_Ratio(double v) { m_Area_Ratio = v; }
    /// Still-image analyzer: line thickness in pixels.
    int Line_Thick() const { return m_Line_Thick; }
    void set_Line_Thick(int v) { m_Line_Thick = v; }

private:
    double m_Mag_Ratio = 0.15;
    double m_Smpl_Ratio = 0.02;
    double m_Lnth_Ratio = 0.1;
    double m_Dist_Ratio = 0.01;
    double m_Area_Ratio = 0.3;
    int m_Line_Thick = 2;
};

/// Window layers of the analyzers.
class KxCMultiResParam {
public:
    static constexpr const char* Caption = "Multi-resolution Parameters";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Number of window layers.
    int Layer() const { return m_Layer; }
    void set_Layer(int v) { m_Layer = v; }
    /// Window size ratio of layer 0.
    double Base_Ratio() const { return m_Base_Ratio; }
    void set_Base_Ratio(double v) { m_Base_Ratio = v; }
    /// Working value: the analyzers store 2^layer x Base_Ratio for the layer being built.
    double Cur_Ratio() const { return m_Cur_Ratio; }
    void set_Cur_Ratio(double v) { m_Cur_Ratio = v; }
    /// Perturbation of the windows.
    KxCXFormParam& Perturb() { return m_Perturb; }
    const KxCXFormParam& Perturb() const { return m_Perturb; }

private:
    int m_Layer = 3;
    double m_Base_Ratio = 0.15;
    double m_Cur_Ratio = 0.1;
    KxCXFormParam m_Perturb{true, 0.0, 0.75};
};

/// The splat-grid filter (off unless its owner enables it).
class KxCDGFilterParam : public KxCFilterParam {
public:
    static constexpr const char* Caption = "Decal Grid Filter Parameters";

    /// Inspector caption.
    std::string ToString() const override { return Caption; }

    /// Thin-grid aspect (shown only).
    double Thin_Aspect() const { return m_Thin_Aspect; }
    void set_Thin_Aspect(double v) { m_Thin_Aspect = v; }
    /// Thin-grid ratio (shown only).
    double Thin_Ratio() const { return m_Thin_Ratio; }
    void set_Thin_Ratio(double v) { m_Thin_Ratio = v; }
    /// Smallest kept grid area as a fraction.
    double Area_Ratio() const { return m_Area_Ratio; }
    void set_Area_Ratio(double v) { m_Area_Ratio = v; }

private:
    double m_Thin_Aspect = 2.0;
    double m_Thin_Ratio = 0.25;
    double m_Area_Ratio = 0.0002;
};

/// All splat-grid parameters of a mesh.
class KxCDecalGParam {
public:
    static constexpr const char* Caption = "Decal Grid Parameters";

    /// Defaults, with the breaker and the filter switched on.
    KxCDecalGParam();

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Build a texture for each splat grid.
    bool Gen_Texture() const { return m_Gen_Texture; }
    void set_Gen_Texture(bool v) { m_Gen_Texture = v; }
    /// Boundary ratio of the analyzers.
    double Bdry_Ratio() const { return m_Bdry_Ratio; }
    void set_Bdry_Ratio(double v) { m_Bdry_Ratio = v; }
    /// Silhouette contour breaking.
    KxCBrkParam& Breaker() { return m_Breaker; }
    const KxCBrkParam& Breaker() const { return m_Breaker; }
    /// Window layers.
    KxCMultiResParam& Multi_Resolution() { return m_Multi_Resolution; }
    const KxCMultiResParam& Multi_Resolution() const { return m_Multi_Resolution; }
    /// Splat-grid filter.
    KxCDGFilterParam& Filter() { return m_Filter; }
    const KxCDGFilterParam& Filter() const { return m_Filter; }
    /// Perturbation of the splat grids near the silhouette.
    KxCXFormParam& Perturb() { return m_Perturb; }
    const KxCXFormParam& Perturb() const { return m_Perturb; }

private:
    bool m_Gen_Texture = true;
    double m_Bdry_Ratio = 0.01;
    KxCBrkParam m_Breaker;
    KxCMultiResParam m_Multi_Resolution;
    KxCDGFilterParam m_Filter;
    KxCXFormParam m_Perturb{false, 5.0, 0.005};
};

} // namespace OrvaneImage

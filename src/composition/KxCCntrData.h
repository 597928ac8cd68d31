#pragma once
// The outline contours of a mask image: each contour as a closed pixel chain
// with per-point curvature magnitudes, the pieces cut from its flat stretches,
// and the set that owns both.
#include <vector>

#include "pipeline/util/KxMath.h"

namespace OrvaneImage {

/// One closed contour: 8-connected boundary pixels in traversal order, with
/// the object to the left of the direction of travel (rows growing downwards).
class KxCLineSeg {
public:
    KxCLineSeg() = default;

    /// The contour pixels, relative to the mask rectangle's corner.
    std::vector<KxUtils::Vec2s>& Points() { return m_Points; }
    const std::vector<KxUtils::Vec2s>& Points() const { return m_Points; }
    /// One curvature magnitude per point in 0 ... 1; empty until computed.
    std::vector<double>& Magnitudes() { return m_Magnitudes; }
    const std::vector<double>& Magnitudes() const { return m_Magnitudes; }
    /// Arc length of the closed contour in pixels.
    double& Length() { return m_Length; }
    double Length() const { return m_Length; }
    /// Number of points.
    int Length2() const { return static_cast<int>(m_Points.size()); }
    /// True when there is exactly one magnitude per point (and at least one).
    bool has_Mags() const { return !m_Magnitudes.empty() && m_Magnitudes.size() == m_Points.size(); }
    /// Free tag for the owner; -1 when fresh or cleared.
    int& Tag() { return m_Tag; }
    int Tag() const { return m_Tag; }
    /// Empties points and magnitudes, length 0, tag -1.
    void Clear();

private:
    std::vector<KxUtils::Vec2s> m_Points;
    double m_Length = 0.0;
    std::vector<double> m_Magnitudes;
    int m_Tag = -1;
};

/// A run of positions along one contour: indices into its points in walking
/// order, wrapping past the end of the point list.
class KxCIdxSeg {
public:
    KxCIdxSeg() = default;

    /// Indices into the owning contour's points.
    std::vector<int>& Indices() { return m_Indices; }
    const std::vector<int>& Indices() const { return m_Indices; }
    /// Sum of the indexed points' magnitudes once the piece is closed; 0 before.
    double& Magnitude() { return m_Magnitude; }
    double Magnitude() const { return m_Magnitude; }
    /// Free tag for the owner; 0 when fresh or cleared.
    int& Tag() { return m_Tag; }
    int Tag() const { return m_Tag; }
    /// Empties the indices, magnitude 0, tag 0.
    void Clear();

private:
    std::vector<int> m_Indices;
    double m_Magnitude = 0.0;
    int m_Tag = 0;
};

/// The contour set of one mask: owns its contours and, once the contours are
/// broken, one list of pieces per contour.
class KxCCntrData {
public:
    KxCCntrData() = default;
    ~KxCCntrData();
    KxCCntrData(const KxCCntrData&) = delete;
    KxCCntrData& operator=(const KxCCntrData&) = delete;

    /// The owned contours.
    std::vector<KxCLineSeg*>& Contours() { return m_Contours; }
    const std::vector<KxCLineSeg*>& Contours() const { return m_Contours; }
    /// Entry k holds the owned pieces of contour k.
    std::vector<std::vector<KxCIdxSeg*>>& Segments() { return m_Segments; }
    const std::vector<std::vector<KxCIdxSeg*>>& Segments() const { return m_Segments; }
    /// Keep every contour (true) or only the longest (false) on extraction.
    bool& is_Multi() { return m_Multi; }
    bool is_Multi() const { return m_Multi; }
    /// Sum of the contours' arc lengths, as of the last Cal_Length.
    double Total_Length() const { return m_Total_Length; }
    /// Sum of the contours' point counts, as of the last Cal_Length.
    int Total_Points() const { return m_Total_Points; }

    /// Deletes every piece and empties the list of piece lists.
    void Clear_Segments();
    /// Deletes the contours and the pieces and zeroes the totals; keeps is_Multi.
    void Clear();
    /// Recomputes both totals from the contours.
    void Cal_Length();

private:
    std::vector<KxCLineSeg*> m_Contours;
    double m_Total_Length = 0.0;
    int m_Total_Points = 0;
    bool m_Multi = false;
    std::vector<std::vector<KxCIdxSeg*>> m_Segments;
};

} // namespace OrvaneImage

#pragma once
// The random displacement of a grid: a shift and a turn about the grid's own
// centre, applied only when the grid is drawn perturbed.
#include "pipeline/util/KxMath.h"

namespace OrvaneImage {

class KxCXForm {
public:
    /// A zero transform: no shift, no turn.
    KxCXForm() { Clear(); }

    /// Resets every component to 0.
    void Clear()
    {
        m_Move = KxUtils::Vec2d(0.0, 0.0);
        m_Extra = KxUtils::Vec2d(0.0, 0.0);
        m_Angle = 0.0;
    }

    KxUtils::Vec2d m_Move;  ///< translation in pixels
    KxUtils::Vec2d m_Extra; ///< carried along with copies; nothing reads it
    double m_Angle;         ///< degrees, counter-clockwise, about the owning grid's centre
};

} // namespace OrvaneImage

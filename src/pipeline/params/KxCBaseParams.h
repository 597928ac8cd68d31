#pragma once
// Small parameter classes that the larger ones nest or derive from.
#include <string>

#include "render/KxCLight.h"

namespace OrvaneImage {

/// A random 2D perturbation: rotation and translation amplitudes.
class KxCXFormParam {
public:
    static constexpr const char* Caption = "Random Transform Parameters";

    /// A transform with the given switch and amplitudes (all off by default).
    explicit KxCXFormParam(bool enabled = false, double rotate_factor = 0.0, double move_factor = 0.0)
        : m_Enabled(enabled), m_Rotate_Factor(rotate_factor), m_Move_Factor(move_factor) {}

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Apply the random transform.
    bool Enabled() const { return m_Enabled; }
    void set_Enabled(bool v) { m_Enabled = v; }
    /// Rotation amplitude in degrees.
    double Rotate_Factor() const { return m_Rotate_Factor; }
    void set_Rotate_Factor(double v) { m_Rotate_Factor = v; }
    /// Translation amplitude, a fraction of a size the reader chooses.
    double Move_Factor() const { return m_Move_Factor; }
    void set_Move_Factor(double v) { m_Move_Factor = v; }

private:
    bool m_Enabled;
    double m_Rotate_Factor;
    double m_Move_Factor;
};

/// Base of the filters and breakers: one on/off switch.
class KxCFilterParam {
public:
    static constexpr const char* Caption = "Filter Parameters";

    /// A filter that is off unless enabled is given.
    explicit KxCFilterParam(bool enabled = false) : m_Enabled(enabled) {}
    virtual ~KxCFilterParam() = default;

    /// Inspector caption (each derived class has its own).
    virtual std::string ToString() const { return Caption; }

    /// Switch of the filter or breaker.
    bool Enabled() const { return m_Enabled; }
    void set_Enabled(bool v) { m_Enabled = v; }

private:
    bool m_Enabled;
};

/// Base of the view-dependent fields: the light they are computed for and an on/off switch.
class KxCLightParam {
public:
    static constexpr const char* Caption = "Light Parameters";

    virtual ~KxCLightParam() = default;

    /// Inspector caption (each derived class has its own).
    virtual std::string ToString() const { return Caption; }

    /// The light or view direction the field is computed for (owned).
    KxUtils::KxCLight& Light() { return m_Light; }
    const KxUtils::KxCLight& Light() const { return m_Light; }
    /// Compute and use the field.
    bool Enabled() const { return m_Enabled; }
    void set_Enabled(bool v) { m_Enabled = v; }

private:
    KxUtils::KxCLight m_Light;
    bool m_Enabled = true;
};

} // namespace OrvaneImage

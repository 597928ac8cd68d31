#pragma once
#include <string>

namespace OrvaneImage {

/// A closed interval of doubles, used for thresholds and value ranges.
class KxCRange {
public:
    /// A range from minimum to maximum (the ends are stored as given, unordered).
    KxCRange(double minimum, double maximum) : m_Minimum(minimum), m_Maximum(maximum) {}

    /// Lower end.
    double Minimum() const { return m_Minimum; }
    void set_Minimum(double v) { m_Minimum = v; }
    /// Upper end.
    double Maximum() const { return m_Maximum; }
    void set_Maximum(double v) { m_Maximum = v; }

    /// "Minimum,Maximum", for example "0.33,0.76".
    std::string ToString() const;
    /// Reads "min,max" into out; false and out unchanged when text is not two numbers.
    static bool Parse(const std::string& text, KxCRange& out);

private:
    double m_Minimum;
    double m_Maximum;
};

} // namespace OrvaneImage

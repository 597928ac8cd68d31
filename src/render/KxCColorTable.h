#pragma once
// Colour lists: an interpolated ramp over [0, 1] and a categorical palette.
#include <array>
#include <vector>

#include "pipeline/util/KxCSingleton.h"

namespace KxUtils {

template <class T>
class KxCColorTable {
public:
    using RGBA = std::array<T, 4>;
    virtual ~KxCColorTable() = default;

    void add_Color(T r, T g, T b, T a) { m_Colors.push_back({r, g, b, a}); }
    void add_Color(const RGBA& c) { m_Colors.push_back(c); }
    void Clear() { m_Colors.clear(); }
    const std::vector<RGBA>& Colors() const { return m_Colors; }
    std::size_t Size() const { return m_Colors.size(); }
    const RGBA& operator[](std::size_t i) const { return m_Colors[i]; }

    /// Linear blend of the two colours around t * (N - 1); values beyond 1 wrap
    /// around, negative or undefined values give the first colour. A table of
    /// fewer than two colours gives its only colour (or zeros).
    RGBA get_Interpolate(double t) const
    {
        if (m_Colors.size() < 2) return m_Colors.empty() ? RGBA{} : m_Colors[0];
        const int last = static_cast<int>(m_Colors.size()) - 1;
        double s = t * last;
        if (!(s >= 0.0)) s = 0.0;
        if (s > last) s -= static_cast<int>(s / last) * last;
        int i = static_cast<int>(s);
        if (i == last) i = last - 1;
        const double w = s - i;
        RGBA out;
        for (int k = 0; k < 4; ++k)
            out[k] = static_cast<T>(static_cast<unsigned int>(m_Colors[i + 1][k] * w + m_Colors[i][k] * (1.0 - w)));
        return out;
    }

protected:
    std::vector<RGBA> m_Colors;
};

/// The blue-green-yellow-red ramp.
class KxCColorTable_RGB : public KxCColorTable<unsigned char>, public KxCSingleton<KxCColorTable_RGB> {
public:
    KxCColorTable_RGB();
};

/// 42 categorical colours.
class KxCColorTable_Element : public KxCColorTable<unsigned char>, public KxCSingleton<KxCColorTable_Element> {
public:
    KxCColorTable_Element();
};

} // namespace KxUtils

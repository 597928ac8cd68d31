#pragma once
#include <string>

namespace OrvaneImage {

/// An 8-bit RGBA colour of the display properties.
struct KxCColor {
    unsigned char r = 0, g = 0, b = 0, a = 255;

    /// Same four channels.
    bool operator==(const KxCColor& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }

    /// "r,g,b,a", each 0 ... 255.
    std::string ToString() const;
    /// Reads "r,g,b" (alpha kept) or "r,g,b,a" into out; false and out
    /// unchanged when a field is missing, extra or not in 0 ... 255.
    static bool Parse(const std::string& text, KxCColor& out);
};

} // namespace OrvaneImage

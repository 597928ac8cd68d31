#pragma once
// Text form of parameter values. Numbers are written and read in the C
// locale whatever the process locale is, so "0.33,0.76" stays unambiguous
// even where the decimal separator is a comma.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace OrvaneImage {

/// text without leading and trailing blanks (spaces, tabs, line ends).
std::string_view Trim_Blanks(std::string_view text);

/// The comma-separated fields of text, each trimmed; "a" gives one field.
std::vector<std::string_view> Split_Fields(std::string_view text);

/// A number in the shortest "%g" form with the type's decimal digits
/// (15 for double, so 0.14 prints "0.14"; 6 for float).
template <class N>
std::string Format_Number(N value)
{
    char buf[64];
    char* end;
    if constexpr (std::is_floating_point_v<N>)
        end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general,
                            std::numeric_limits<N>::digits10).ptr;
    else
        end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

/// Parses a whole number of type N (surrounding blanks allowed): true and
/// out set when text is exactly one value in N's range (finite for floating
/// point, no sign for unsigned); false and out unchanged otherwise.
template <class N>
bool Parse_Number(std::string_view text, N& out)
{
    text = Trim_Blanks(text);
    N value{};
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return false;
    if constexpr (std::is_floating_point_v<N>)
        if (!std::isfinite(value)) return false;
    out = value;
    return true;
}

} // namespace OrvaneImage

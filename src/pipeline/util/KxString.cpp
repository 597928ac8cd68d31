#include "pipeline/util/KxString.h"

namespace {

void Append_Utf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

void MarshalString(const std::u16string& s, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool low = c >= 0xDC00 && c <= 0xDFFF;
        if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (high || low) {
            c = 0xFFFD;
        }
        Append_Utf8(c, out);
    }
}

namespace {

// Position of the extension's dot; a dot inside a folder name does not count.
std::size_t Ext_Dot(const std::string& name)
{
    const auto dot = name.find_last_of('.');
    const auto slash = name.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
    return dot;
}

} // namespace

std::string get_FileExt(const std::string& name)
{
    const auto dot = Ext_Dot(name);
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string get_FilePathWithoutExt(const std::string& name)
{
    const auto dot = Ext_Dot(name);
    return dot == std::string::npos ? name : name.substr(0, dot);
}

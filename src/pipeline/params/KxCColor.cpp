#include "pipeline/params/KxCColor.h"

#include "pipeline/params/KxParamText.h"

namespace OrvaneImage {

std::string KxCColor::ToString() const
{
    return Format_Number(unsigned(r)) + "," + Format_Number(unsigned(g)) + "," + Format_Number(unsigned(b)) +
           "," + Format_Number(unsigned(a));
}

bool KxCColor::Parse(const std::string& text, KxCColor& out)
{
    const auto fields = Split_Fields(text);
    if (fields.size() != 3 && fields.size() != 4) return false;
    KxCColor parsed = out;
    unsigned char* channels[4] = {&parsed.r, &parsed.g, &parsed.b, &parsed.a};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        unsigned v = 0;
        if (!Parse_Number(fields[i], v) || v > 255) return false;
        *channels[i] = static_cast<unsigned char>(v);
    }
    out = parsed;
    return true;
}

} // namespace OrvaneImage

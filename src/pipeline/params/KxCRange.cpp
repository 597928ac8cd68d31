#include "pipeline/params/KxCRange.h"

#include "pipeline/params/KxParamText.h"

namespace OrvaneImage {

std::string KxCRange::ToString() const
{
    return Format_Number(m_Minimum) + "," + Format_Number(m_Maximum);
}

bool KxCRange::Parse(const std::string& text, KxCRange& out)
{
    const auto fields = Split_Fields(text);
    double minimum = 0.0, maximum = 0.0;
    if (fields.size() != 2 || !Parse_Number(fields[0], minimum) || !Parse_Number(fields[1], maximum))
        return false;
    out = KxCRange(minimum, maximum);
    return true;
}

} // namespace OrvaneImage

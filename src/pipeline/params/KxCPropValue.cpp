#include "pipeline/params/KxCPropValue.h"

#include <strings.h>

namespace OrvaneImage {

int Find_Choice(const std::string& text, const std::vector<std::string>& names)
{
    const std::string key(Trim_Blanks(text));
    for (std::size_t i = 0; i < names.size(); ++i)
        if (strcasecmp(key.c_str(), names[i].c_str()) == 0) return static_cast<int>(i);
    int number = -1;
    if (Parse_Number(key, number) && number >= 0 && number < static_cast<int>(names.size())) return number;
    return -1;
}

bool KxCValueText<bool>::Parse(const std::string& text, bool& v)
{
    // Index 0 is false and 1 true, so the numbers 0 and 1 read as well.
    static const std::vector<std::string> names{"false", "true"};
    const int i = Find_Choice(text, names);
    if (i < 0) return false;
    v = i == 1;
    return true;
}

} // namespace OrvaneImage

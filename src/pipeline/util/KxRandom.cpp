#include "pipeline/util/KxRandom.h"

#include <cstdint>

namespace KxUtils {

namespace {
std::uint32_t g_State = 1;
}

int Rand()
{
    g_State = g_State * 214013u + 2531011u;
    return static_cast<int>((g_State >> 16) & 0x7FFFu);
}

void SRand(unsigned int seed) { g_State = seed; }

} // namespace KxUtils

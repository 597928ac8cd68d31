#pragma once
#include <cstddef>
#include <utility>
#include <vector>

// The one process-wide pseudo-random generator of every randomised step.
// It keeps the classic C library contract (values 0 ... 32767, reseeded with
// SRand) with a fixed linear congruential recurrence, so a seeded run draws
// the same sequence on every machine and compiler.

namespace KxUtils {

constexpr int KX_RAND_MAX = 32767;

/// Next value in 0 ... 32767.
int Rand();
/// Restarts the sequence; the sequence before any call is that of SRand(1).
void SRand(unsigned int seed);
/// A uniform number in [0, 1]: Rand() / 32767.0.
inline double Rand_Unit() { return Rand() / 32767.0; }

/// Shuffles v in place from the shared generator: for i = 1 ... n-1 draw R
/// (15 more bits at a time while the range is below i+1) and swap v[i] with v[R mod (i+1)].
template <class T>
void Random_Shuffle(std::vector<T>& v)
{
    for (std::size_t i = 1; i < v.size(); ++i) {
        const unsigned long long range = i + 1;
        unsigned long long span = KX_RAND_MAX;
        unsigned long long r = static_cast<unsigned long long>(Rand());
        while (span < range) {
            span = (span << 15) | KX_RAND_MAX;
            r = (r << 15) | static_cast<unsigned long long>(Rand());
        }
        std::swap(v[i], v[r % range]);
    }
}

} // namespace KxUtils

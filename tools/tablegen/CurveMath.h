#pragma once
// Small curve helpers shared by the factory table definitions.

#include <cmath>
#include <cstdint>

namespace TableGen
{
constexpr double pi = 3.14159265358979323846;

inline double sign(double x)
{
    return x < 0.0 ? -1.0 : 1.0;
}

inline double clamp1(double x)
{
    return x < -1.0 ? -1.0 : x > 1.0 ? 1.0 : x;
}

inline double lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}

// Chebyshev polynomial of the first kind: T_n(cos a) = cos(n a), so a full-scale sine gains harmonic n.
inline double chebyshev(int n, double x)
{
    double previous = 1.0, current = x;
    if (n == 0)
        return previous;
    for (int k = 1; k < n; ++k)
    {
        const double next = 2.0 * x * current - previous;
        previous = current;
        current = next;
    }
    return current;
}

// Chebyshev polynomial with its value at zero removed, so silence stays silent.
inline double harmonic(int n, double x)
{
    return chebyshev(n, x) - chebyshev(n, 0.0);
}

// Deterministic white noise in [-1, 1] for a seed and a sample index (a 64-bit integer hash).
inline double noise(uint64_t seed, int64_t index)
{
    uint64_t z = seed * 0x9E3779B97F4A7C15ull + static_cast<uint64_t>(index) + 0x632BE59BD9B4E019ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

// Noise read at a coarser grid and joined by cosine steps: smooth but irregular.
inline double smoothNoise(uint64_t seed, double position)
{
    const double cell = std::floor(position);
    const double f = position - cell;
    const double w = 0.5 - 0.5 * std::cos(pi * f);
    return lerp(noise(seed, static_cast<int64_t>(cell)), noise(seed, static_cast<int64_t>(cell) + 1), w);
}

// Odd extension of a curve defined for x >= 0.
template <typename F> double odd(double x, F positive)
{
    return sign(x) * positive(std::abs(x));
}
} // namespace TableGen

#include "Pitch.h"

#include <cmath>

namespace Pitch
{
float frequencyToNote(float f)
{
    return f > 0.0f ? 17.312339782714844f * std::log(0.12231220304965973f * f) : -1500.0f;
}

float noteToFrequency(float n)
{
    return 8.175799369812012f * std::exp(0.0577622652053833f * n);
}

void frequencyToNote(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = frequencyToNote(a[i]);
}

void noteToFrequency(const float* a, float* c, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c[i] = noteToFrequency(a[i]);
}
} // namespace Pitch

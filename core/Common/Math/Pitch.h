#pragma once
// Conversions between frequencies in Hz and note numbers (69 = 440 Hz), in single precision.

#include <cstddef>

namespace Pitch
{
// 17.312339782714844 * ln(0.12231220304965973 * f) for f > 0, -1500 otherwise.
float frequencyToNote(float f);
// 8.175799369812012 * e^(0.0577622652053833 * n).
float noteToFrequency(float n);
void frequencyToNote(const float* a, float* c, size_t n);
void noteToFrequency(const float* a, float* c, size_t n);
} // namespace Pitch

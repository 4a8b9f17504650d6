#pragma once
// Knob curves shared by parameters: cubic and exponential (pitch) mappings between 0..1 and min..max.

#include <cstddef>

namespace GenericTemplates
{
void powThree(float min, float max, float* data, size_t n);
void invertPowThree(float min, float max, float* data, size_t n);
void ratioToFrequencies(float min, float max, float* data, size_t n);
void frequenciesToRatio(float min, float max, float* data, size_t n);
} // namespace GenericTemplates

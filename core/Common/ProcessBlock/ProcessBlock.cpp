#include "ProcessBlock.h"

#include <algorithm>

float ProcessBlock::getIncrementFor(float timeMs) const
{
    return static_cast<float>(1000.0 / (static_cast<double>(std::max(timeMs, 0.01f)) * sampleRate));
}

void ProcessBlock::getIncrementFor(const float* timeMs, float* out, size_t n) const
{
    for (size_t i = 0; i < n; ++i)
        out[i] = getIncrementFor(timeMs[i]);
}

#include "DCBlocker.h"

#include <algorithm>
#include <cmath>

namespace QuarneDSP
{
void DCBlocker::init(int channels, double rate)
{
    ProcessBlock::init(channels, rate);
    previousInput.assign(static_cast<size_t>(channels), 0.0f);
    previousOutput.assign(static_cast<size_t>(channels), 0.0f);
}

void DCBlocker::clear()
{
    std::fill(previousInput.begin(), previousInput.end(), 0.0f);
    std::fill(previousOutput.begin(), previousOutput.end(), 0.0f);
}

void DCBlocker::process(float* buffer, size_t n, size_t channel, DCBlockerParameters parameters)
{
    if (channel >= previousInput.size())
        return;
    const float r = parameters.coefficient;
    float x1 = previousInput[channel], y1 = previousOutput[channel];
    for (size_t i = 0; i < n; ++i)
    {
        const float x = buffer[i];
        const float y = x - x1 + r * y1;
        x1 = x;
        y1 = y;
        buffer[i] = y;
    }
    // A non-finite input must not poison the history: start again from silence.
    const bool finite = std::isfinite(x1) && std::isfinite(y1);
    previousInput[channel] = finite ? x1 : 0.0f;
    previousOutput[channel] = finite ? y1 : 0.0f;
}
} // namespace QuarneDSP

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
    // Four outputs per step from the last one (y[i+k] = sum r^j d[i+k-j] + r^(k+1) y[i-1]) keep the
    // recursion's dependency chain a quarter as long.
    const float r2 = r * r, r3 = r2 * r, r4 = r2 * r2;
    size_t i = 0;
    for (; i + 4 <= n; i += 4)
    {
        const float d0 = buffer[i] - x1, d1 = buffer[i + 1] - buffer[i];
        const float d2 = buffer[i + 2] - buffer[i + 1], d3 = buffer[i + 3] - buffer[i + 2];
        x1 = buffer[i + 3];
        const float y0 = d0 + r * y1;
        const float y1n = d1 + r * d0 + r2 * y1;
        const float y2 = d2 + r * d1 + r2 * d0 + r3 * y1;
        const float y3 = d3 + r * d2 + r2 * d1 + r3 * d0 + r4 * y1;
        buffer[i] = y0, buffer[i + 1] = y1n, buffer[i + 2] = y2, buffer[i + 3] = y3;
        y1 = y3;
    }
    for (; i < n; ++i)
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

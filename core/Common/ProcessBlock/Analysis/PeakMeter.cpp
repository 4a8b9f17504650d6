#include "PeakMeter.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>
#include <cmath>

PeakMeter::PeakMeter(bool offset) : offsetScale(offset) {}

void PeakMeter::process(float* buffer, size_t n, size_t channel, ProcessBlockParameters)
{
    process(static_cast<const float*>(buffer), n, channel);
}

void PeakMeter::process(const float* buffer, size_t n, size_t channel)
{
    if (channel >= history.size())
        return;
    float* h = history[channel];
    for (size_t start = 0; start < n; start += window)
    {
        const size_t m = std::min(window, n - start);
        std::copy_backward(h, h + window - m, h + window); // the oldest m samples drop out
        std::copy(buffer + start, buffer + start + m, h);
        float p = 0.0f;
        SignalProcessing::peak(h, p, window);
        float v = 20.0f * std::log10(std::max(p, 1e-6f));
        if (offsetScale)
            v = std::max(v + 100.0f, 0.0f);
        latest[channel] = v;
    }
}

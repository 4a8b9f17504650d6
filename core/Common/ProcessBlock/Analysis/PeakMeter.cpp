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
    size_t& w = writePosition[channel];
    for (size_t start = 0; start < n; start += window)
    {
        const size_t m = std::min(window, n - start);
        // The newest m samples replace the oldest ones in the ring.
        const size_t first = std::min(m, window - w);
        std::copy(buffer + start, buffer + start + first, h + w);
        std::copy(buffer + start + first, buffer + start + m, h);
        w = (w + m) % window;
        float p = 0.0f;
        SignalProcessing::peak(h, p, window);
        float v = 20.0f * std::log10(std::max(p, 1e-6f));
        if (offsetScale)
            v = std::max(v + 100.0f, 0.0f);
        latest[channel] = v;
    }
}

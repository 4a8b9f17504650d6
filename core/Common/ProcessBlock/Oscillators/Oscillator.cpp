#include "Oscillator.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>
#include <cmath>

namespace QuarneDSP
{
void Oscillator::processPhase(float* phase, size_t n)
{
    using namespace SignalProcessing;
    const int t = type.load(std::memory_order_relaxed);
    const float offset = t >= 0 && t < static_cast<int>(phaseOffsets.size()) ? phaseOffsets[static_cast<size_t>(t)] : 0.0f;
    if (offset > 0.0f)
    {
        add_s(phase, offset, phase, n);
        frac(phase, n);
    }
    switch (t)
    {
    case Triangle:
        for (size_t i = 0; i < n; ++i)
            phase[i] = 1.0f - 4.0f * std::min(phase[i], 1.0f - phase[i]);
        break;
    case Saw:
        mul_s_add_s(phase, 2.0f, -1.0f, phase, n);
        break;
    case InverseSaw:
        mul_s_add_s(phase, -2.0f, 1.0f, phase, n);
        break;
    case Square:
        limit(phase, 0.5f, 1.0f, phase, n);
        break;
    default:
        mul_s(phase, 6.2831855f, phase, n);
        SignalProcessing::cos(phase, phase, n);
        break;
    }
}
} // namespace QuarneDSP

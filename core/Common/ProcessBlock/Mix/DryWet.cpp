#include "DryWet.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>
#include <cmath>

namespace QuarneDSP
{
DryWet::DryWet()
{
    SignalProcessing::fill(curve, 1.5f, curve.size());
}

void DryWet::gainsFor(float mix, float& dry, float& wet) const
{
    const float w = std::clamp(mix * 0.01f, 0.0f, 1.0f);
    if (!balanced)
    {
        wet = w;
        dry = 1.0f - w;
        return;
    }
    wet = std::clamp(2.0f * w, 0.0f, 1.0f);
    dry = std::clamp(2.0f - 2.0f * w, 0.0f, 1.0f);
    if (curved)
    {
        wet = std::pow(wet, 1.5f);
        dry = std::pow(dry, 1.5f);
    }
}

void DryWet::process(const float* dry, const float* wet, float* out, size_t n, const float* mix)
{
    using namespace SignalProcessing;
    float lo = 0.0f, hi = 0.0f;
    minMax(mix, lo, hi, n);
    if (lo == hi)
    {
        processConstant(dry, wet, out, n, lo);
        return;
    }
    mul_s(mix, 0.01f, wetGain, n);
    clip(wetGain, 0.0f, 1.0f, wetGain, n);
    if (balanced)
    {
        mul_s(wetGain, 2.0f, wetGain, n);                // x = 2w
        mul_s_add_s(wetGain, -1.0f, 2.0f, dryGain, n); // 2 - x
        clip(wetGain, 0.0f, 1.0f, wetGain, n);
        clip(dryGain, 0.0f, 1.0f, dryGain, n);
        if (curved)
        {
            pow(wetGain, curve, wetGain, n);
            pow(dryGain, curve, dryGain, n);
        }
    }
    else
        mul_s_add_s(wetGain, -1.0f, 1.0f, dryGain, n);
    mul_mul_add(dry, dryGain, wet, wetGain, out, n);
}
void DryWet::process(const float* dry, const float* wet, float* out, size_t n, const BlockParameter& mix)
{
    if (mix.useBuffer)
        process(dry, wet, out, n, mix.buffer);
    else
        processConstant(dry, wet, out, n, mix.value);
}

void DryWet::processConstant(const float* dry, const float* wet, float* out, size_t n, float mix) const
{
    // A mix that holds still over the call: two constant gains.
    float d = 0.0f, w = 0.0f;
    gainsFor(mix, d, w);
    if (w == 0.0f)
        SignalProcessing::mul_s(dry, d, out, n);
    else if (d == 0.0f)
        SignalProcessing::mul_s(wet, w, out, n);
    else
        for (size_t i = 0; i < n; ++i)
            out[i] = dry[i] * d + wet[i] * w;
}
} // namespace QuarneDSP

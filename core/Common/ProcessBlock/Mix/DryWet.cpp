#include "DryWet.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

namespace QuarneDSP
{
DryWet::DryWet()
{
    SignalProcessing::fill(curve, 1.5f, curve.size());
}

void DryWet::process(const float* dry, const float* wet, float* out, size_t n, const float* mix)
{
    using namespace SignalProcessing;
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
} // namespace QuarneDSP

#pragma once
// Dry/wet mix in percent, with a balanced (equal-level, optionally curved) law or a linear one.

#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/ProcessBlock.h"

namespace QuarneDSP
{
class DryWet : public ProcessBlock
{
public:
    DryWet();

    // out = dry * dryGain + wet * wetGain, mix in percent per sample.
    void process(const float* dry, const float* wet, float* out, size_t n, const float* mix);
    void process(const float* dry, const float* wet, float* out, size_t n, const BlockParameter& mix);

    bool balanced = true;
    bool curved = true;

private:
    void gainsFor(float mix, float& dry, float& wet) const;
    void processConstant(const float* dry, const float* wet, float* out, size_t n, float mix) const;

    Buffer<float> curve;
    Buffer<float> wetGain, dryGain;
};
} // namespace QuarneDSP

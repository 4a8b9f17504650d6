#pragma once
// First-order DC blocker y[i] = x[i] - x[i-1] + R y[i-1], one history per channel.

#include "Common/ProcessBlock/ProcessBlock.h"

#include <vector>

struct DCBlockerParameters
{
    float coefficient = 0.999f;
};

namespace QuarneDSP
{
class DCBlocker : public MultiChannelProcessBlock<DCBlockerParameters>
{
public:
    void init(int channels, double rate) override;
    void clear() override;
    void process(float* buffer, size_t frameCount, size_t channel, DCBlockerParameters parameters) override;

private:
    std::vector<float> previousInput, previousOutput;
};
} // namespace QuarneDSP

#pragma once
// One-pole smoother with a smoothing time in milliseconds, one state value per channel.

#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/ProcessBlock.h"

#include <vector>

struct SmoothParameters
{
    BlockParameter time; // ms
};

namespace QuarneDSP
{
class Smooth : public MultiChannelProcessBlock<SmoothParameters>
{
public:
    void init(int channels, double rate) override;
    void clear() override;
    void process(float* buffer, size_t frameCount, size_t channel, SmoothParameters parameters) override;

private:
    std::vector<float> state;
    Buffer<float> alpha;
};
} // namespace QuarneDSP

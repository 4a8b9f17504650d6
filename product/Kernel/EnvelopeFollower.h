#pragma once
// Turns the level of a signal into a control signal in [0, 1]: each call moves the envelope along a
// straight line towards the square root of the call's peak, at the attack or release rate.

#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/Mix/Gain.h"
#include "Common/ProcessBlock/ProcessBlock.h"

#include <vector>

struct EnvelopeFollowerParameters
{
    BlockParameter attack;    // ms
    BlockParameter release;   // ms
    BlockParameter scale;     // linear factor on the output
    BlockParameter inputGain; // dB
};

class EnvelopeFollower : public MultiChannelProcessBlock<EnvelopeFollowerParameters>
{
public:
    void init(int channels, double rate) override;
    void clear() override;
    // Replaces buffer (the measured signal) by its envelope.
    void process(float* buffer, size_t frameCount, size_t channel, EnvelopeFollowerParameters parameters) override;

    float floor = 0.0f;
    float ceiling = 1.0f;

private:
    float rateFor(float timeMs) const;

    std::vector<float> envelope;
    Buffer<float> work;
    Gain gain;
};

#pragma once
// Peak level over the last 1024 samples, in dB, or on a 0..100 scale (-100 dBFS .. 0 dBFS).

#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/ProcessBlock.h"

#include <array>

struct ProcessBlockParameters
{
};

class PeakMeter : public MultiChannelProcessBlock<ProcessBlockParameters>
{
public:
    static constexpr size_t window = 1024;

    explicit PeakMeter(bool offsetScale);

    void process(float* buffer, size_t frameCount, size_t channel, ProcessBlockParameters parameters) override;
    void process(const float* buffer, size_t frameCount, size_t channel);
    float getValue(size_t channel) const { return latest[channel]; }
    float getPeak() const { return latest[0] > latest[1] ? latest[0] : latest[1]; }

private:
    std::array<Buffer<float>, 2> history; // rings of the last window samples
    std::array<size_t, 2> writePosition{};
    std::array<float, 2> latest{};
    const bool offsetScale;
};

#include "BiFilterStage.h"

#include "Common/Math/Accelerate/SignalProcessing.h"
#include "Common/Math/Pitch.h"

#include <algorithm>

BiFilterStage::BiFilterStage()
{
    filter1.setOrder(2);
    filter2.setOrder(2);
    mix1.balanced = false;
    mix2.balanced = false;
}

void BiFilterStage::init(int channels, double rate)
{
    filter1.init(channels, rate);
    filter2.init(channels, rate);
    mix1.init(channels, rate);
    mix2.init(channels, rate);
}

void BiFilterStage::clear()
{
    filter1.clear();
    filter2.clear();
}

void BiFilterStage::toHertz(const float* notes, size_t n, size_t step)
{
    // The filter holds its frequency for each sub-block and reads it at the sub-block's first
    // sample, so only those samples need converting from note numbers.
    for (size_t i = 0; i < n; i += step)
        SignalProcessing::fill(frequency + i, Pitch::noteToFrequency(notes[i]), std::min(step, n - i));
}

void BiFilterStage::filterProcess(float* buffer, size_t n, size_t channel, BiquadFilter& filter,
                                  QuarneDSP::DryWet& mix, BiFilterStageParameters p)
{
    std::copy(buffer, buffer + n, wet.data());
    toHertz(p.frequency, n, filter.updateInterval);
    filter.process(wet, n, channel, frequency, p.resonance, p.gain);
    mix.process(buffer, wet, buffer, n, p.mix);
}

void BiFilterStage::filterProcessStereo(float* left, float* right, size_t n, BiquadFilter& filter,
                                        QuarneDSP::DryWet& mix, BiFilterStageParameters p)
{
    std::copy(left, left + n, wet.data());
    std::copy(right, right + n, wetRight.data());
    toHertz(p.frequency, n, filter.updateInterval);
    filter.processStereo(wet, wetRight, n,
                         {BlockParameter::fromBuffer(frequency), BlockParameter::fromBuffer(p.resonance),
                          BlockParameter::fromBuffer(p.gain)});
    mix.process(left, wet, left, n, p.mix);
    mix.process(right, wetRight, right, n, p.mix);
}

#include "BiFilterStage.h"

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

void BiFilterStage::filterProcess(float* buffer, size_t n, size_t channel, BiquadFilter& filter,
                                  QuarneDSP::DryWet& mix, BiFilterStageParameters p)
{
    std::copy(buffer, buffer + n, wet.data());
    Pitch::noteToFrequency(p.frequency, frequency, n);
    filter.process(wet, n, channel, frequency, p.resonance, p.gain);
    mix.process(buffer, wet, buffer, n, p.mix);
}

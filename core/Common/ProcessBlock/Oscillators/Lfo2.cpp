#include "Lfo2.h"

#include <cmath>

namespace QuarneDSP
{
const std::array<float, 24> Lfo2::straightRates{256.0f, 128.0f, 64.0f,     32.0f,   16.0f,         8.0f,
                                                4.0f,   2.0f,   1.0f,      0.5f,    0.375f,        1.0f / 3.0f,
                                                1.0f / 3.0f, 0.25f, 0.1875f, 1.0f / 6.0f, 0.125f,  1.0f / 12.0f,
                                                0.0625f, 1.0f / 24.0f, 0.03125f, 0.015625f, 0.0078125f, 0.00390625f};

Lfo2::Lfo2()
{
    filter.setOrder(1);
}

void Lfo2::init(int channels, double rate)
{
    ProcessBlock::init(channels, rate);
    phasor.init(channels, rate);
    beatPhasor.init(channels, rate);
    oscillator.init(channels, rate);
    randomOscillator.init(channels, rate);
    smoother.init(channels, rate);
    filter.init(channels, rate);
}

void Lfo2::clear()
{
    phasor.clear();
    beatPhasor.clear();
    oscillator.clear();
    randomOscillator.clear();
    smoother.clear();
    filter.clear();
}

void Lfo2::processContext(const MusicalContextStruct& context, const TransportStateStruct& transport,
                          size_t bufferOffset)
{
    beatPhasor.processContext(context, transport, bufferOffset);
}

void Lfo2::setType(int t)
{
    static constexpr int oscillatorTypes[] = {Oscillator::Cosine, Oscillator::Triangle, Oscillator::Saw,
                                              Oscillator::InverseSaw, Oscillator::Square};
    type.store(t, std::memory_order_relaxed);
    generator.store(t > 4 ? 1 : 0, std::memory_order_relaxed);
    if (t >= 0 && t <= 4)
        oscillator.setType(oscillatorTypes[t]);
}

void Lfo2::processSyncRate(float rate)
{
    if (allowTriplets.load(std::memory_order_relaxed))
    {
        beatPhasor.syncRate = rate;
        return;
    }
    const float scaled = 64.0f * rate;
    if (scaled == std::trunc(scaled))
    {
        beatPhasor.syncRate = rate;
        return;
    }
    for (float straight : straightRates)
        if (straight < rate)
        {
            beatPhasor.syncRate = straight;
            return;
        }
}

void Lfo2::process(float* buffer, size_t n, size_t channel, Lfo2Parameters parameters)
{
    const PhaseShaping shaping{nullptr, parameters.phaseOffset.useBuffer ? parameters.phaseOffset.buffer : nullptr,
                               parameters.timeShape.useBuffer ? parameters.timeShape.buffer : nullptr, nullptr};
    const int mode = syncMode.load(std::memory_order_relaxed);
    if (mode == Free)
        phasor.process(buffer, n, channel, {shaping, parameters.freeRate});
    else
    {
        processSyncRate(parameters.syncRate.first());
        beatPhasor.process(buffer, n, channel, {shaping, mode == Beat});
    }

    if (generator.load(std::memory_order_relaxed) == 0)
        oscillator.processPhase(buffer, n);
    else
        randomOscillator.processPhase(buffer, n, channel);

    if (smoothOn)
        smoother.process(buffer, n, channel, {parameters.smooth});
    if (filterOn)
        filter.process(buffer, n, channel,
                       {BlockParameter::constant(1000.0f), BlockParameter::constant(-3.0f),
                        BlockParameter::constant(0.0f)});
    SignalProcessing::clip(buffer, -1.0f, 1.0f, buffer, n);
}
} // namespace QuarneDSP

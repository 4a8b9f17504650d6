#pragma once
// The base of every processing block: sample rate, channel count and the in-place process convention.

#include <cstddef>

class ProcessBlock
{
public:
    virtual ~ProcessBlock() = default;

    virtual void init(int channels, double rate)
    {
        channelCount = channels;
        sampleRate = rate;
    }
    // Resets internal state (history, phases) without touching settings.
    virtual void clear() {}

    // out = 1000 / (max(timeMs, 0.01) * sampleRate): the per-sample step of a ramp lasting timeMs.
    void getIncrementFor(const float* timeMs, float* out, size_t n) const;
    float getIncrementFor(float timeMs) const;

    double sampleRate = 44100.0;
    int channelCount = 2;
    unsigned updateInterval = 64;
};

// A block that processes one channel index at a time in place, with a parameter record of its own.
template <typename Parameters>
class MultiChannelProcessBlock : public ProcessBlock
{
public:
    virtual void process(float* buffer, size_t frameCount, size_t channel, Parameters parameters) = 0;
};

// A block without per-channel state.
template <typename Parameters>
class MonoProcessBlock : public ProcessBlock
{
public:
    virtual void process(float* buffer, size_t frameCount, Parameters parameters) = 0;
};

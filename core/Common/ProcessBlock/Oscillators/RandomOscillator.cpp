#include "RandomOscillator.h"

#include <cmath>

namespace QuarneDSP
{
void RandomOscillator::init(int channels, double rate)
{
    ProcessBlock::init(channels, rate);
    holds.assign(static_cast<size_t>(channels), Hold());
}

void RandomOscillator::clear()
{
    for (auto& h : holds)
        h = Hold();
}

void RandomOscillator::processPhase(float* phase, size_t n, size_t channel)
{
    if (channel >= holds.size())
        return;
    Hold& h = holds[channel];
    for (size_t i = 0; i < n; ++i)
    {
        const auto noise = static_cast<float>((static_cast<double>(noiseState & 0x7fffffffu) - 1073741824.0) * 9.313225746154785e-10);
        noiseState = noiseState * 435898247u + 382842987u;
        float shifted = phase[i] + 0.49998998641967773f;
        shifted -= std::trunc(shifted);
        const float v = shifted - 0.5f;
        if (h.lastPhase < 0.0f && v >= 0.0f) // just after the LFO phase wrapped to 0
        {
            h.held = h.next;
            h.next = noise;
        }
        h.lastPhase = v;
        phase[i] = h.held;
    }
}
} // namespace QuarneDSP

#include "GenericTemplates.h"

#include "Common/Math/Accelerate/SignalProcessing.h"
#include "Common/Math/Pitch.h"

namespace GenericTemplates
{
void powThree(float min, float max, float* data, size_t n)
{
    using namespace SignalProcessing;
    clip(data, 0.0f, 1.0f, data, n);
    pow_s(data, 3.0f, data, n);
    mul_s_add_s(data, max - min, min, data, n);
}

void invertPowThree(float min, float max, float* data, size_t n)
{
    using namespace SignalProcessing;
    clip(data, min, max, data, n);
    for (size_t i = 0; i < n; ++i)
        data[i] = (data[i] - min) / (max - min);
    pow_s(data, 0.33333334f, data, n);
}

void ratioToFrequencies(float min, float max, float* data, size_t n)
{
    using namespace SignalProcessing;
    const float lo = Pitch::frequencyToNote(min);
    const float hi = Pitch::frequencyToNote(max);
    clip(data, 0.0f, 1.0f, data, n);
    mul_s_add_s(data, hi - lo, lo, data, n);
    Pitch::noteToFrequency(data, data, n);
}

void frequenciesToRatio(float min, float max, float* data, size_t n)
{
    using namespace SignalProcessing;
    const float lo = Pitch::frequencyToNote(min);
    const float hi = Pitch::frequencyToNote(max);
    clip(data, min, max, data, n);
    Pitch::frequencyToNote(data, data, n);
    for (size_t i = 0; i < n; ++i)
        data[i] = (data[i] - lo) / (hi - lo);
}
} // namespace GenericTemplates

#include "GenericTemplates.h"

#include "Common/Math/Accelerate/SignalProcessing.h"
#include "Common/Math/Pitch.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{
// x^3 by multiplication: the same cube as pow(x, 3), without the library call.
void powTwo3(float* data, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        data[i] = data[i] * data[i] * data[i];
}

// x^(1/3) for x in [0, 1] to float precision: a bit-level estimate refined by three Newton steps
// (the library's cbrtf is several times slower).
float cubeRoot(float x)
{
    if (!(x > 0.0f))
        return 0.0f;
    uint32_t bits = 0;
    std::memcpy(&bits, &x, sizeof(bits));
    bits = bits / 3u + 709921077u;
    float y = 0.0f;
    std::memcpy(&y, &bits, sizeof(y));
    for (int step = 0; step < 3; ++step)
        y = y - (y * y * y - x) / (3.0f * y * y);
    return y;
}
} // namespace

namespace GenericTemplates
{
void powThree(float min, float max, float* data, size_t n)
{
    using namespace SignalProcessing;
    clip(data, 0.0f, 1.0f, data, n);
    powTwo3(data, n);
    mul_s_add_s(data, max - min, min, data, n);
}

void invertPowThree(float min, float max, float* data, size_t n)
{
    using namespace SignalProcessing;
    clip(data, min, max, data, n);
    for (size_t i = 0; i < n; ++i)
        data[i] = cubeRoot((data[i] - min) / (max - min));
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

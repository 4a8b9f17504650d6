#include "BiquadCoefficients.h"

#include <algorithm>
#include <cmath>

void BiquadCoefficients::calculateParams(float frequency, float resonance, float gain, int type)
{
    if (type < LowPass || type > AllPass || !std::isfinite(frequency))
        return;
    const float f = std::clamp(frequency, 1.0f, 0.49f * sampleRate);
    const auto K = static_cast<float>(std::tan(3.141592653589793 * static_cast<double>(f) / sampleRate));
    const float Q = std::pow(10.0f, resonance * 0.05f);
    const float V = std::pow(10.0f, std::fabs(type == Peak ? gain : resonance) / 20.0f);
    const float KK = K * K;
    const float norm = 1.0f / (1.0f + K / Q + KK);
    const float poleA1 = 2.0f * (KK - 1.0f) * norm;
    const float poleA2 = (1.0f - K / Q + KK) * norm;
    const float root2 = std::sqrt(2.0f);

    switch (type)
    {
    case LowPass:
        b0 = KK * norm, b1 = 2.0f * KK * norm, b2 = KK * norm, a1 = poleA1, a2 = poleA2;
        break;
    case HighPass:
        b0 = norm, b1 = -2.0f * norm, b2 = norm, a1 = poleA1, a2 = poleA2;
        break;
    case BandPass:
        b0 = K / Q * norm, b1 = 0.0f, b2 = -K / Q * norm, a1 = poleA1, a2 = poleA2;
        break;
    case Notch:
        b0 = (1.0f + KK) * norm, b1 = poleA1, b2 = (1.0f + KK) * norm, a1 = poleA1, a2 = poleA2;
        break;
    case AllPass:
        b0 = poleA2, b1 = poleA1, b2 = 1.0f, a1 = poleA1, a2 = poleA2;
        break;
    case Peak:
        if (gain >= 0.0f)
        {
            const float p = 1.0f / (1.0f + K / Q + KK);
            b0 = (1.0f + V * K / Q + KK) * p, b1 = a1 = 2.0f * (KK - 1.0f) * p;
            b2 = (1.0f - V * K / Q + KK) * p, a2 = (1.0f - K / Q + KK) * p;
        }
        else
        {
            const float p = 1.0f / (1.0f + V * K / Q + KK);
            b0 = (1.0f + K / Q + KK) * p, b1 = a1 = 2.0f * (KK - 1.0f) * p;
            b2 = (1.0f - K / Q + KK) * p, a2 = (1.0f - V * K / Q + KK) * p;
        }
        break;
    case LowShelf:
    case HighShelf:
    {
        const float t = 1.0f / (1.0f + root2 * K + KK);
        const float s = std::sqrt(2.0f * V) * K;
        const bool boost = resonance >= 0.0f;
        if (type == LowShelf && boost)
            b0 = (1.0f + s + V * KK) * t, b1 = 2.0f * (V * KK - 1.0f) * t, b2 = (1.0f - s + V * KK) * t,
            a1 = 2.0f * (KK - 1.0f) * t, a2 = (1.0f - root2 * K + KK) * t;
        else if (type == LowShelf)
        {
            const float u = 1.0f / (1.0f + s + V * KK);
            b0 = (1.0f + root2 * K + KK) * u, b1 = 2.0f * (KK - 1.0f) * u, b2 = (1.0f - root2 * K + KK) * u,
            a1 = 2.0f * (V * KK - 1.0f) * u, a2 = (1.0f - s + V * KK) * u;
        }
        else if (boost)
            b0 = (V + s + KK) * t, b1 = 2.0f * (KK - V) * t, b2 = (V - s + KK) * t, a1 = 2.0f * (KK - 1.0f) * t,
            a2 = (1.0f - root2 * K + KK) * t;
        else
        {
            const float u = 1.0f / (V + s + KK);
            b0 = (1.0f + root2 * K + KK) * u, b1 = 2.0f * (KK - 1.0f) * u, b2 = (1.0f - root2 * K + KK) * u,
            a1 = 2.0f * (KK - V) * u, a2 = (V - s + KK) * u;
        }
        break;
    }
    default:
        break;
    }
}

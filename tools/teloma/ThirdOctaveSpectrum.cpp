#include "ThirdOctaveSpectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace Spectrum
{
namespace
{
constexpr int fftOrder = 12;
constexpr int fftSize = 1 << fftOrder;

void fft(std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1)
    {
        const std::complex<double> w =
            std::polar(1.0, -2.0 * 3.14159265358979323846 / static_cast<double>(length));
        for (size_t i = 0; i < n; i += length)
        {
            std::complex<double> wk = 1.0;
            for (size_t k = 0; k < length / 2; ++k)
            {
                const auto u = a[i + k], v = a[i + k + length / 2] * wk;
                a[i + k] = u + v;
                a[i + k + length / 2] = u - v;
                wk *= w;
            }
        }
    }
}
} // namespace

Bands measure(const juce::AudioBuffer<float>& audio, double sampleRate)
{
    // Power spectrum averaged over Hann-windowed frames with half overlap.
    std::vector<double> power(fftSize / 2, 0.0);
    int frames = 0;
    std::vector<std::complex<double>> block(fftSize);
    for (int start = 0; start + fftSize <= audio.getNumSamples(); start += fftSize / 2, ++frames)
    {
        for (int i = 0; i < fftSize; ++i)
        {
            double sum = 0.0;
            for (int c = 0; c < audio.getNumChannels(); ++c)
                sum += audio.getSample(c, start + i);
            const double window = 0.5 - 0.5 * std::cos(2.0 * 3.14159265358979323846 * i / fftSize);
            block[static_cast<size_t>(i)] = sum * window / audio.getNumChannels();
        }
        fft(block);
        for (size_t k = 0; k < power.size(); ++k)
            power[k] += std::norm(block[k]);
    }

    Bands bands;
    for (double centre = 31.25; centre < sampleRate * 0.45; centre *= std::pow(2.0, 1.0 / 3.0))
    {
        const double lo = centre / std::pow(2.0, 1.0 / 6.0), hi = centre * std::pow(2.0, 1.0 / 6.0);
        double sum = 1.0e-12; // a floor at -120 dB: empty bands compare equal
        for (size_t k = 1; k < power.size(); ++k)
        {
            const double f = static_cast<double>(k) * sampleRate / fftSize;
            if (f >= lo && f < hi)
                sum += power[k] / std::max(1, frames);
        }
        bands.centre.push_back(static_cast<float>(centre));
        bands.level.push_back(static_cast<float>(10.0 * std::log10(sum)));
    }
    return bands;
}

float distance(const Bands& a, const Bands& b)
{
    // Bands more than 60 dB below the loudest one count as that floor: what is inaudible in the mix
    // does not make two sounds different.
    const size_t n = std::min(a.level.size(), b.level.size());
    float loudest = -1000.0f;
    for (size_t i = 0; i < n; ++i)
        loudest = std::max({loudest, a.level[i], b.level[i]});
    const float floor = loudest - 60.0f;
    double sum = 0.0;
    for (size_t i = 0; i < n; ++i)
    {
        const double d = std::max(a.level[i], floor) - std::max(b.level[i], floor);
        sum += d * d;
    }
    return n == 0 ? 0.0f : static_cast<float>(std::sqrt(sum / n));
}
} // namespace Spectrum

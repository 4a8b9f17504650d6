// Times one LV2 effect on a fixed stereo signal (48 kHz, 512-frame blocks) in our lilv host:
//   teloma_lv2_render URI SECONDS [BUNDLE]
// prints "wall_s cpu_s" for instantiating the plug-in and rendering the whole signal.

#include "Lv2Host.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s URI SECONDS [BUNDLE]\n", argv[0]);
        return 2;
    }
    const std::string uri = argv[1];
    const double seconds = std::atof(argv[2]);
    const std::string bundle = argc > 3 ? argv[3] : "";
    constexpr double rate = 48000.0;
    constexpr uint32_t block = 512;
    const auto frames = static_cast<size_t>(seconds * rate);

    // A deterministic test signal: two detuned saws and a little noise, at about -6 dBFS.
    std::vector<float> left(frames), right(frames);
    uint32_t noise = 1;
    for (size_t i = 0; i < frames; ++i)
    {
        const double t = static_cast<double>(i) / rate;
        noise = noise * 1664525u + 1013904223u;
        const double n = (static_cast<double>(noise >> 8) / 16777216.0 - 0.5) * 0.05;
        left[i] = static_cast<float>(0.25 * (2.0 * std::fmod(110.0 * t, 1.0) - 1.0) + n);
        right[i] = static_cast<float>(0.25 * (2.0 * std::fmod(110.7 * t, 1.0) - 1.0) - n);
    }

    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    Lv2Host host(bundle, uri, rate, block);
    if (!host.isReady())
    {
        std::fprintf(stderr, "%s\n", host.getError().c_str());
        return 1;
    }
    std::vector<float> outLeft(block), outRight(block);
    float* out[] = {outLeft.data(), outRight.data()};
    double sum = 0.0;
    for (size_t start = 0; start + block <= frames; start += block)
    {
        const float* in[] = {left.data() + start, right.data() + start};
        host.run(in, 2, out, 2, block);
        sum += outLeft[0];
    }
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::printf("%.4f %.4f\n", wall, cpu);
    return std::isfinite(sum) ? 0 : 1;
}

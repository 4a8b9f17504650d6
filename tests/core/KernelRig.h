#pragma once
// Drives the product kernel directly: parameters by name, stereo buffers, block-wise rendering.

#include "Brantor2DSPKernel.h"

#include <cmath>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

class KernelRig
{
public:
    KernelRig() { inputs.channelCount = outputs.channelCount = 2; }

    // Sets a parameter in user units; before prepare() the change lands at once.
    void set(const std::string& name, float value)
    {
        Parameter* p = kernel.getProductParameters().findParameter(name);
        if (p == nullptr)
            throw std::runtime_error("no parameter " + name);
        kernel.setParameter(static_cast<size_t>(p->index), value);
    }

    // Everything neutral: filters off, no fold, unity gains, fully wet, DC blocker and clip off.
    void neutral()
    {
        set("DCBlockerState", 0);
        set("HardClipState", 0);
    }

    void prepare(double rate, int channels = 2)
    {
        kernel.init(channels, rate);
        kernel.setup();
    }

    // Renders in and returns the output, in calls of at most block frames.
    std::vector<std::vector<float>> render(const std::vector<float>& left, const std::vector<float>& right,
                                           size_t block)
    {
        std::vector<std::vector<float>> out{left, right};
        std::vector<float> l = left, r = right;
        inputs.channels = {l.data(), r.data()};
        outputs.channels = {out[0].data(), out[1].data()};
        kernel.setBuffers({&inputs}, {&outputs});
        for (size_t start = 0; start < left.size(); start += block)
            kernel.process(std::min(block, left.size() - start), start, 0);
        return out;
    }

    std::vector<float> renderMono(const std::vector<float>& x, size_t block = 512)
    {
        return render(x, x, block)[0];
    }

    // Deterministic uniform noise in [-amplitude, amplitude].
    static std::vector<float> noise(size_t frames, float amplitude, unsigned seed = 1)
    {
        std::mt19937 generator(seed);
        std::uniform_real_distribution<float> d(-amplitude, amplitude);
        std::vector<float> x(frames);
        for (auto& v : x)
            v = d(generator);
        return x;
    }

    static std::vector<float> sine(double frequency, double rate, size_t frames, float amplitude)
    {
        std::vector<float> x(frames);
        for (size_t i = 0; i < frames; ++i)
            x[i] = amplitude * static_cast<float>(std::sin(2.0 * 3.141592653589793 * frequency * i / rate));
        return x;
    }

    // A straight line from -1 (sample 0) to +1 (sample 2047), repeated for each frame.
    static std::vector<float> linearTable(size_t frames = 1)
    {
        std::vector<float> t(2048 * frames);
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = -1.0f + 2.0f * static_cast<float>(i % 2048) / 2047.0f;
        return t;
    }

    static double rms(const std::vector<float>& x, size_t from)
    {
        double sum = 0;
        for (size_t i = from; i < x.size(); ++i)
            sum += static_cast<double>(x[i]) * x[i];
        return std::sqrt(sum / static_cast<double>(x.size() - from));
    }

    Brantor2DSPKernel kernel;
    BufferList inputs, outputs;
};

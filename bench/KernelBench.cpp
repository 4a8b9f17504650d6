// Renders the product kernel on 48 kHz stereo in 512-frame blocks and reports the time per stereo
// frame for three patches: the defaults, a heavy audio path and the full patch with all modulators.

#include "Brantor2DSPKernel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr size_t block = 512;

class Rig
{
public:
    Rig()
    {
        inputs.channelCount = outputs.channelCount = 2;
        std::mt19937 generator(1);
        std::uniform_real_distribution<float> d(-0.7f, 0.7f);
        for (auto* channel : {&left, &right})
        {
            channel->resize(block);
            for (auto& v : *channel)
                v = d(generator);
        }
        outLeft.resize(block);
        outRight.resize(block);
        inputs.channels = {left.data(), right.data()};
        outputs.channels = {outLeft.data(), outRight.data()};
    }

    void set(const std::string& name, float value)
    {
        kernel.setParameter(static_cast<size_t>(kernel.getProductParameters().findParameter(name)->index), value);
    }

    void prepare()
    {
        kernel.init(2, sampleRate);
        kernel.setup();
        kernel.setBuffers({&inputs}, {&outputs});
        kernel.editorOpen = false;
    }

    // One block; with automation, position sweeps all frames each second and fold moves per sample.
    void render(bool automate)
    {
        if (automate)
        {
            const double t = static_cast<double>(rendered) / sampleRate;
            set("WaveshaperPosition", static_cast<float>(100.0 * (t - std::floor(t))));
            set("WaveshaperFold", static_cast<float>(80.0 * std::sin(2.0 * 3.141592653589793 * 2.0 * t)));
        }
        kernel.process(block, 0, 0);
        rendered += block;
    }

    Brantor2DSPKernel kernel;

private:
    BufferList inputs, outputs;
    std::vector<float> left, right, outLeft, outRight;
    size_t rendered = 0;
};

std::vector<float> morphingTable(int frames)
{
    std::vector<float> table;
    for (int f = 0; f < frames; ++f)
        for (int i = 0; i < 2048; ++i)
        {
            const float x = -1.0f + 2.0f * static_cast<float>(i) / 2047.0f;
            table.push_back(std::tanh((1.0f + 0.2f * static_cast<float>(f)) * x));
        }
    return table;
}

void heavyPatch(Rig& rig)
{
    const auto table = morphingTable(64);
    rig.kernel.loadTableSamples(table.data(), table.size());
    rig.set("Filter1State", 1); // Pre high-pass, resonant
    rig.set("Filter1Freq", 200);
    rig.set("Filter1Res", 12);
    rig.set("Filter2State", 2); // Post low-pass, resonant
    rig.set("Filter2Freq", 6000);
    rig.set("Filter2Res", 9);
    rig.set("DCBlockerState", 1);
    rig.set("HardClipState", 1);
}

void fullPatch(Rig& rig)
{
    heavyPatch(rig);
    rig.kernel.musicalContext.tempo = 128;
    rig.kernel.transportState.isPlaying = true;
    for (const char* lfo : {"Lfo1", "Lfo2"})
    {
        const std::string p = lfo;
        rig.set(p + "State", 1);
        rig.set(p + "SyncMode", 2); // Beat
        rig.set(p + "TimeShape", 0.4f);
        rig.set(p + "Smooth", 20);
        rig.set(p + "Waveform", p == "Lfo1" ? 0.0f : 1.0f);
    }
    rig.set("Lfo1Destination1", 6); // Filter1Freq
    rig.set("Lfo1Amount1", 30);
    rig.set("Lfo1Destination2", 2); // WaveshaperPosition
    rig.set("Lfo1Amount2", 20);
    rig.set("Lfo2Destination1", 14); // Lfo1FreeRate
    rig.set("Lfo2Amount1", 40);
    rig.set("Lfo2Destination2", 10); // Filter2Freq
    rig.set("Lfo2Amount2", -25);
    rig.set("EnvelopeFollowerState", 1);
    rig.set("EnvelopeFollowerDestination1", 1); // InputGain
    rig.set("EnvelopeFollowerAmount1", 20);
    rig.set("EnvelopeFollowerDestination2", 21); // Lfo2FreeRate
    rig.set("EnvelopeFollowerAmount2", 30);
    rig.set("SequencerState", 1);
    rig.set("SequencerRandomness", 40);
    for (int step = 1; step <= 8; ++step)
    {
        const std::string s = (step < 10 ? "SequencerStep0" : "SequencerStep") + std::to_string(step);
        rig.set(s + "Value", 0.1f * static_cast<float>(step));
        rig.set(s + "Curve", 4);
    }
    rig.set("SequencerDestination1", 3); // WaveshaperFold
    rig.set("SequencerAmount1", 50);
    rig.set("SequencerDestination2", 4); // OutputGain
    rig.set("SequencerAmount2", -20);
}

void run(benchmark::State& state, void (*patch)(Rig&), bool automate)
{
    Rig rig;
    if (patch != nullptr)
        patch(rig);
    rig.prepare();
    for (int warmUp = 0; warmUp < 200; ++warmUp)
        rig.render(automate);
    for (auto _ : state)
        rig.render(automate);
    state.counters["per_stereo_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations() * block),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Defaults(benchmark::State& state)
{
    run(state, nullptr, false);
}

void HeavyPatch(benchmark::State& state)
{
    run(state, heavyPatch, true);
}

void FullPatch(benchmark::State& state)
{
    run(state, fullPatch, true);
}
} // namespace

BENCHMARK(Defaults);
BENCHMARK(HeavyPatch);
BENCHMARK(FullPatch);
BENCHMARK_MAIN();

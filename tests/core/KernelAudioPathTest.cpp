#include "KernelRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace
{
double db(double ratio)
{
    return 20.0 * std::log10(ratio);
}
} // namespace

TEST(KernelAudioPath, StraightLineTableReproducesTheClampedInput)
{
    // Loaded, and as the shaper starts before any table is loaded (so a missing library never silences).
    for (bool load : {true, false})
    {
        KernelRig rig;
        rig.neutral();
        const auto table = KernelRig::linearTable();
        if (load)
            rig.kernel.loadTableSamples(table.data(), table.size());
        rig.prepare(48000);
        const std::vector<float> in{-3.0f, -1.0f, -0.5f, 0.0f, 0.3f, 0.999f, 1.0f, 2.5f};
        const auto out = rig.renderMono(in);
        for (size_t i = 0; i < in.size(); ++i)
            EXPECT_NEAR(out[i], std::clamp(in[i], -1.0f, 1.0f), 1e-5f)
                << in[i] << (load ? " loaded" : " initial");
    }
}

TEST(KernelAudioPath, FullyDryGivesTheInputBitExact)
{
    KernelRig rig;
    rig.neutral();
    rig.set("DryWet", 0);
    rig.set("InputGain", 20);
    rig.set("Filter1State", 1);
    rig.prepare(44100);
    const auto in = KernelRig::noise(4096, 2.0f);
    EXPECT_EQ(rig.renderMono(in, 256), in);
}

TEST(KernelAudioPath, DCBlockerAndClipActOnTheDrySignalToo)
{
    KernelRig rig;
    rig.set("DryWet", 0);
    rig.prepare(44100);
    const std::vector<float> dc(4096, 1.5f);
    const auto out = rig.renderMono(dc);
    EXPECT_LE(out[0], 1.0f);                                         // clipped
    EXPECT_NEAR(out[4095], 1.5f * std::pow(0.999f, 4095.0f), 1e-3f); // decaying towards 0
}

TEST(KernelAudioPath, ClipBoundsTheOutputWhateverTheGains)
{
    for (bool clip : {true, false})
    {
        KernelRig rig;
        const auto table = KernelRig::linearTable();
        rig.kernel.loadTableSamples(table.data(), table.size());
        rig.set("DCBlockerState", 0);
        rig.set("HardClipState", clip ? 1.0f : 0.0f);
        rig.set("InputGain", 36);
        rig.set("OutputGain", 12);
        rig.prepare(48000);
        float peak = 0;
        for (float v : rig.renderMono(KernelRig::noise(4096, 1.0f)))
            peak = std::max(peak, std::fabs(v));
        if (clip)
            EXPECT_LE(peak, 1.0f);
        else
            EXPECT_GT(peak, 3.0f); // +12 dB after a full-scale table
    }
}

TEST(KernelAudioPath, FoldMappings)
{
    struct Case
    {
        float foldMode, input, expected;
    };
    for (const Case& c : {Case{0, 0.5f, 0.01f}, Case{0, -0.5f, -0.01f}, Case{1, 0.0f, -0.98f},
                          Case{1, -1.0f, -1.0f}, Case{1, 1.0f, 1.0f}})
    {
        KernelRig rig;
        rig.neutral();
        const auto table = KernelRig::linearTable();
        rig.kernel.loadTableSamples(table.data(), table.size());
        rig.set("FoldMode", c.foldMode);
        rig.set("WaveshaperFold", 100);
        rig.prepare(48000);
        EXPECT_NEAR(rig.renderMono({c.input})[0], c.expected, 2e-4f) << c.foldMode << " " << c.input;
    }
}

TEST(KernelAudioPath, PositionCrossfadesNeighbouringFrames)
{
    std::vector<float> table;
    for (float level : {0.1f, 0.2f, 0.3f})
        table.insert(table.end(), 2048, level);
    for (auto [position, expected] : {std::pair{50.0f, 0.2f}, {25.0f, 0.15f}, {0.0f, 0.1f}, {100.0f, 0.3f}})
    {
        KernelRig rig;
        rig.neutral();
        rig.kernel.loadTableSamples(table.data(), table.size());
        rig.set("WaveshaperPosition", position);
        rig.prepare(48000);
        EXPECT_NEAR(rig.renderMono({0.3f})[0], expected, 1e-6f) << position;
    }
}

namespace
{
// Output level of a sine through filter 1 or 2 set Pre, in dB relative to the input.
double filterGain(int filter, int type, float frequency, float resonance, float gain, double probe,
                  double rate)
{
    KernelRig rig;
    rig.neutral();
    const auto table = KernelRig::linearTable();
    rig.kernel.loadTableSamples(table.data(), table.size());
    const std::string f = filter == 1 ? "Filter1" : "Filter2";
    rig.set(f + "State", 1);
    rig.set(f + "Type", static_cast<float>(type));
    rig.set(f + "Freq", frequency);
    rig.set(f + "Res", resonance);
    rig.set(f + "Gain", gain);
    rig.prepare(rate);
    const auto in = KernelRig::sine(probe, rate, static_cast<size_t>(rate / 2), 0.05f);
    const auto out = rig.renderMono(in);
    return db(KernelRig::rms(out, in.size() / 2) / KernelRig::rms(in, in.size() / 2));
}
} // namespace

TEST(KernelAudioPath, FilterResponses)
{
    EXPECT_NEAR(filterGain(1, 1, 1000, 0, 6, 1000, 48000), 12.0, 0.1); // a Bell of two sections
    EXPECT_NEAR(filterGain(2, 1, 1000, 0, -6, 1000, 48000), -12.0, 0.1);
    const double hp = filterGain(1, 0, 2000, -3, 0, 250, 96000) - filterGain(1, 0, 2000, -3, 0, 125, 96000);
    EXPECT_NEAR(hp, 24.0, 0.5);
    const double lp = filterGain(2, 0, 250, -3, 0, 2000, 96000) - filterGain(2, 0, 250, -3, 0, 4000, 96000);
    EXPECT_NEAR(lp, 24.0, 0.5);
    EXPECT_LT(filterGain(2, 2, 1000, 0, 0, 1000, 48000), -40.0); // notch
}

TEST(KernelAudioPath, MetersReadPeakLevelsOnTheirScale)
{
    for (auto [amplitude, reading] : {std::pair{1.0f, 100.0f}, {0.5f, 93.98f}})
    {
        KernelRig rig;
        rig.prepare(48000);
        rig.renderMono(KernelRig::sine(1000, 48000, 4096, amplitude));
        EXPECT_NEAR(rig.kernel.getFeedback(2)[0].load(), reading, 0.05f) << amplitude;
        EXPECT_NEAR(rig.kernel.getFeedback(2)[1].load(), reading, 0.05f);
        EXPECT_NEAR(rig.kernel.getFeedback(10)[0].load(), reading, 0.3f); // the initial straight-line table
    }
}

TEST(KernelAudioPath, OutputDoesNotDependOnTheHostBlockSize)
{
    const auto in = KernelRig::noise(16384, 0.8f, 7);
    std::vector<float> table;
    for (int f = 0; f < 8; ++f)
        for (int i = 0; i < 2048; ++i)
            table.push_back(
                std::tanh((1.0f + static_cast<float>(f)) * (-1.0f + 2.0f * static_cast<float>(i) / 2047.0f)));
    std::vector<float> reference;
    for (size_t block : {4096u, 1u, 64u, 512u, 1000u})
    {
        KernelRig rig;
        rig.kernel.loadTableSamples(table.data(), table.size());
        rig.set("Filter1State", 1);
        rig.set("Filter1Freq", 300);
        rig.set("Filter2State", 2);
        rig.set("Filter2Res", 6);
        rig.set("WaveshaperPosition", 30);
        rig.set("WaveshaperFold", 40);
        rig.prepare(48000);
        const auto out = rig.renderMono(in, block);
        if (reference.empty())
            reference = out;
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_NEAR(out[i], reference[i], 1e-5f) << "block " << block << " sample " << i;
    }
}

TEST(KernelAudioPath, EveryFilterSettingStaysFiniteAtEverySampleRate)
{
    const auto in = KernelRig::noise(1024, 1.0f, 3);
    for (double rate : {22050.0, 44100.0, 96000.0, 192000.0})
        for (int filter : {1, 2})
            for (int type : {0, 1, 2})
                for (float frequency : {20.0f, 1000.0f, 11025.0f, 20000.0f})
                    for (float resonance : {-24.0f, 24.0f})
                        for (float gain : {-24.0f, 24.0f})
                        {
                            KernelRig rig;
                            rig.neutral();
                            const auto table = KernelRig::linearTable();
                            rig.kernel.loadTableSamples(table.data(), table.size());
                            const std::string f = filter == 1 ? "Filter1" : "Filter2";
                            rig.set(f + "State", 2);
                            rig.set(f + "Type", static_cast<float>(type));
                            rig.set(f + "Freq", frequency);
                            rig.set(f + "Res", resonance);
                            rig.set(f + "Gain", gain);
                            rig.prepare(rate);
                            for (int round = 0; round < 4; ++round)
                                for (float v : rig.renderMono(in))
                                    ASSERT_TRUE(std::isfinite(v))
                                        << rate << " " << f << " " << type << " " << frequency << " "
                                        << resonance << " " << gain;
                        }
}

TEST(KernelAudioPath, RecoversFromNonFiniteInputWithinOneBlock)
{
    KernelRig rig;
    const auto table = KernelRig::linearTable();
    rig.kernel.loadTableSamples(table.data(), table.size());
    rig.set("Filter1State", 1);
    rig.set("Filter2State", 2);
    rig.set("DryWet", 60);
    rig.prepare(48000);
    auto bad = KernelRig::noise(512, 0.5f);
    bad[10] = std::numeric_limits<float>::quiet_NaN();
    bad[20] = std::numeric_limits<float>::infinity();
    bad[30] = -std::numeric_limits<float>::infinity();
    rig.renderMono(bad);
    const auto good = KernelRig::noise(512, 0.5f, 2);
    rig.renderMono(good); // the block after: may still settle
    for (float v : rig.renderMono(good))
        ASSERT_TRUE(std::isfinite(v));
}

TEST(KernelAudioPath, EnvelopeFollowerListensToTheLeftChannelOnly)
{
    auto outputWith = [](const std::vector<float>& left, const std::vector<float>& right, bool envelope)
    {
        KernelRig rig;
        rig.neutral();
        rig.set("DryWet", 0);
        rig.set("EnvelopeFollowerState", envelope ? 1.0f : 0.0f);
        rig.set("EnvelopeFollowerDestination1", 5); // DryWet
        rig.set("EnvelopeFollowerAmount1", 100);
        const auto table = KernelRig::linearTable();
        for (auto& v : const_cast<std::vector<float>&>(table))
            v *= 0.5f;
        rig.kernel.loadTableSamples(table.data(), table.size());
        rig.prepare(48000);
        return rig.render(left, right, 512)[1];
    };
    const auto loud = KernelRig::sine(200, 48000, 8192, 0.8f);
    const std::vector<float> silent(8192, 0.0f);
    EXPECT_EQ(outputWith(silent, loud, true), outputWith(silent, loud, false)); // right only: no reaction
    EXPECT_NE(outputWith(loud, loud, true), outputWith(loud, loud, false));     // left drives the mix
}

TEST(KernelAudioPath, RandomisationRules)
{
    KernelRig rig;
    rig.prepare(48000);
    for (int round = 0; round < 200; ++round)
        for (const auto& [p, v] : rig.kernel.randomize())
        {
            const std::string& name = p->name;
            if (name == "SequencerLength")
                EXPECT_TRUE(v == 2 || v == 4 || v == 8 || v == 16) << v;
            if (name == "DCBlockerState" || name == "HardClipState")
                EXPECT_EQ(v, 1.0f);
            if (name == "DryWet")
                EXPECT_TRUE(v >= 30 && v <= 100) << v;
            if (name == "InputGain")
                EXPECT_EQ(v, 0.0f);
            if (name == "Filter2Freq")
                EXPECT_TRUE(v >= 800 && v <= 15800) << v;
        }
}

TEST(KernelAudioPath, TableDisplayFollowsTableAndFold)
{
    KernelRig rig;
    const auto table = KernelRig::linearTable(2);
    rig.kernel.loadTableSamples(table.data(), table.size());
    EXPECT_EQ(rig.kernel.getTableFrameCount(), 2);
    const Brantor2DSPKernel& kernel = rig.kernel;
    for (size_t i : {0u, 100u, 399u})
    {
        const float x = 0.0025f * static_cast<float>(i) * 2048.0f;
        EXPECT_NEAR(kernel.getTableDisplay(i), -1.0f + 2.0f * x / 2047.0f, 1e-4f);
        EXPECT_NEAR(kernel.getTableDisplay(400 + i), kernel.getTableDisplay(i), 1e-6f);
    }
    rig.kernel.foldDisplayChanged = false;
    rig.set("FoldMode", 1);
    rig.kernel.applyPendingUpdates();
    EXPECT_TRUE(rig.kernel.foldDisplayChanged);
}

TEST(KernelAudioPath, StereoRendersEachChannelAsMonoWould)
{
    auto render = [](int channels, const std::vector<float>& x)
    {
        KernelRig rig;
        const auto table = KernelRig::linearTable();
        rig.kernel.loadTableSamples(table.data(), table.size());
        rig.set("Filter1State", 1);
        rig.set("Filter1Type", 1);
        rig.set("Filter1Gain", 9);
        rig.set("Filter2State", 2);
        rig.set("Filter2Freq", 3000);
        rig.prepare(48000, channels);
        return rig.render(x, KernelRig::noise(x.size(), 0.3f, 8), 300)[0];
    };
    const auto x = KernelRig::noise(4096, 0.8f, 6);
    EXPECT_EQ(render(1, x), render(2, x));
}

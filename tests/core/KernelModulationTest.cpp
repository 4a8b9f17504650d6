#include "Common/Math/Pitch.h"
#include "KernelRig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace
{
enum Lfo1List
{
    ToDryWet = 5,
    ToFilter1Freq = 6,
};
constexpr int lfo2ToLfo1FreeRate = 14;

} // namespace

TEST(KernelModulation, LaterModulatorsSeeEarlierModulationInTheSameCall)
{
    auto lfo1MeterAfterTwoCalls = [](bool lfo2On) {
        KernelRig rig;
        rig.set("Lfo1State", 1);
        rig.set("Lfo1Waveform", 2); // saw: the meter shows the phase
        rig.set("Lfo2State", lfo2On ? 1.0f : 0.0f);
        rig.set("Lfo2Waveform", 4); // square: +1 for the first half cycle
        rig.set("Lfo2Destination1", lfo2ToLfo1FreeRate);
        rig.set("Lfo2Amount1", 100); // the whole normalised range: 1 Hz becomes 40 Hz
        rig.prepare(48000);
        rig.renderMono(std::vector<float>(512, 0.0f));
        const float rate = rig.kernel.getParameterBuffers()[31][511]; // Lfo1FreeRate as LFO 1 read it
        rig.renderMono(std::vector<float>(512, 0.0f));
        return std::pair{rate, rig.kernel.getFeedback(25)[0].load()};
    };
    const auto [rateOff, meterOff] = lfo1MeterAfterTwoCalls(false);
    const auto [rateOn, meterOn] = lfo1MeterAfterTwoCalls(true);
    EXPECT_FLOAT_EQ(rateOff, 1.0f);
    EXPECT_NEAR(rateOn, 40.0f, 1e-3f);
    // LFO 1 ran near 40 Hz in the very first call (LFO 2's de-click filter rounds its first
    // millisecond): 512 samples advance its phase by about 0.42 instead of 0.01.
    EXPECT_NEAR(meterOff, -0.98f, 0.02f);
    EXPECT_NEAR(meterOn, 2.0f * 512.0f * 40.0f / 48000.0f - 1.0f, 0.06f);

    // LFO 1 runs last: its list offers no LFO 2 parameter to reach back into.
    Brantor2ParameterList list;
    for (const auto& d : list.getDestinationGroup(EModulator::Lfo1)->destinations)
        EXPECT_EQ(d.name.rfind("Lfo2", 0), std::string::npos);
}

TEST(KernelModulation, ModulatedValuesStayInsideTheirRanges)
{
    KernelRig rig;
    rig.set("Filter1Freq", 10000);
    rig.set("DryWet", 90);
    rig.set("Lfo1State", 1);
    rig.set("Lfo1Waveform", 4); // square, +1 at the start
    rig.set("Lfo1Destination1", ToFilter1Freq);
    rig.set("Lfo1Amount1", 100);
    rig.set("Lfo1Destination2", ToDryWet);
    rig.set("Lfo1Amount2", 50);
    rig.prepare(48000);
    rig.renderMono(std::vector<float>(256, 0.0f));
    ParameterBufferList& buffers = rig.kernel.getParameterBuffers();
    const float top = Pitch::frequencyToNote(20000);
    for (size_t i = 0; i < 256; ++i)
    {
        EXPECT_LE(buffers[13][i], top + 1e-3f);
        EXPECT_LE(buffers[0][i], 100.0f);
    }
    EXPECT_NEAR(buffers[13][200], top, 1e-3f);
    EXPECT_EQ(buffers[0][200], 100.0f);
}

TEST(KernelModulation, SwitchedOffModulatorsMoveNothing)
{
    KernelRig rig;
    rig.set("OutputGain", -6);
    rig.set("Lfo1Destination1", 4); // OutputGain
    rig.set("Lfo1Amount1", 100);
    rig.set("SequencerDestination1", 4);
    rig.set("SequencerAmount1", 100);
    rig.set("EnvelopeFollowerDestination1", 4);
    rig.set("EnvelopeFollowerAmount1", 100);
    rig.prepare(48000);
    rig.kernel.transportState.isPlaying = true;
    rig.renderMono(KernelRig::noise(512, 0.9f, 4));
    for (size_t i = 0; i < 512; ++i)
        ASSERT_EQ(rig.kernel.getParameterBuffers()[9][i], -6.0f);
    EXPECT_EQ(rig.kernel.getFeedback(25)[0].load(), 0.0f); // LFO 1 meter
}

TEST(KernelModulation, SequencerDrivesItsDestinationInTimeAndPublishesItsPosition)
{
    KernelRig rig;
    rig.set("SequencerState", 1);
    rig.set("SequencerLength", 4);
    rig.set("SequencerStep01Value", 1.0f);
    rig.set("SequencerStep01Curve", 0);
    rig.set("SequencerStep02Value", 0.0f);
    rig.set("SequencerStep02Curve", 0);
    rig.set("SequencerDestination1", 5); // DryWet
    rig.set("SequencerAmount1", -50);
    rig.prepare(48000);
    rig.kernel.musicalContext.tempo = 120;
    rig.kernel.musicalContext.ppqPosition = 0.0;
    rig.kernel.transportState.isPlaying = true;
    rig.renderMono(std::vector<float>(512, 0.0f));
    EXPECT_FLOAT_EQ(rig.kernel.getParameterBuffers()[0][100], 50.0f); // step 1: +1 x -50 points
    EXPECT_NEAR(rig.kernel.getFeedback(104)[0].load(), 512.0f / 24000.0f, 1e-3f); // step 0 and its phase
    EXPECT_FLOAT_EQ(rig.kernel.getFeedback(104)[1].load(), 1.0f);

    rig.kernel.musicalContext.ppqPosition = 1.0; // the second quarter note
    rig.renderMono(std::vector<float>(512, 0.0f));
    EXPECT_FLOAT_EQ(rig.kernel.getParameterBuffers()[0][100], 100.0f); // step 2: -1 x -50, clipped
}

TEST(KernelModulation, RandomPatchesStayFiniteAndBounded)
{
    const auto in = KernelRig::noise(4096, 1.0f, 9);
    for (unsigned seed = 1; seed <= 300; ++seed)
    {
        std::srand(seed);
        KernelRig rig;
        const auto table = KernelRig::linearTable(4);
        rig.kernel.loadTableSamples(table.data(), table.size());
        rig.prepare(seed % 2 == 0 ? 44100 : 96000);
        for (const auto& [p, v] : rig.kernel.randomize())
        {
            // As the host would: values land inside each parameter's range.
            rig.kernel.setParameter(static_cast<size_t>(p->index), std::clamp(v, p->minimum, p->maximum));
        }
        rig.kernel.musicalContext.tempo = 60.0 + seed % 200;
        rig.kernel.musicalContext.ppqPosition = seed * 0.37;
        rig.kernel.transportState.isPlaying = seed % 3 != 0;
        const auto out = rig.render(in, in, 256);
        for (const auto& channel : out)
            for (float v : channel)
            {
                ASSERT_TRUE(std::isfinite(v)) << "seed " << seed;
                ASSERT_LE(std::fabs(v), 1.0f) << "seed " << seed;
            }
    }
}

TEST(KernelModulation, EveryLfoSettingKeepsTheOutputInRange)
{
    const auto in = KernelRig::noise(2048, 1.0f, 11);
    for (int waveform = 0; waveform <= 5; ++waveform)
        for (int mode = 0; mode <= 2; ++mode)
            for (float shape : {-0.95f, 0.0f, 0.95f})
            {
                KernelRig rig;
                const auto table = KernelRig::linearTable();
                rig.kernel.loadTableSamples(table.data(), table.size());
                rig.set("InputGain", 12);
                rig.set("Lfo1State", 1);
                rig.set("Lfo1Waveform", static_cast<float>(waveform));
                rig.set("Lfo1SyncMode", static_cast<float>(mode));
                rig.set("Lfo1TimeShape", shape);
                rig.set("Lfo1FreeRate", 40);
                rig.set("Lfo1SyncRate", 20);
                rig.set("Lfo1Smooth", 5);
                rig.set("Lfo1Destination1", 4); // OutputGain
                rig.set("Lfo1Amount1", 100);
                rig.set("Lfo1Destination2", 3); // WaveshaperFold
                rig.set("Lfo1Amount2", -100);
                rig.prepare(48000);
                rig.kernel.transportState.isPlaying = true;
                for (float v : rig.renderMono(in, 128))
                    ASSERT_LE(std::fabs(v), 1.0f) << waveform << " " << mode << " " << shape;
            }
}

#include "Common/Stages/CurveSequencerStage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// The stage at 120 BPM, one quarter note per step, following a playing transport block by block.
struct Playing
{
    explicit Playing(double rate = 48000.0, int length = 4, float resolution = 1.0f) : sampleRate(rate)
    {
        stage.init(rate);
        stage.handleParameter(61, 1.0f); // on
        stage.setParameterMap(61, 65);
        stage.handleParameter(61, 1.0f);
        stage.handleParameter(65, static_cast<float>(length));
        stage.setSmoothDuration(0.0f);
        resolutionBuffer.assign(4096, resolution);
        randomness.assign(4096, 0.0f);
    }

    std::vector<float> play(double fromPpq, size_t frames, size_t block = 512)
    {
        std::vector<float> out;
        std::vector<float> piece(block);
        double ppq = fromPpq;
        for (size_t done = 0; done < frames; done += block)
        {
            MusicalContextStruct context;
            context.tempo = 120.0;
            context.ppqPosition = ppq;
            TransportStateStruct transport;
            transport.isPlaying = true;
            stage.updateContext(context, transport);
            stage.process(piece.data(), block, 0, resolutionBuffer.data(), randomness.data());
            out.insert(out.end(), piece.begin(), piece.end());
            ppq += static_cast<double>(block) * 2.0 / sampleRate;
        }
        return out;
    }

    double sampleRate;
    CurveSequencerStage stage;
    std::vector<float> resolutionBuffer, randomness;
};
} // namespace

TEST(Sequencer, StepsFollowQuarterNotesFromTheStartPosition)
{
    Playing s;
    const float levels[] = {0.1f, 0.3f, 0.6f, 0.9f};
    for (int step = 0; step < 4; ++step)
    {
        s.stage.setStepValue(step, levels[step]);
        s.stage.setStepCurve(step, CurveSequencer::Hold);
    }
    const auto out = s.play(2.0, 48000 * 3); // 3 s = 6 quarter notes from ppq 2
    const int expected[] = {2, 3, 0, 1, 2, 3};
    for (int quarter = 0; quarter < 6; ++quarter)
    {
        const size_t at = static_cast<size_t>(quarter) * 24000 + 100; // every 0.5 s
        EXPECT_NEAR(out[at], 2.0f * levels[expected[quarter]] - 1.0f, 1e-6f) << quarter;
        EXPECT_NEAR(out[at + 23000], out[at], 1e-6f) << quarter; // held for the whole step
    }
}

TEST(Sequencer, RampCurveSpansTheBipolarRange)
{
    Playing s(48000, 2);
    s.stage.setStepValue(0, 0.0f);
    s.stage.setStepValue(1, 1.0f);
    s.stage.setStepCurve(0, CurveSequencer::RampToNext);
    const auto out = s.play(0.0, 24000);
    EXPECT_NEAR(out[0], -1.0f, 1e-3f);
    EXPECT_NEAR(out[12000], 0.0f, 1e-3f);
    EXPECT_NEAR(out[23999], 1.0f, 1e-3f);
}

TEST(Sequencer, FallingStepAfterARampStartsWithoutAJump)
{
    Playing s(48000, 2);
    s.stage.setStepValue(0, 0.2f);
    s.stage.setStepCurve(0, CurveSequencer::RampToNext);
    s.stage.setStepValue(1, 0.4f);
    s.stage.setStepCurve(1, CurveSequencer::FallFromTop);
    const auto out = s.play(0.0, 48000);
    EXPECT_NEAR(out[23998], 1.0f, 1e-3f); // the ramp ends at the top
    EXPECT_NEAR(out[24001], 1.0f, 1e-3f); // where the falling step starts
    EXPECT_NEAR(out[47990], 2.0f * 0.4f - 1.0f, 1e-3f); // the step ends at its own value
}

TEST(Sequencer, SmoothingBlendsStepChanges)
{
    Playing s(44100, 2);
    s.stage.setStepValue(0, 0.0f);
    s.stage.setStepValue(1, 1.0f);
    s.stage.setStepCurve(0, CurveSequencer::Hold);
    s.stage.setStepCurve(1, CurveSequencer::Hold);
    s.stage.setSmoothDuration(100.0f);
    const auto out = s.play(0.0, 44100);
    const size_t change = 22050; // the second quarter note at 120 BPM
    EXPECT_LT(out[change + 100], 0.9f);
    EXPECT_GT(out[change + 4300], out[change + 100]);
    EXPECT_LT(out[change + 4400], 1.0f);
    EXPECT_NEAR(out[change + 4415], 1.0f, 1e-6f); // 4410 samples of blend, then the step
}

TEST(Sequencer, ResolutionOffHoldsTheStepWithoutFaulting)
{
    Playing s(48000, 4, 0.0f);
    s.stage.setStepValue(0, 0.75f);
    s.stage.setStepCurve(0, CurveSequencer::Hold);
    const auto out = s.play(0.0, 48000);
    for (float v : out)
        ASSERT_NEAR(v, 0.5f, 1e-6f);
}

TEST(Sequencer, LengthLimitsThePlayedSteps)
{
    Playing s(48000, 3);
    for (int step = 0; step < 16; ++step)
    {
        s.stage.setStepValue(step, step < 3 ? 0.0f : 1.0f);
        s.stage.setStepCurve(step, CurveSequencer::Hold);
    }
    for (float v : s.play(0.0, 48000 * 4))
        ASSERT_EQ(v, -1.0f);
}

TEST(Sequencer, OffOutputsExactlyZero)
{
    Playing s;
    s.stage.handleParameter(61, 0.0f);
    for (float v : s.play(0.0, 4096))
        ASSERT_EQ(v, 0.0f);
}

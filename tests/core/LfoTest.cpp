#include "Common/ProcessBlock/Oscillators/Lfo2.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr double rate = 48000.0;

// One LFO without smoothing or de-click filter, so the raw waveform is visible.
struct RawLfo
{
    explicit RawLfo(int waveform, int mode = QuarneDSP::Lfo2::Free)
    {
        lfo.init(1, rate);
        lfo.setType(waveform);
        lfo.setSyncMode(mode);
        lfo.setNoTriplets(false);
    }

    std::vector<float> run(size_t n, float freeRate, float syncRate = 0.25f)
    {
        std::vector<float> out(n), rates(n, freeRate), syncs(n, syncRate), zeros(n, 0.0f), shapes(n, shape);
        Lfo2Parameters p;
        p.freeRate = BlockParameter::fromBuffer(rates.data());
        p.syncRate = BlockParameter::fromBuffer(syncs.data());
        p.phaseOffset = BlockParameter::fromBuffer(zeros.data());
        p.timeShape = BlockParameter::fromBuffer(shapes.data());
        p.smooth = BlockParameter::fromBuffer(zeros.data());
        for (size_t start = 0; start < n; start += 4096) // the largest call a block takes
        {
            const size_t m = std::min<size_t>(4096, n - start);
            Lfo2Parameters q = p;
            q.freeRate.buffer += start, q.syncRate.buffer += start, q.phaseOffset.buffer += start;
            q.timeShape.buffer += start, q.smooth.buffer += start;
            lfo.process(out.data() + start, m, 0, q);
        }
        return out;
    }

    void transport(double tempo, double ppq, bool playing, size_t offset = 0)
    {
        MusicalContextStruct context;
        context.tempo = tempo;
        context.ppqPosition = ppq;
        TransportStateStruct state;
        state.isPlaying = playing;
        lfo.processContext(context, state, offset);
    }

    QuarneDSP::Lfo2 lfo;
    float shape = 0.0f;
};

enum Waveform
{
    Sin,
    Tri,
    Saw,
    InverseSaw,
    Square,
    Random
};
} // namespace

TEST(Lfo, FreeRateOfOneHertzCompletesACycleIn48000Samples)
{
    RawLfo saw(Saw);
    const auto first = saw.run(24000, 1.0f);
    const auto second = saw.run(24001, 1.0f);
    EXPECT_FLOAT_EQ(first[0], -1.0f);
    EXPECT_NEAR(second[0], 0.0f, 1e-4f);           // half a cycle
    EXPECT_NEAR(second[24000], -1.0f, 1e-4f);      // back at the start after 48000 samples
}

TEST(Lfo, WaveformsStartWhereTheirShapesSay)
{
    const std::pair<int, float> starts[] = {{Sin, 0.0f}, {Tri, 0.0f}, {Saw, -1.0f}, {InverseSaw, 1.0f}, {Square, 1.0f}};
    for (const auto& [waveform, start] : starts)
    {
        RawLfo lfo(waveform);
        const auto out = lfo.run(12000, 1.0f); // a quarter cycle
        EXPECT_NEAR(out[0], start, 1e-6f) << waveform;
        if (waveform == Sin || waveform == Tri)
        {
            EXPECT_GT(out[100], out[0]) << waveform; // rising
            EXPECT_NEAR(out[11999], 1.0f, 1e-3f) << waveform;
        }
    }
    RawLfo square(Square);
    EXPECT_EQ(square.run(36000, 1.0f)[30000], -1.0f); // second half of the cycle
}

TEST(Lfo, BeatModeFollowsTheHostPosition)
{
    RawLfo saw(Saw, QuarneDSP::Lfo2::Beat);
    saw.transport(120, 2.5, true);
    EXPECT_NEAR(saw.run(16, 1.0f, 0.25f)[0], 0.0f, 1e-6f); // phase frac(2.5 / 1) = 0.5
    saw.transport(120, 3.75, true);                          // a jump in the transport jumps the LFO
    EXPECT_NEAR(saw.run(16, 1.0f, 0.25f)[0], 0.5f, 1e-6f);
}

TEST(Lfo, BeatModeStoppedRunsLikeSync)
{
    RawLfo beat(Saw, QuarneDSP::Lfo2::Beat), sync(Saw, QuarneDSP::Lfo2::Sync);
    for (int block = 0; block < 4; ++block)
    {
        beat.transport(100, 7.3 + block, false);
        sync.transport(100, 7.3 + block, false);
        EXPECT_EQ(beat.run(512, 1.0f, 0.125f), sync.run(512, 1.0f, 0.125f));
    }
}

TEST(Lfo, NoTripletsReplacesTripletRates)
{
    QuarneDSP::Lfo2 lfo;
    lfo.setNoTriplets(true);
    for (auto [in, out] : {std::pair{1.0f / 3.0f, 0.25f}, {1.0f / 6.0f, 0.125f}, {1.0f / 12.0f, 0.0625f},
                           {1.0f / 24.0f, 0.03125f}, {0.375f, 0.375f}, {0.3125f, 0.3125f}, {4.0f, 4.0f}})
    {
        lfo.processSyncRate(in);
        EXPECT_FLOAT_EQ(lfo.getSyncRate(), out) << in;
    }
    lfo.setNoTriplets(false);
    lfo.processSyncRate(1.0f / 3.0f);
    EXPECT_FLOAT_EQ(lfo.getSyncRate(), 1.0f / 3.0f);
}

TEST(Lfo, TimeShapeKeepsTheCycleEnds)
{
    RawLfo saw(Saw);
    saw.shape = 0.95f;
    const size_t n = 48000;
    const auto out = saw.run(n, 1.0f);
    EXPECT_FLOAT_EQ(out[0], -1.0f);
    EXPECT_LT(out[24000], -0.9f); // slow start of the cycle, fast end
    EXPECT_GT(out[n - 1], 0.99f);
}

TEST(Lfo, RandomStepsOncePerCycleAndStaysInRange)
{
    RawLfo random(Random);
    const auto out = random.run(48000 * 4, 4.0f); // 16 cycles
    int changes = 0;
    for (size_t i = 1; i < out.size(); ++i)
    {
        ASSERT_GE(out[i], -1.0f);
        ASSERT_LE(out[i], 1.0f);
        changes += out[i] != out[i - 1] ? 1 : 0;
    }
    EXPECT_GE(changes, 14);
    EXPECT_LE(changes, 16);
}

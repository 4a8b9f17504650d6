#include "Common/Math/Pitch.h"
#include "TestKernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(KernelFrame, RampLengthFollowsTheSampleRate)
{
    TestKernel k;
    Parameter* gain = k.getParameters()->getDSPParameter(0);
    k.setParameter(0, 6.0f); // before init: jumps
    EXPECT_EQ(gain->value->ramper->getSamplesRemaining(), 0u);

    for (auto [rate, frames] : {std::pair{44100.0, 881u}, {48000.0, 959u}, {96000.0, 1919u}})
    {
        k.init(2, rate);
        EXPECT_EQ(k.getRampLength(), frames);
        k.setParameter(0, 1.0f);
        EXPECT_EQ(gain->value->ramper->getSamplesRemaining(), frames);
    }
    k.startRamp(0, 2.0f, 2000);
    EXPECT_EQ(gain->value->ramper->getSamplesRemaining(), 2000u);
}

TEST(KernelFrame, FrequenciesRampAsNoteNumbers)
{
    TestKernel k; // not initialised: the ramp length is still 0, so changes land at once
    k.startRamp(1, 440.0f, 0);
    EXPECT_NEAR(k.getParameter(1), 440.0f, 0.01f);
    ParameterBufferList buffers(5);
    k.process(16, 0, 0);
    k.getParameters()->checkOutBuffers(16, buffers);
    EXPECT_NEAR(buffers[1][0], 69.0f, 1e-4f);
}

TEST(KernelFrame, NotRampedParametersReachTheProductAtTheNextBlock)
{
    TestKernel k;
    ASSERT_EQ(k.updates.size(), 1u); // the default, announced by initParameters
    k.init(2, 48000);
    k.setParameter(2, 1.0f);
    EXPECT_EQ(k.getParameter(2), 1.0f); // the value is there at once
    EXPECT_EQ(k.updates.size(), 1u);    // the product hears of it on the processing thread
    k.setParameter(2, 0.0f);
    k.setParameter(2, 1.0f);
    k.process(16, 0, 0);
    ASSERT_EQ(k.updates.size(), 2u); // once, with the latest value
    EXPECT_EQ(k.updates.back(), (std::pair<size_t, float>{2, 1.0f}));
    k.process(16, 0, 0);
    EXPECT_EQ(k.updates.size(), 2u);
}

TEST(KernelFrame, NonFiniteValuesNeverReachTheParameters)
{
    TestKernel k;
    k.init(2, 48000);
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                      -std::numeric_limits<float>::infinity()})
    {
        k.setParameter(0, bad);
        k.setParameter(2, bad);
        EXPECT_EQ(k.getParameter(0), 0.0f);
        EXPECT_EQ(k.getParameter(2), 0.0f);
    }
    EXPECT_EQ(k.updates.size(), 1u);
}

TEST(KernelFrame, ListParametersCarryTheListEntry)
{
    TestKernel k;
    k.setParameter(4, 2.2f);
    EXPECT_FLOAT_EQ(k.getParameter(4), 2.0f);
    ParameterBufferList buffers(5);
    k.startRamp(4, 2.0f, 0);
    k.getParameters()->checkOutBuffers(8, buffers);
    EXPECT_EQ(buffers[4][7], 4.0f);
}

TEST(KernelFrame, ClearRequestRunsAtTheNextBlock)
{
    TestKernel k;
    k.init(2, 48000);
    k.requestClear();
    EXPECT_EQ(k.clears, 0);
    k.process(8, 0, 0);
    EXPECT_EQ(k.clears, 1);
    k.process(8, 0, 0);
    EXPECT_EQ(k.clears, 1);
}

TEST(KernelFrame, RandomizeSkipsUnrandomizableAndRequestsClear)
{
    auto* list = new TestParameterList();
    list->unrandomizable = {0};
    TestKernel k(list);
    k.init(2, 48000);
    for (int round = 0; round < 20; ++round)
    {
        const auto values = k.randomize();
        ASSERT_EQ(values.size(), 3u);
        for (const auto& [p, v] : values)
        {
            EXPECT_NE(p->index, 0);
            EXPECT_GE(v, p->minimum);
            EXPECT_LE(v, p->maximum);
            if (p->unit == OnOff || p->unit == Integer)
            {
                EXPECT_EQ(v, std::round(v));
            }
        }
    }
    k.process(8, 0, 0);
    EXPECT_EQ(k.clears, 1);
}

TEST(KernelFrame, FeedbackIsWrittenOnlyWhileTheEditorIsOpen)
{
    TestKernel k;
    ParameterBufferList buffers(5);
    k.startRamp(0, 12.0f, 0);
    k.process(8, 0, 0);
    k.getParameters()->checkOutBuffers(8, buffers);
    const std::vector<ParameterElement> elements{{0, false}};

    k.editorOpen = false;
    k.fillModulationFeedbacks(buffers, elements);
    EXPECT_EQ(k.getFeedback(0)[0].load(), 0.0f);

    k.editorOpen = true;
    k.fillModulationFeedbacks(buffers, elements);
    EXPECT_FLOAT_EQ(k.getFeedback(0)[0].load(), 0.5f); // (12 + 12) / 48
}

TEST(KernelFrameDeathTest, ConstructionContracts)
{
    struct Holey : ParameterList
    {
        Holey() : ParameterList(2) { add(0, "A", 0, 1, 0, Plain, {}, 1.0f); }
        std::vector<size_t> getFavourites() override { return {}; }
    };
    struct Unfinished : FilterDSPKernel
    {
        void clear() override {}
        void updateParameter(size_t, float) override {}
    };
    EXPECT_DEATH(TestKernel(new Holey()), "Parameter not setted\\.");
    EXPECT_DEATH(Unfinished().init(2, 44100),
                 "You should call allocParameters\\(\\) at the beginning of child "
                 "constructor and initParameters\\(\\) at the end of child constructor\\.");
    EXPECT_DEATH(TestParameterList().add(1, "A:B", 0, 1, 0, Plain, {}, 1.0f), "");
}

TEST(KernelFrame, OutOfRangeIndicesThrow)
{
    TestKernel k;
    EXPECT_THROW(k.setParameter(99, 1.0f), std::out_of_range);
    EXPECT_THROW(TestParameterList().add(7, "X", 0, 1, 0, Plain, {}, 1.0f), std::out_of_range);
}

#include "Common/Parameters/ParameterRamper.h"

#include <gtest/gtest.h>

TEST(ParameterRamper, RampReachesGoalAfterExactlyTheRampLength)
{
    ParameterRamper r;
    r.startRamp(5.0f, 100, false);
    bool changed = false;
    float* b = r.getAndStep(64, changed);
    EXPECT_TRUE(changed);
    for (int i = 0; i < 64; ++i)
        EXPECT_NEAR(b[i], 0.05f * static_cast<float>(i), 1e-5f) << i;

    b = r.getAndStep(64, changed);
    for (int i = 0; i < 36; ++i)
        EXPECT_NEAR(b[i], 3.2f + 0.05f * static_cast<float>(i), 1e-5f) << i;
    for (int i = 36; i < 64; ++i)
        EXPECT_EQ(b[i], 5.0f) << i;
}

TEST(ParameterRamper, NewRampContinuesFromCurrentPosition)
{
    ParameterRamper r;
    r.startRamp(1.0f, 100, false);
    bool changed = false;
    const float last = r.getAndStep(50, changed)[49];
    r.startRamp(-1.0f, 100, false);
    const float* b = r.getAndStep(10, changed);
    EXPECT_NEAR(b[0], 0.5f, 1e-5f);
    EXPECT_NEAR(b[0] - last, 0.01f, 1e-5f); // one more step, no jump
    EXPECT_LT(b[1], b[0]);
}

TEST(ParameterRamper, IdleBufferIsRefilledOnlyWhenTheBlockSizeChanges)
{
    ParameterRamper r;
    r.startRamp(2.0f, 0, false);
    bool changed = false;
    r.getAndStep(64, changed);
    EXPECT_TRUE(changed);
    changed = false;
    r.getAndStep(64, changed);
    EXPECT_FALSE(changed);
    const float* b = r.getAndStep(32, changed);
    EXPECT_TRUE(changed);
    EXPECT_EQ(b[31], 2.0f);
}

TEST(ParameterRamper, RoundingRampsToTheIntegerButKeepsTheTarget)
{
    ParameterRamper r;
    EXPECT_EQ(r.startRamp(2.6f, 100, true), 3.0f);
    EXPECT_EQ(r.getGoal(), 3.0f);
    EXPECT_FLOAT_EQ(r.getUITarget(), 2.6f);
}

TEST(ParameterRamper, ZeroFramesJumps)
{
    ParameterRamper r;
    r.startRamp(4.0f, 0, false);
    bool changed = false;
    const float* b = r.getAndStep(8, changed);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(b[i], 4.0f);
}

#include "Common/Math/Accelerate/BiquadState.h"
#include "Common/Math/Accelerate/SignalProcessing.h"
#include "Common/ProcessBlock/Mix/DryWet.h"
#include "Common/ProcessBlock/Mix/Gain.h"
#include "Common/ProcessBlock/Smooth/Smooth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <vector>

using namespace SignalProcessing;

TEST(SignalProcessing, TableReadHoldsTheEnds)
{
    const float table[] = {1, 2, 4};
    const float positions[] = {-5.0f, 0.0f, 0.5f, 1.75f, 2.0f, 9.0f};
    float out[6];
    tableRead(positions, table, 3, out, 6);
    const float expected[] = {1, 1, 1.5f, 3.5f, 4, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(out[i], expected[i]) << i;
}

TEST(SignalProcessing, PowerWritesIntoItsFirstArgument)
{
    float result[2] = {0, 0};
    const float base[2] = {2, 3};
    const float exponent[2] = {3, 2};
    pow(result, exponent, base, 2);
    EXPECT_FLOAT_EQ(result[0], 8.0f);
    EXPECT_FLOAT_EQ(result[1], 9.0f);
    pow_s(result, 0.5f, base, 2);
    EXPECT_FLOAT_EQ(result[1], std::sqrt(3.0f));
}

TEST(SignalProcessing, BiquadIsDirectFormOneWithCarriedHistory)
{
    BiquadState* state = biquad_createState();
    const float coefficients[] = {0.5f, 0.25f, 0.125f, -0.5f, 0.25f};
    const float x[] = {1, 0, 0, 0};
    float first[2], second[2];
    biquad(x, coefficients, first, 2, state);
    biquad(x + 2, coefficients, second, 2, state);
    EXPECT_FLOAT_EQ(first[0], 0.5f);
    EXPECT_FLOAT_EQ(first[1], 0.25f + 0.5f * 0.5f);             // b1 - a1 * y0
    EXPECT_FLOAT_EQ(second[0], 0.125f + 0.5f * 0.5f - 0.25f * 0.5f); // b2 - a1 y1 - a2 y0
    biquad_destroyState(state);
}

TEST(SignalProcessing, ClearBadStateValue)
{
    BiquadState s;
    s.x1 = 1e-20f;
    s.x2 = 1e20f;
    s.y1 = 0.5f;
    s.y2 = std::numeric_limits<float>::quiet_NaN();
    s.clearBadStateValue();
    EXPECT_EQ(s.x1, 0.0f);
    EXPECT_EQ(s.x2, 0.0f);
    EXPECT_EQ(s.y1, 0.5f);
    EXPECT_EQ(s.y2, 0.0f);
}

TEST(Gain, ZeroDecibelsIsExactlyUnity)
{
    std::vector<float> x{0.1f, -0.7f, 1e-30f, 3.0f};
    const std::vector<float> original = x;
    Gain g;
    g.process(x.data(), x.size(), GainParameters{BlockParameter::constant(0.0f)});
    EXPECT_EQ(x, original);
    const std::vector<float> db(4, -6.0f);
    g.process(x.data(), x.size(), db.data());
    EXPECT_NEAR(x[1], -0.7f * 0.501187f, 1e-6f);
}

TEST(Smooth, ZeroTimePassesThroughAndStateStaysContinuous)
{
    QuarneDSP::Smooth s;
    s.init(1, 1000);
    std::vector<float> x{1, 1, 1, 1};
    std::vector<float> zero(4, 0.0f);
    s.process(x.data(), 4, 0, {BlockParameter::fromBuffer(zero.data())});
    EXPECT_EQ(x, std::vector<float>(4, 1.0f));

    std::vector<float> time{0, 0, 100, 100}; // 0 ms gives alpha 1: exact pass-through
    std::vector<float> y{0.5f, 0.25f, 1, 1};
    s.process(y.data(), 4, 0, {BlockParameter::fromBuffer(time.data())});
    EXPECT_EQ(y[0], 0.5f);
    EXPECT_EQ(y[1], 0.25f);
    EXPECT_NEAR(y[2], 0.25f * 0.99f + 0.01f, 1e-6f);
}

TEST(DryWet, LinearAndBalancedLaws)
{
    QuarneDSP::DryWet mix;
    const std::vector<float> dry(4, 1.0f), wet(4, 0.5f), half(4, 50.0f);
    std::vector<float> out(4);
    mix.process(dry.data(), wet.data(), out.data(), 4, half.data());
    EXPECT_FLOAT_EQ(out[0], 1.5f); // balanced and curved: both gains 1 at 50 %
    mix.balanced = false;
    mix.process(dry.data(), wet.data(), out.data(), 4, half.data());
    EXPECT_FLOAT_EQ(out[0], 0.75f);
}

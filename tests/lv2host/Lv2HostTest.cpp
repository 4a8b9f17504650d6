// The built LV2 bundle in a host of our own on lilv: instantiation, patch:Set and processing.

#include "Lv2Host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
constexpr uint32_t block = 512;

std::vector<float> sine(uint32_t frames)
{
    std::vector<float> x(frames);
    for (uint32_t i = 0; i < frames; ++i)
        x[i] = 0.5f * static_cast<float>(std::sin(2.0 * 3.141592653589793 * 440.0 * i / 48000.0));
    return x;
}

// Runs blocks until the end of in; returns the output of the last block.
std::vector<float> runBlocks(Lv2Host& host, const std::vector<float>& in, int blocks)
{
    std::vector<float> left(block), right(block);
    float* out[] = {left.data(), right.data()};
    const float* inputs[] = {in.data(), in.data()};
    for (int b = 0; b < blocks; ++b)
    {
        host.run(inputs, 2, out, 2, block);
        for (uint32_t i = 0; i < block; ++i)
            EXPECT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i]));
    }
    return left;
}
} // namespace

TEST(Lv2Host, InstantiatesTheBundleWithStereoPorts)
{
    Lv2Host host(TELOMA_LV2_BUNDLE, TELOMA_LV2_URI, 48000, block);
    ASSERT_TRUE(host.isReady()) << host.getError();
    EXPECT_EQ(host.getAudioInputCount(), 2u);
    EXPECT_EQ(host.getAudioOutputCount(), 2u);
}

TEST(Lv2Host, PatchSetReachesTheProcessor)
{
    Lv2Host host(TELOMA_LV2_BUNDLE, TELOMA_LV2_URI, 48000, block);
    ASSERT_TRUE(host.isReady()) << host.getError();
    const std::vector<float> in = sine(block);

    const auto peak = [](const std::vector<float>& v)
    {
        float p = 0.0f;
        for (float x : v)
            p = std::max(p, std::abs(x));
        return p;
    };
    // Without tables the shaper is a straight line: the output follows the input. At -36 dB out,
    // once the 20 ms ramp is under way, it is more than 20 times smaller.
    std::vector<float> out = runBlocks(host, in, 2);
    EXPECT_GT(peak(out), 0.5f * peak(in));
    host.setParameter(std::string(TELOMA_LV2_URI) + ":OutputGain", -36.0f);
    out = runBlocks(host, in, 4);
    EXPECT_LT(peak(out), 0.05f * peak(in));
    host.setParameter(std::string(TELOMA_LV2_URI) + ":OutputGain", 0.0f);

    // Fully dry after the 20 ms ramp, DC blocker off: the input comes back unchanged.
    host.setParameter(std::string(TELOMA_LV2_URI) + ":DryWet", 0.0f);
    host.setParameter(std::string(TELOMA_LV2_URI) + ":DCBlockerState", 0.0f);
    out = runBlocks(host, in, 4);
    for (uint32_t i = 0; i < block; ++i)
        ASSERT_FLOAT_EQ(out[i], in[i]) << i;
}

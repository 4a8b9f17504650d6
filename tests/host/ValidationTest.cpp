// The checks a strict plug-in validator makes, on the built VST3 and LV2: lifetime, rates and block
// sizes, layouts, automation from another thread, hostile input, state and transport.

#include "../plugin/Fixtures.h"
#include "HostedPlugin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cfloat>
#include <cmath>
#include <thread>

using HostedPlugin::Format;

namespace
{
const char* formatLabel(const ::testing::TestParamInfo<Format>& info)
{
    return HostedPlugin::formatName(info.param);
}

// What one rendered stretch looked like.
struct Check
{
    bool finite = true;
    bool denormal = false;
    float peak = 0.0f;

    void add(const juce::AudioBuffer<float>& b)
    {
        for (int c = 0; c < b.getNumChannels(); ++c)
            for (int i = 0; i < b.getNumSamples(); ++i)
            {
                const float v = b.getSample(c, i);
                finite = finite && std::isfinite(v);
                denormal = denormal || (v != 0.0f && std::abs(v) < FLT_MIN);
                peak = std::max(peak, std::abs(v));
            }
    }

    void merge(const Check& other)
    {
        finite = finite && other.finite;
        denormal = denormal || other.denormal;
        peak = std::max(peak, other.peak);
    }
};

void fillNoise(juce::AudioBuffer<float>& b, juce::Random& random, float gain = 0.5f)
{
    for (int c = 0; c < b.getNumChannels(); ++c)
        for (int i = 0; i < b.getNumSamples(); ++i)
            b.setSample(c, i, gain * (2.0f * random.nextFloat() - 1.0f));
}

Check run(juce::AudioPluginInstance& plugin, int channels, int blockSize, int blocks, juce::Random& random)
{
    Check check;
    juce::AudioBuffer<float> buffer(channels, blockSize);
    juce::MidiBuffer midi;
    for (int b = 0; b < blocks; ++b)
    {
        fillNoise(buffer, random);
        plugin.processBlock(buffer, midi);
        check.add(buffer);
    }
    return check;
}

void set(juce::AudioPluginInstance& plugin, const char* id, float normalised)
{
    if (auto* p = HostedPlugin::findParameter(plugin, id))
        p->setValueNotifyingHost(normalised);
}

// Every modulator on, aimed at the filters and the shaper, both filters in the path, clip on.
void allModulatorsOn(juce::AudioPluginInstance& plugin)
{
    for (const auto& [id, v] : {std::pair{"Lfo1State", 1.0f},
                                {"Lfo2State", 1.0f},
                                {"EnvelopeFollowerState", 1.0f},
                                {"SequencerState", 1.0f},
                                {"Lfo1Destination1", 6.0f / 13.0f},
                                {"Lfo1Amount1", 0.9f},
                                {"Lfo2Destination1", 2.0f / 20.0f},
                                {"Lfo2Amount1", 0.8f},
                                {"EnvelopeFollowerDestination1", 10.0f / 27.0f},
                                {"EnvelopeFollowerAmount1", 0.9f},
                                {"SequencerDestination1", 3.0f / 32.0f},
                                {"SequencerAmount1", 0.8f},
                                {"Filter1State", 0.5f},
                                {"Filter2State", 1.0f},
                                {"InputGain", 0.8f}})
        set(plugin, id, v);
}

class Validation : public ::testing::TestWithParam<Format>
{
protected:
    Validation() { setenv("TELOMA_FACTORY_FOLDER", TELOMA_GENERATED_RESOURCES, 1); }

    std::unique_ptr<juce::AudioPluginInstance> load(double rate = 48000, int block = 512)
    {
        juce::String error;
        auto plugin = HostedPlugin::load(GetParam(), rate, block, error);
        EXPECT_NE(plugin, nullptr) << error;
        return plugin;
    }

    TemporaryFolders folders;
    juce::Random random{1234};
};
} // namespace

TEST_P(Validation, OpensAndClosesFiftyTimesAlsoBesideARunningInstance)
{
    auto running = load();
    ASSERT_NE(running, nullptr);
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    Check check;
    std::thread audio(
        [&]
        {
            juce::Random r(9);
            while (!stop)
            {
                check.merge(run(*running, 2, 256, 1, r));
                ++blocks;
            }
        });
    for (int i = 0; i < 50; ++i)
    {
        auto plugin = load(44100, 256);
        ASSERT_NE(plugin, nullptr);
        if (i % 10 == 0)
            run(*plugin, 2, 256, 2, random);
    }
    stop = true;
    audio.join();
    EXPECT_TRUE(check.finite);
    EXPECT_GT(blocks.load(), 0);
}

TEST_P(Validation, RunsAtEveryRateAndBlockSize)
{
    for (double rate : {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0})
    {
        auto plugin = load(rate, 8192);
        ASSERT_NE(plugin, nullptr);
        allModulatorsOn(*plugin);
        for (int block : {1, 2, 17, 64, 512, 4096, 8192})
        {
            SCOPED_TRACE(juce::String(rate) + " Hz, blocks of " + juce::String(block));
            const Check c =
                run(*plugin, 2, block, std::max(1, static_cast<int>(rate * 0.02) / block), random);
            EXPECT_TRUE(c.finite);
            EXPECT_LE(c.peak, 1.0f);
        }
        // A block size that changes from call to call.
        Check varying;
        juce::MidiBuffer midi;
        for (int b = 0; b < 60; ++b)
        {
            juce::AudioBuffer<float> buffer(2, 1 + random.nextInt(8192));
            fillNoise(buffer, random);
            plugin->processBlock(buffer, midi);
            varying.add(buffer);
        }
        EXPECT_TRUE(varying.finite);
    }

    // prepareToPlay again without releaseResources, then a rate change in the middle of the stream.
    auto plugin = load(48000, 512);
    ASSERT_NE(plugin, nullptr);
    run(*plugin, 2, 512, 4, random);
    plugin->prepareToPlay(48000, 512);
    EXPECT_TRUE(run(*plugin, 2, 512, 4, random).finite);
    plugin->prepareToPlay(96000, 1024);
    const Check after = run(*plugin, 2, 1024, 8, random);
    EXPECT_TRUE(after.finite);
    EXPECT_GT(after.peak, 0.0f);
}

TEST_P(Validation, TakesMonoAndStereoAndRefusesOtherLayouts)
{
    auto plugin = load();
    ASSERT_NE(plugin, nullptr);
    const auto layout = [](juce::AudioChannelSet in, juce::AudioChannelSet out)
    {
        juce::AudioProcessor::BusesLayout l;
        l.inputBuses.add(in);
        l.outputBuses.add(out);
        return l;
    };
    const auto stereo = juce::AudioChannelSet::stereo(), mono = juce::AudioChannelSet::mono();
    EXPECT_TRUE(plugin->checkBusesLayoutSupported(layout(stereo, stereo)));
    EXPECT_FALSE(plugin->setBusesLayout(
        layout(juce::AudioChannelSet::create5point1(), juce::AudioChannelSet::create5point1())));
    EXPECT_FALSE(plugin->setBusesLayout(layout(mono, stereo)));
    if (GetParam() == Format::lv2)
        GTEST_SKIP() << "an LV2 bundle has fixed ports: stereo only";
    plugin->releaseResources();
    ASSERT_TRUE(plugin->setBusesLayout(layout(mono, mono)));
    plugin->prepareToPlay(48000, 512);
    const Check c = run(*plugin, 1, 512, 8, random);
    EXPECT_TRUE(c.finite);
    EXPECT_GT(c.peak, 0.0f);
}

TEST_P(Validation, AutomationFromAnotherThreadKeepsTheOutputClean)
{
    auto plugin = load();
    ASSERT_NE(plugin, nullptr);
    allModulatorsOn(*plugin);
    // The clip and the modulators stay on; every other parameter moves at random.
    const juce::StringArray fixed{"HardClipState", "Lfo1State", "Lfo2State", "EnvelopeFollowerState",
                                  "SequencerState"};
    std::vector<juce::AudioProcessorParameter*> moving;
    for (auto* p : plugin->getParameters())
        if (!fixed.contains(p->getName(100)))
            moving.push_back(p);
    EXPECT_GE(moving.size(), 90u);

    std::atomic<bool> stop{false};
    std::thread automation(
        [&]
        {
            juce::Random r(77);
            while (!stop)
                for (auto* p : moving)
                    p->setValueNotifyingHost(r.nextFloat());
        });
    const Check first = run(*plugin, 2, 512, 1, random); // denormals may only show in the first block
    Check all;
    for (int b = 0; b < 300; ++b)
    {
        all.merge(run(*plugin, 2, 512, 1, random));
    }
    stop = true;
    automation.join();
    EXPECT_TRUE(first.finite);
    EXPECT_TRUE(all.finite);
    EXPECT_FALSE(all.denormal);
    EXPECT_LE(all.peak, 1.0f);
}

TEST_P(Validation, SurvivesHostileInputAndRecovers)
{
    auto plugin = load();
    ASSERT_NE(plugin, nullptr);
    allModulatorsOn(*plugin);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<const char*, std::function<float(int)>>> inputs{
        {"silence", [](int) { return 0.0f; }},
        {"full-scale noise", [this](int) { return 2.0f * random.nextFloat() - 1.0f; }},
        {"DC", [](int) { return 0.7f; }},
        {"impulse", [](int i) { return i == 0 ? 1.0f : 0.0f; }},
        {"+40 dBFS", [this](int) { return 100.0f * (2.0f * random.nextFloat() - 1.0f); }},
        {"NaN burst", [nan](int i) { return i % 7 == 0 ? nan : 0.1f; }},
        {"inf burst", [inf](int i) { return i % 2 == 0 ? inf : -inf; }},
    };
    juce::MidiBuffer midi;
    for (const auto& [name, signal] : inputs)
    {
        SCOPED_TRACE(name);
        juce::AudioBuffer<float> buffer(2, 512);
        for (int b = 0; b < 20; ++b)
        {
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < 512; ++i)
                    buffer.setSample(c, i, signal(b * 512 + i));
            plugin->processBlock(buffer, midi);
        }
        run(*plugin, 2, 512, 20, random); // back to ordinary audio
        const Check after = run(*plugin, 2, 512, 10, random);
        EXPECT_TRUE(after.finite);
        EXPECT_LE(after.peak, 1.0f);
        EXPECT_GT(after.peak, 0.0f) << "recovered";
    }
}

TEST_P(Validation, StateRoundTripsByteForByteAndSurvivesRestoresWhileProcessing)
{
    auto plugin = load();
    ASSERT_NE(plugin, nullptr);
    allModulatorsOn(*plugin);
    set(*plugin, "DryWet", 0.7f);
    run(*plugin, 2, 512, 1, random); // the parameter changes arrive with a block
    juce::MemoryBlock first, second;
    plugin->getStateInformation(first);
    auto fresh = load();
    ASSERT_NE(fresh, nullptr);
    fresh->setStateInformation(first.getData(), static_cast<int>(first.getSize()));
    run(*fresh, 2, 512, 1, random);
    fresh->getStateInformation(second);
    EXPECT_TRUE(first == second) << first.getSize() << " vs " << second.getSize();

    // Restores from the message thread while the audio thread runs.
    std::atomic<bool> stop{false};
    Check during;
    std::thread audio(
        [&]
        {
            juce::Random r(3);
            while (!stop)
            {
                during.merge(run(*fresh, 2, 256, 1, r));
            }
        });
    juce::MemoryBlock defaults;
    load()->getStateInformation(defaults);
    for (int i = 0; i < 40; ++i)
    {
        const auto& blob = i % 2 == 0 ? defaults : first;
        fresh->setStateInformation(blob.getData(), static_cast<int>(blob.getSize()));
        juce::Thread::sleep(2);
    }
    stop = true;
    audio.join();
    EXPECT_TRUE(during.finite);
    EXPECT_LE(during.peak, 1.0f);
}

TEST_P(Validation, FollowsEveryTransport)
{
    struct Transport : juce::AudioPlayHead
    {
        juce::Optional<PositionInfo> getPosition() const override
        {
            PositionInfo info;
            info.setIsPlaying(playing);
            info.setBpm(bpm);
            info.setTimeSignature(TimeSignature{4, 4});
            info.setTimeInSamples(static_cast<int64_t>(ppq / bpm * 60.0 * 48000.0));
            info.setPpqPosition(ppq);
            info.setPpqPositionOfLastBarStart(std::floor(ppq / 4.0) * 4.0);
            info.setIsLooping(looping);
            info.setLoopPoints(LoopPoints{4.0, 8.0});
            return info;
        }
        bool playing = false, looping = false;
        double bpm = 120.0, ppq = 0.0;
    } transport;

    auto plugin = load();
    ASSERT_NE(plugin, nullptr);
    allModulatorsOn(*plugin);
    set(*plugin, "Lfo1SyncMode", 0.5f);
    set(*plugin, "Lfo2SyncMode", 1.0f);
    plugin->setPlayHead(&transport);
    const auto advance = [&](int blocks)
    {
        Check c;
        for (int b = 0; b < blocks; ++b)
        {
            c.merge(run(*plugin, 2, 512, 1, random));
            if (transport.playing)
                transport.ppq += 512.0 / 48000.0 * transport.bpm / 60.0;
            if (transport.looping && transport.ppq >= 8.0)
                transport.ppq = 4.0;
        }
        return c;
    };
    std::vector<std::pair<const char*, std::function<void()>>> steps{
        {"stopped", [&] { transport.playing = false; }},
        {"playing", [&] { transport.playing = true; }},
        {"jump back", [&] { transport.ppq = 1.0; }},
        {"looping", [&] { transport.looping = true; }},
        {"20 BPM", [&] { transport.bpm = 20.0; }},
        {"999 BPM", [&] { transport.bpm = 999.0; }},
        {"no play head", [&] { plugin->setPlayHead(nullptr); }},
    };
    for (const auto& [name, change] : steps)
    {
        SCOPED_TRACE(name);
        change();
        const Check c = advance(40);
        EXPECT_TRUE(c.finite);
        EXPECT_LE(c.peak, 1.0f);
        EXPECT_GT(c.peak, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Validation, ::testing::Values(Format::vst3, Format::lv2), formatLabel);

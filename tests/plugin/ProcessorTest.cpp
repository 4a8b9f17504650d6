#include "Brantor2Processor.h"
#include "TestKernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
juce::RangedAudioParameter& hostParameter(PluginProcessor& p, const char* id)
{
    auto* parameter = p.getTreeState().getParameter(id);
    if (parameter == nullptr)
        throw std::runtime_error(std::string("no parameter ") + id);
    return *parameter;
}

juce::AudioProcessor::BusesLayout layout(juce::AudioChannelSet in, juce::AudioChannelSet out)
{
    juce::AudioProcessor::BusesLayout l;
    l.inputBuses.add(in);
    l.outputBuses.add(out);
    return l;
}

// Records every render call the processor makes into the kernel.
class SpyKernel : public TestKernel
{
public:
    void process(size_t frameCount, size_t bufferOffset, long busIndex) override
    {
        TestKernel::process(frameCount, bufferOffset, busIndex);
        calls.emplace_back(bufferOffset, frameCount);
    }
    std::vector<std::pair<size_t, size_t>> calls; // offset, frames
};

class SpyProcessor : public EffectProcessor
{
public:
    SpyProcessor() : SpyProcessor(new SpyKernel()) {}
    SpyKernel& spy;
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }

private:
    explicit SpyProcessor(SpyKernel* k)
        : EffectProcessor(BusesProperties()
                              .withInput("Input", juce::AudioChannelSet::stereo(), true)
                              .withOutput("Output", juce::AudioChannelSet::stereo(), true),
                          k, new PresetManager("tlprs", {}, "", new PresetParser()), "spy"),
          spy(*k)
    {
    }
};

class FixedPlayHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override { return info; }
    PositionInfo info;
};
} // namespace

TEST(Processor, ReportsWhatTheHostAsks)
{
    Brantor2Processor p;
    EXPECT_EQ(p.getName(), "QUARNE Teloma");
    EXPECT_EQ(p.getTailLengthSeconds(), 0.0);
    EXPECT_FALSE(p.acceptsMidi());
    EXPECT_FALSE(p.producesMidi());
    EXPECT_EQ(p.getNumPrograms(), 1);
    EXPECT_EQ(static_cast<juce::AudioProcessor&>(p).getParameters().size(), 96);
    p.prepareToPlay(44100, 512);
    EXPECT_EQ(p.getLatencySamples(), 0);
}

TEST(Processor, AcceptsOnlyMatchingMonoOrStereoLayouts)
{
    Brantor2Processor p;
    using Set = juce::AudioChannelSet;
    EXPECT_TRUE(p.checkBusesLayoutSupported(layout(Set::stereo(), Set::stereo())));
    EXPECT_TRUE(p.checkBusesLayoutSupported(layout(Set::mono(), Set::mono())));
    EXPECT_FALSE(p.checkBusesLayoutSupported(layout(Set::mono(), Set::stereo())));
    EXPECT_FALSE(p.checkBusesLayoutSupported(layout(Set::stereo(), Set::mono())));
    EXPECT_FALSE(p.checkBusesLayoutSupported(layout(Set::create5point1(), Set::create5point1())));
}

TEST(Processor, HostKnobCurvesMoveInThousandths)
{
    Brantor2Processor p;
    auto& rate = hostParameter(p, "Lfo1FreeRate");
    EXPECT_FLOAT_EQ(rate.getDefaultValue(), 0.291f);
    auto& freq = hostParameter(p, "Filter1Freq");
    EXPECT_FLOAT_EQ(freq.convertTo0to1(440.0f), 0.447f);
    EXPECT_NEAR(freq.convertFrom0to1(0.4474f), freq.convertFrom0to1(0.447f), 1e-3f);
    auto& gain = hostParameter(p, "InputGain");
    EXPECT_FLOAT_EQ(gain.convertFrom0to1(0.25f), 0.0f); // linear: -12 + 0.25 * 48
}

TEST(Processor, HostChangesRampIntoTheKernel)
{
    Brantor2Processor p;
    p.prepareToPlay(44100, 512);
    Brantor2DSPKernel& kernel = p.getProductKernel();
    Parameter* gain = kernel.getProductParameters().findParameter("OutputGain");
    auto& host = hostParameter(p, "OutputGain");

    host.setValueNotifyingHost(host.convertTo0to1(-12.0f));
    EXPECT_FLOAT_EQ(kernel.getParameter(9), -12.0f);
    EXPECT_EQ(gain->value->ramper->getSamplesRemaining(), 881u);

    juce::AudioBuffer<float> buffer(2, 400);
    juce::MidiBuffer midi;
    buffer.clear();
    p.processBlock(buffer, midi);
    host.setValueNotifyingHost(host.convertTo0to1(6.0f)); // a second change mid-ramp
    EXPECT_EQ(gain->value->ramper->getSamplesRemaining(), 881u);
    const float before = kernel.getParameterBuffers()[9][399];
    p.processBlock(buffer, midi);
    const float after = kernel.getParameterBuffers()[9][0];
    EXPECT_LT(std::fabs(after - before), 0.1f); // no jump
    buffer.setSize(2, 481);
    p.processBlock(buffer, midi);
    p.processBlock(buffer, midi);
    EXPECT_FLOAT_EQ(kernel.getParameterBuffers()[9][480], 6.0f);
}

TEST(Processor, NonFiniteHostValuesNeverReachTheKernel)
{
    Brantor2Processor p;
    p.prepareToPlay(48000, 512);
    for (const char* id : {"DryWet", "Filter1Freq", "Lfo1SyncRate", "FoldMode"})
    {
        auto& host = hostParameter(p, id);
        for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
        {
            host.setValueNotifyingHost(bad);
            const float now = p.getProductKernel().getParameter(
                static_cast<size_t>(p.getProductKernel().getProductParameters().findParameter(id)->index));
            EXPECT_TRUE(std::isfinite(now)) << id;
            Parameter* param = p.getProductKernel().getProductParameters().findParameter(id);
            EXPECT_GE(now, param->minimum) << id;
            EXPECT_LE(now, param->maximum) << id;
        }
    }
}

TEST(Processor, SplitsBlocksAtNoteEventsAndAtTheKernelLimit)
{
    SpyProcessor p;
    p.prepareToPlay(48000, 512);
    juce::AudioBuffer<float> buffer(2, 512);
    buffer.clear();
    juce::MidiBuffer midi;
    p.processBlock(buffer, midi);
    ASSERT_EQ(p.spy.calls.size(), 1u);
    EXPECT_EQ(p.spy.calls[0], (std::pair<size_t, size_t>{0, 512}));

    p.spy.calls.clear();
    midi.addEvent(juce::MidiMessage::noteOn(1, 60, 0.5f), 100);
    midi.addEvent(juce::MidiMessage::controllerEvent(1, 7, 20), 300);
    p.processBlock(buffer, midi);
    ASSERT_EQ(p.spy.calls.size(), 2u);
    EXPECT_EQ(p.spy.calls[0], (std::pair<size_t, size_t>{0, 100}));
    EXPECT_EQ(p.spy.calls[1], (std::pair<size_t, size_t>{100, 412}));
    EXPECT_TRUE(midi.isEmpty()); // incoming MIDI is not passed through

    p.spy.calls.clear();
    buffer.setSize(2, 10000);
    midi.clear();
    p.processBlock(buffer, midi);
    ASSERT_EQ(p.spy.calls.size(), 3u);
    EXPECT_EQ(p.spy.calls[2], (std::pair<size_t, size_t>{8192, 1808}));
}

TEST(Processor, LongHostBlocksRenderLikeShortOnes)
{
    juce::AudioBuffer<float> input(2, 10000);
    juce::Random random(5);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 10000; ++i)
            input.setSample(c, i, random.nextFloat() - 0.5f);

    auto render = [&](int block) {
        Brantor2Processor p;
        std::vector<float> table(2048);
        for (size_t i = 0; i < table.size(); ++i)
            table[i] = std::sin(3.0f * (-1.0f + 2.0f * static_cast<float>(i) / 2047.0f));
        p.getProductKernel().loadTableSamples(table.data(), table.size());
        hostParameter(p, "DryWet").setValueNotifyingHost(0.5f);
        hostParameter(p, "Filter1State").setValueNotifyingHost(0.5f); // Pre
        p.prepareToPlay(48000, block);
        juce::AudioBuffer<float> buffer(input);
        for (int start = 0; start < 10000; start += block)
        {
            juce::AudioBuffer<float> piece(buffer.getArrayOfWritePointers(), 2, start, std::min(block, 10000 - start));
            juce::MidiBuffer midi;
            p.processBlock(piece, midi);
        }
        return buffer;
    };
    const auto whole = render(10000);
    const auto pieces = render(1000);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 10000; ++i)
            ASSERT_NEAR(whole.getSample(c, i), pieces.getSample(c, i), 1e-5f) << c << " " << i;
}

TEST(Processor, CopiesTheHostTransport)
{
    SpyProcessor p;
    p.prepareToPlay(48000, 64);
    juce::AudioBuffer<float> buffer(2, 64);
    buffer.clear();
    juce::MidiBuffer midi;
    p.processBlock(buffer, midi); // no play head: the defaults stay
    EXPECT_EQ(p.spy.musicalContext.tempo, 120.0);
    EXPECT_EQ(p.spy.musicalContext.timeSignatureNumerator, 4.0);
    EXPECT_EQ(p.spy.musicalContext.timeSignatureDenominator, 4);

    FixedPlayHead head;
    head.info.setBpm(140.0);
    head.info.setTimeSignature(juce::AudioPlayHead::TimeSignature{3, 8});
    head.info.setPpqPosition(3.5);
    head.info.setIsPlaying(true);
    head.info.setTimeInSamples(4800);
    head.info.setLoopPoints(juce::AudioPlayHead::LoopPoints{1.0, 9.0});
    p.setPlayHead(&head);
    p.processBlock(buffer, midi);
    EXPECT_EQ(p.spy.musicalContext.tempo, 140.0);
    EXPECT_EQ(p.spy.musicalContext.timeSignatureNumerator, 3.0);
    EXPECT_EQ(p.spy.musicalContext.timeSignatureDenominator, 8);
    EXPECT_EQ(p.spy.musicalContext.ppqPosition, 3.5);
    EXPECT_TRUE(p.spy.transportState.isPlaying);
    EXPECT_EQ(p.spy.transportState.samplePosition, 4800.0);
    EXPECT_EQ(p.spy.transportState.loopEnd, 9.0);

    head.info = {}; // a host that gives nothing keeps the last values
    p.processBlock(buffer, midi);
    EXPECT_EQ(p.spy.musicalContext.tempo, 140.0);
    EXPECT_FALSE(p.spy.transportState.isPlaying);
    p.setPlayHead(nullptr);
}

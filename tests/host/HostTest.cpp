#include "../plugin/Fixtures.h"
#include "Brantor2ParameterList.h"
#include "HostedPlugin.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <cmath>

using HostedPlugin::Format;

namespace
{
class Hosted : public ::testing::TestWithParam<Format>
{
protected:
    void SetUp() override
    {
        juce::String error;
        plugin = HostedPlugin::load(GetParam(), sampleRate, blockSize, error);
        ASSERT_NE(plugin, nullptr) << error;
    }

    juce::AudioProcessorParameter& parameter(const char* id)
    {
        auto* p = HostedPlugin::findParameter(*plugin, id);
        if (p == nullptr)
            throw std::runtime_error(std::string("no hosted parameter ") + id);
        return *p;
    }

    // Renders a 440 Hz sine at -6 dBFS through the plug-in and returns the output.
    juce::AudioBuffer<float> render(int frames)
    {
        juce::AudioBuffer<float> buffer(2, frames);
        for (int i = 0; i < frames; ++i)
        {
            const auto v = static_cast<float>(
                0.5 * std::sin(2.0 * juce::MathConstants<double>::pi * 440.0 * (rendered + i) / sampleRate));
            buffer.setSample(0, i, v);
            buffer.setSample(1, i, v);
        }
        for (int start = 0; start < frames; start += blockSize)
        {
            const int n = std::min(blockSize, frames - start);
            juce::AudioBuffer<float> block(buffer.getArrayOfWritePointers(), 2, start, n);
            juce::MidiBuffer midi;
            plugin->processBlock(block, midi);
        }
        rendered += frames;
        return buffer;
    }

    const double sampleRate = 48000.0;
    const int blockSize = 512;
    int rendered = 0;
    std::unique_ptr<juce::AudioPluginInstance> plugin;
};

std::string formatLabel(const ::testing::TestParamInfo<Format>& info)
{
    return HostedPlugin::formatName(info.param);
}
} // namespace

TEST_P(Hosted, ReportsNameLatencyTailAndMidi)
{
    EXPECT_EQ(plugin->getName(), "QUARNE Teloma");
    EXPECT_EQ(plugin->getLatencySamples(), 0);
    EXPECT_EQ(plugin->getTailLengthSeconds(), 0.0);
    EXPECT_FALSE(plugin->acceptsMidi());
    EXPECT_FALSE(plugin->producesMidi());
    EXPECT_EQ(plugin->getTotalNumInputChannels(), 2);
    EXPECT_EQ(plugin->getTotalNumOutputChannels(), 2);
}

TEST_P(Hosted, PublishesEveryParameterWithItsDefault)
{
    Brantor2ParameterList list;
    const auto& expected = list.getProcessingParameters();
    const auto& hosted = plugin->getParameters();
    ASSERT_GE(hosted.size(), static_cast<int>(expected.size()));
    // VST3 keeps our order; LV2 has no parameter order, hosts list its properties by name.
    if (GetParam() == Format::vst3)
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(hosted[static_cast<int>(i)]->getName(100), juce::String(expected[i]->name)) << i;

    for (Parameter* p : expected)
    {
        auto& h = parameter(p->name.c_str());
        if (p->unit == OnOff)
            continue;
        if (GetParam() == Format::lv2)
        {
            // LV2 properties carry plain numbers: the default comes back as its value.
            EXPECT_NEAR(h.getText(h.getDefaultValue(), 100).getFloatValue(), p->defaultValue,
                        0.002f * (p->maximum - p->minimum))
                << p->name;
        }
        // Knob curves are seen in steps of 0.001, so their defaults are checked on the curve itself.
        else if (p->toValue == nullptr)
        {
            EXPECT_EQ(h.getText(h.getDefaultValue(), 100), juce::String(p->stringFromValue(p->defaultValue)))
                << p->name;
        }
    }
    // Anything beyond our parameters belongs to the format (its bypass switch).
    EXPECT_LE(hosted.size(), static_cast<int>(expected.size()) + 1);
}

TEST_P(Hosted, ShowsTheValueTexts)
{
    if (GetParam() == Format::lv2)
        GTEST_SKIP() << "LV2 properties carry numbers, not texts";
    const std::pair<const char*, const char*> texts[] = {
        {"InputGain", "0dB"},           {"DryWet", "100%"},
        {"Filter1Freq", "40Hz"},        {"Filter1Res", "-3dB"},
        {"Lfo1SyncRate", "1/2"},        {"Filter1State", "Off"},
        {"Filter2Type", "LowPass"},     {"Lfo1TimeShape", ".00"},
        {"SequencerResolution", "1/4"}, {"EnvelopeFollowerAttack", "20ms"},
        {"Lfo1Destination1", "None"},   {"SequencerStep03Value", "0.5"}};
    for (const auto& [id, text] : texts)
    {
        auto& p = parameter(id);
        EXPECT_EQ(p.getText(p.getValue(), 100), text) << id;
    }
}

TEST_P(Hosted, KnobCurvesInStepsOfAThousandth)
{
    if (GetParam() == Format::lv2)
        GTEST_SKIP() << "LV2 hosts map properties linearly";
    auto& rate = parameter("Lfo1FreeRate");
    EXPECT_NEAR(rate.getDefaultValue(), 0.291f, 1e-6f);
    auto& freq = parameter("Filter1Freq");
    freq.setValueNotifyingHost(0.447f);
    EXPECT_NEAR(freq.getValue(), 0.447f, 1e-6f);
    EXPECT_EQ(freq.getText(freq.getValue(), 100), "439Hz"); // 0.447 on the pitch curve
}

TEST_P(Hosted, ProcessesAudio)
{
    const auto out = render(4 * blockSize);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < out.getNumSamples(); ++i)
            ASSERT_TRUE(std::isfinite(out.getSample(c, i)));
}

INSTANTIATE_TEST_SUITE_P(Formats, Hosted, ::testing::Values(Format::vst3, Format::lv2), formatLabel);

namespace
{
// Renders a fixed stereo signal through a hosted instance.
std::vector<float> renderFixed(juce::AudioPluginInstance& plugin, int blocks)
{
    std::vector<float> out;
    juce::AudioBuffer<float> buffer(2, 512);
    uint32_t noise = 7;
    for (int b = 0; b < blocks; ++b)
    {
        for (int i = 0; i < 512; ++i)
        {
            noise = noise * 1664525u + 1013904223u;
            const float v = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
            buffer.setSample(0, i, v);
            buffer.setSample(1, i, -v);
        }
        juce::MidiBuffer midi;
        plugin.processBlock(buffer, midi);
        out.insert(out.end(), buffer.getReadPointer(0), buffer.getReadPointer(0) + 512);
    }
    return out;
}

class HostedState : public ::testing::TestWithParam<Format>
{
protected:
    // The plug-in reads its factory tables from the folder the environment names.
    HostedState()
    {
        writeTable(folders.factoryTable("Basics", "Soft Clip 1"), 2048, softClip);
        writeTable(folders.factoryTable("Noisy", "Fold"), 4096,
                   [](float x, size_t f) { return std::sin((2.0f + 3.0f * static_cast<float>(f)) * x); });
    }

    TemporaryFolders folders;
};
} // namespace

TEST_P(HostedState, RestoresIntoAFreshInstanceWithIdenticalOutput)
{
    juce::String error;
    auto first = HostedPlugin::load(GetParam(), 48000, 512, error);
    ASSERT_NE(first, nullptr) << error;
    EXPECT_FALSE(renderFixed(*first, 2) == std::vector<float>(1024, 0.0f)); // the factory table was found
    // Normalised host values: +12 dB drive, filter 1 Pre near 300 Hz, fold 35 %, mix 80 %.
    for (const auto& [id, normalised] : {std::pair{"InputGain", 0.5f},
                                         {"Filter1State", 0.5f},
                                         {"Filter1Freq", 0.225f},
                                         {"WaveshaperFold", 0.675f},
                                         {"DryWet", 0.8f}})
    {
        auto* p = HostedPlugin::findParameter(*first, id);
        ASSERT_NE(p, nullptr) << id;
        p->setValueNotifyingHost(normalised);
    }
    renderFixed(*first, 1); // LV2 hosts deliver parameter changes with the next block
    juce::MemoryBlock state;
    first->getStateInformation(state);

    auto second = HostedPlugin::load(GetParam(), 48000, 512, error);
    ASSERT_NE(second, nullptr) << error;
    second->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    // The restored instance ramps to its values over 20 ms; let the DC blocker forget that
    // transient (a time constant of 1000 samples) before comparing.
    renderFixed(*first, 100);
    renderFixed(*second, 100);
    const auto a = renderFixed(*first, 8), b = renderFixed(*second, 8);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        ASSERT_NEAR(a[i], b[i], 1e-3f) << i; // see the note: a small residual difference remains on VST3
    EXPECT_NE(a, renderFixed(*HostedPlugin::load(GetParam(), 48000, 512, error), 8)); // not just the defaults
}

INSTANTIATE_TEST_SUITE_P(Formats, HostedState, ::testing::Values(Format::vst3, Format::lv2), formatLabel);

namespace
{
juce::AudioBuffer<float> noiseClip(int frames)
{
    juce::AudioBuffer<float> clip(2, frames);
    uint32_t noise = 11;
    for (int i = 0; i < frames; ++i)
    {
        noise = noise * 1664525u + 1013904223u;
        const float v = 0.5f * (static_cast<float>(noise >> 8) / 16777216.0f - 0.5f);
        clip.setSample(0, i, v);
        clip.setSample(1, i, 0.5f * v);
    }
    return clip;
}

// What the renderer's transport reports: playing from the start at 120 BPM in 4/4.
class PlayingAt120 : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setIsPlaying(true);
        info.setBpm(120.0);
        info.setTimeSignature(TimeSignature{4, 4});
        info.setTimeInSamples(position);
        info.setTimeInSeconds(static_cast<double>(position) / 48000.0);
        const double quarters = static_cast<double>(position) / 48000.0 * 2.0;
        info.setPpqPosition(quarters);
        info.setPpqPositionOfLastBarStart(std::floor(quarters / 4.0) * 4.0);
        return info;
    }
    int64_t position = 0;
};

bool writeFloatWav(const juce::File& file, const juce::AudioBuffer<float>& audio)
{
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer(
        wav.createWriterFor(new juce::FileOutputStream(file), 48000, 2, 32, {}, 0));
    return writer != nullptr && writer->writeFromAudioSampleBuffer(audio, 0, audio.getNumSamples());
}

juce::AudioBuffer<float> readWav(const juce::File& file)
{
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader(
        wav.createReaderFor(file.createInputStream().release(), true));
    juce::AudioBuffer<float> audio(2, reader != nullptr ? static_cast<int>(reader->lengthInSamples) : 0);
    if (reader != nullptr)
        reader->read(&audio, 0, audio.getNumSamples(), 0, true, true);
    return audio;
}
} // namespace

TEST(HostedRenderer, RendersAStateSavedByTheVst3AsTheVst3Does)
{
    TemporaryFolders folders;
    setenv("TELOMA_FACTORY_FOLDER", TELOMA_GENERATED_RESOURCES, 1);
    juce::String error;
    auto saving = HostedPlugin::load(Format::vst3, 48000, 512, error);
    ASSERT_NE(saving, nullptr) << error;
    for (const auto& [id, normalised] : {std::pair{"InputGain", 0.6f},
                                         {"Filter2State", 1.0f},
                                         {"Filter2Freq", 0.6f},
                                         {"WaveshaperPosition", 0.4f},
                                         {"Lfo1State", 1.0f},
                                         {"Lfo1SyncMode", 0.5f},
                                         {"Lfo1Destination1", 0.3f},
                                         {"Lfo1Amount1", 0.8f}})
    {
        auto* p = HostedPlugin::findParameter(*saving, id);
        ASSERT_NE(p, nullptr) << id;
        p->setValueNotifyingHost(normalised);
    }
    juce::MemoryBlock state;
    renderFixed(*saving, 1); // the hosted VST3 takes parameter changes with the next block
    saving->getStateInformation(state);
    {
        // The host keeps the VST3's component state, the plug-in's own blob, in base64.
        const auto host =
            juce::AudioProcessor::getXmlFromBinary(state.getData(), static_cast<int>(state.getSize()));
        ASSERT_NE(host, nullptr);
        juce::MemoryBlock component;
        ASSERT_TRUE(component.fromBase64Encoding(host->getChildElementAllSubText("IComponent", {}).trim()));
        const auto own = juce::AudioProcessor::getXmlFromBinary(component.getData(),
                                                                static_cast<int>(component.getSize()));
        ASSERT_NE(own, nullptr);
        const auto* lfo = own->getChildByAttribute("id", "Lfo1State");
        ASSERT_NE(lfo, nullptr);
        EXPECT_EQ(lfo->getDoubleAttribute("value"), 1.0) << "the settings reached the state";
    }
    const juce::File stateFile = folders.root.getChildFile("vst3.state");
    ASSERT_TRUE(stateFile.replaceWithData(state.getData(), state.getSize()));

    // The VST3 renders the clip after restoring the state, as a DAW opening the project does.
    const juce::AudioBuffer<float> clip = noiseClip(48000);
    auto playing = HostedPlugin::load(Format::vst3, 48000, 512, error);
    ASSERT_NE(playing, nullptr) << error;
    PlayingAt120 transport;
    playing->setPlayHead(&transport);
    playing->releaseResources();
    playing->setStateInformation(state.getData(), static_cast<int>(state.getSize()));
    playing->prepareToPlay(48000, 512);
    juce::AudioBuffer<float> expected(clip);
    for (int start = 0; start < expected.getNumSamples(); start += 512)
    {
        juce::AudioBuffer<float> block(expected.getArrayOfWritePointers(), 2, start,
                                       std::min(512, expected.getNumSamples() - start));
        juce::MidiBuffer midi;
        playing->processBlock(block, midi);
        transport.position += block.getNumSamples();
    }

    const juce::File in = folders.root.getChildFile("in.wav"), out = folders.root.getChildFile("out.wav");
    ASSERT_TRUE(writeFloatWav(in, clip));
    juce::ChildProcess teloma;
    ASSERT_TRUE(
        teloma.start(juce::StringArray{TELOMA_CLI, "render", in.getFullPathName(), out.getFullPathName(),
                                       "--state", stateFile.getFullPathName(), "--block", "512"}));
    const juce::String log = teloma.readAllProcessOutput();
    ASSERT_EQ(teloma.getExitCode(), 0u) << log;

    const juce::AudioBuffer<float> rendered = readWav(out);
    ASSERT_EQ(rendered.getNumSamples(), expected.getNumSamples());
    // Both start from the restored values, but the hosted VST3 takes them through its own parameter
    // sync at the start: compare once the first half second's smoothing has settled.
    float worst = 0.0f;
    for (int c = 0; c < 2; ++c)
        for (int i = 24000; i < rendered.getNumSamples(); ++i)
            worst = std::max(worst, std::abs(rendered.getSample(c, i) - expected.getSample(c, i)));
    EXPECT_EQ(worst, 0.0f);
    EXPECT_GT(rendered.getMagnitude(0, rendered.getNumSamples()), 0.01f);
}

#include "Brantor2Processor.h"
#include "DemoClip.h"
#include "Fixtures.h"
#include "OfflineRender.h"
#include "Processors/ParameterText.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

namespace
{
struct CliRun
{
    int exitCode = -1;
    juce::String output;
};

CliRun teloma(const juce::StringArray& arguments)
{
    juce::StringArray command{TELOMA_CLI};
    command.addArray(arguments);
    juce::ChildProcess process;
    CliRun run;
    if (!process.start(command, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
        return run;
    run.output = process.readAllProcessOutput();
    process.waitForProcessToFinish(60000);
    run.exitCode = static_cast<int>(process.getExitCode());
    return run;
}

void writeWav(const juce::File& file, const juce::AudioBuffer<float>& audio, double rate, int bits = 32)
{
    file.deleteFile();
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer(
        wav.createWriterFor(new juce::FileOutputStream(file), rate,
                            static_cast<unsigned int>(audio.getNumChannels()), bits, {}, 0));
    ASSERT_NE(writer, nullptr);
    writer->writeFromAudioSampleBuffer(audio, 0, audio.getNumSamples());
}

juce::AudioBuffer<float> readWav(const juce::File& file)
{
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader(
        wav.createReaderFor(file.createInputStream().release(), true));
    if (reader == nullptr)
        return {};
    juce::AudioBuffer<float> audio(static_cast<int>(reader->numChannels),
                                   static_cast<int>(reader->lengthInSamples));
    reader->read(&audio, 0, audio.getNumSamples(), 0, true, true);
    return audio;
}

// Factory tables from the build, temporary user folders.
struct RendererFolders : TemporaryFolders
{
    RendererFolders() { setenv("TELOMA_FACTORY_FOLDER", TELOMA_GENERATED_RESOURCES, 1); }
};
} // namespace

TEST(Renderer, WritesWhatTheProcessorRendersInProcess)
{
    RendererFolders folders;
    const juce::AudioBuffer<float> stereo = DemoClip::make(44100.0, 1.5);
    juce::AudioBuffer<float> mono(1, stereo.getNumSamples());
    mono.copyFrom(0, 0, stereo, 0, 0, stereo.getNumSamples());

    struct Case
    {
        const juce::AudioBuffer<float>* input;
        int bits;
    };
    for (const Case& c : {Case{&stereo, 32}, Case{&mono, 32}, Case{&stereo, 16}})
    {
        SCOPED_TRACE(juce::String(c.input->getNumChannels()) + " channels, " + juce::String(c.bits) +
                     " bits");
        const juce::File in = folders.root.getChildFile("in.wav"), out = folders.root.getChildFile("out.wav");
        writeWav(in, *c.input, 44100.0);
        const CliRun run = teloma(
            {"render", in.getFullPathName(), out.getFullPathName(), "--preset", "wub wub wub", "--table",
             "Spectral/Sine Fold", "--set", "Filter1State=Pre", "--set", "Filter1Freq=440", "--set",
             "Lfo1SyncRate=1/16", "--tempo", "100", "--block", "300", "--bits", juce::String(c.bits)});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_TRUE(run.output.contains("realtime")) << run.output;

        Brantor2Processor processor;
        ASSERT_TRUE(processor.getPresetManager().setPreset("WUB WUB WUB", true));
        processor.getProductPresetManager().loadTableNamed("Sine Fold", "Spectral");
        auto& list = *processor.getProductKernel().getParameters();
        for (const auto& [id, value] :
             {std::pair{"Filter1State", "Pre"}, {"Filter1Freq", "440"}, {"Lfo1SyncRate", "1/16"}})
            ASSERT_EQ(ParameterText::set(processor.getTreeState(), list, id, value), "");
        juce::AudioBuffer<float> expected(*c.input);
        ASSERT_TRUE(OfflineRender::render(processor, expected, {44100.0, 300, 100.0}));

        const juce::AudioBuffer<float> written = readWav(out);
        ASSERT_EQ(written.getNumChannels(), expected.getNumChannels());
        ASSERT_EQ(written.getNumSamples(), expected.getNumSamples());
        const float tolerance = c.bits == 32 ? 0.0f : 1.0f / 32767.0f;
        float worst = 0.0f;
        for (int ch = 0; ch < written.getNumChannels(); ++ch)
            for (int i = 0; i < written.getNumSamples(); ++i)
                worst = std::max(worst, std::abs(written.getSample(ch, i) - expected.getSample(ch, i)));
        EXPECT_LE(worst, tolerance);
    }
}

TEST(Renderer, RefusesBadInputWithAReasonAndWritesNothing)
{
    RendererFolders folders;
    const juce::File good = folders.root.getChildFile("good.wav");
    writeWav(good, DemoClip::make(48000.0, 0.2), 48000.0);
    const juce::File text = folders.root.getChildFile("text.wav");
    text.replaceWithText("not audio");
    juce::AudioBuffer<float> three(3, 4800);
    three.clear();
    const juce::File surround = folders.root.getChildFile("three.wav");
    writeWav(surround, three, 48000.0);
    const juce::String in = good.getFullPathName();
    const juce::File out = folders.root.getChildFile("out.wav");
    const juce::String o = out.getFullPathName();

    struct Case
    {
        juce::StringArray arguments;
        const char* message;
        int exitCode;
    };
    const std::vector<Case> cases{
        {{"render", folders.root.getChildFile("missing.wav").getFullPathName(), o}, "no such input file", 1},
        {{"render", text.getFullPathName(), o}, "not a WAV, AIFF or FLAC file", 1},
        {{"render", surround.getFullPathName(), o}, "only mono and stereo", 1},
        {{"render", in, o, "--preset", "WUB WUB"}, "did you mean WUB WUB WUB", 1},
        {{"render", in, o, "--table", "Basics/Soft Clip 3"}, "did you mean Basics/Soft Clip 1", 1},
        {{"render", in, o, "--set", "Filter1Frq=440"}, "did you mean Filter1Freq", 1},
        {{"render", in, o, "--set", "Filter1Freq=1e6"}, "outside 20 .. 20000", 1},
        {{"render", in, o, "--set", "InputGain=loud"}, "is not a number", 1},
        {{"render", in, o, "--set", "Filter1State=Sideways"}, "is not one of: Off, Pre, Post", 1},
        {{"render", in, o, "--set", "InputGain"}, "takes ID=VALUE", 2},
        {{"render", in, o, "--state", folders.root.getChildFile("none.state").getFullPathName()},
         "cannot read state",
         1},
        {{"render", in, o, "--state", in}, "not a saved state", 1},
        {{"render", in, o, "--bits", "20"}, "16, 24 or 32", 2},
        {{"render", in, o, "--tempo", "fast"}, "--tempo takes a number", 2},
        {{"render", in, o, "--loud", "1"}, "unknown option --loud", 2},
        {{"render", in}, "missing output file", 2},
        {{"render", in, folders.root.getChildFile("no/such/folder/out.wav").getFullPathName()},
         "no such folder",
         1},
        {{"render", in, folders.root.getFullPathName()}, "it is a folder", 1},
        {{"frobnicate"}, "usage: teloma", 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.arguments.joinIntoString(" "));
        const CliRun run = teloma(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.output.contains(c.message)) << run.output;
        EXPECT_FALSE(out.exists());
        EXPECT_EQ(folders.root.findChildFiles(juce::File::findFiles, false, "*.tmp*").size(), 0);
    }
}

TEST(Renderer, ListsPresetsTablesAndParameters)
{
    RendererFolders folders;
    const CliRun presets = teloma({"presets", "--category", "sequence"});
    EXPECT_EQ(presets.exitCode, 0);
    for (const char* name : {"FACTORY/DISTO RYTHM", "FACTORY/NOISY STEP", "FACTORY/RYTHMIC FILTER"})
        EXPECT_TRUE(presets.output.contains(name)) << presets.output;
    EXPECT_FALSE(presets.output.contains("BELL BOOM"));
    EXPECT_TRUE(teloma({"presets", "--search", "kick"}).output.contains("RUMBLE KICK 2"));

    const CliRun tables = teloma({"tables"});
    EXPECT_TRUE(tables.output.contains("Basics/Soft Clip 1")) << tables.output;
    EXPECT_TRUE(tables.output.contains("Vocal/Vowels"));

    const CliRun params = teloma({"params"});
    EXPECT_TRUE(params.output.contains("Filter1Freq")) << params.output;
    EXPECT_TRUE(params.output.contains("20 .. 20000 Hz"));
    EXPECT_TRUE(params.output.contains("(Off, Pre, Post)"));
    int lines = 0;
    for (const auto& line : juce::StringArray::fromLines(params.output))
        lines += line.containsOnly(" ") || line == "finished checking categories" ? 0 : 1;
    EXPECT_EQ(lines, 96);
}

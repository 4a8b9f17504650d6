#include "../common/FullPatch.h"
#include "../plugin/Fixtures.h"
#include "AudioThreadWatch.h"
#include "Brantor2Processor.h"
#include "OfflineRender.h"

#include <gtest/gtest.h>

#include <mutex>

namespace
{
void setHost(PluginProcessor& p, const char* id, float value)
{
    auto* parameter = p.getTreeState().getParameter(id);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}
} // namespace

TEST(AudioThreadWatch, SeesAllocationsLocksAndSystemCalls)
{
    std::mutex m;
    static int* volatile kept = nullptr; // volatile: the compiler may not drop the allocation
    AudioThreadWatch::begin();
    kept = new int(3);
    const auto allocated = AudioThreadWatch::end();
    delete kept;
    AudioThreadWatch::begin();
    {
        const std::lock_guard<std::mutex> held(m);
    }
    const auto locked = AudioThreadWatch::end();
    AudioThreadWatch::begin();
    juce::Thread::sleep(1);
    const auto slept = AudioThreadWatch::end();

    EXPECT_EQ(allocated.allocations, 1);
    EXPECT_EQ(allocated.first, "operator new");
    EXPECT_EQ(locked.locks, 1);
    EXPECT_GE(slept.systemCalls, 1);
}

// After prepareToPlay, a block allocates nothing, takes no lock and calls nothing in the system:
// all four modulators on, both filters moving, automation arriving, the editor flag set.
TEST(Realtime, ProcessBlockNeverAllocatesLocksOrCallsTheSystem)
{
    TemporaryFolders folders;
    setenv("TELOMA_FACTORY_FOLDER", TELOMA_GENERATED_RESOURCES, 1);
    Brantor2Processor processor;
    ASSERT_TRUE(FullPatch::apply(processor));
    setHost(processor, "Lfo1SyncMode", 1.0f);
    processor.getKernel().editorOpen = true;

    OfflineRender::PlayingTransport transport(48000.0, 128.0);
    processor.setPlayHead(&transport);
    processor.prepareToPlay(48000.0, 512);
    processor.getPresetManager().handlePendingWork();

    juce::AudioBuffer<float> buffer(2, 512);
    juce::MidiBuffer midi;
    auto* cutoff = processor.getTreeState().getParameter("Filter1Freq");
    auto* drive = processor.getTreeState().getParameter("InputGain");
    juce::Random random(5);
    AudioThreadWatch::Counts worst;
    for (int block = 0; block < 400; ++block)
    {
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 512; ++i)
                buffer.setSample(c, i, random.nextFloat() - 0.5f);
        const int frames = 1 + (block * 97) % 512; // the host's block size varies
        juce::AudioBuffer<float> part(buffer.getArrayOfWritePointers(), 2, 0, frames);

        AudioThreadWatch::begin();
        cutoff->setValue(random.nextFloat()); // automation from the host, on the audio thread
        drive->setValue(random.nextFloat());
        processor.processBlock(part, midi);
        const auto counts = AudioThreadWatch::end();
        transport.position += frames;

        if (counts.allocations + counts.locks + counts.systemCalls > 0 && worst.first.empty())
            worst = counts;
    }
    EXPECT_EQ(worst.allocations, 0) << worst.first;
    EXPECT_EQ(worst.locks, 0) << worst.first;
    EXPECT_EQ(worst.systemCalls, 0) << worst.first;
    processor.setPlayHead(nullptr);
}

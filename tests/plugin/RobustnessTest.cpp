// States restored by the thousand, threads that race the audio thread, and instances that come and
// go: the plug-in must neither crash nor leak nor take a wrong value.

#include "Brantor2Processor.h"
#include "Fixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <malloc.h>
#include <thread>

namespace
{
// Factory tables from the build, temporary user folders.
struct FactoryFolders : TemporaryFolders
{
    FactoryFolders() { setenv("TELOMA_FACTORY_FOLDER", TELOMA_GENERATED_RESOURCES, 1); }
};

// The host's view of the parameters (the processor's own getParameters gives the kernel's list).
const juce::Array<juce::AudioProcessorParameter*>& hostParameters(juce::AudioProcessor& p)
{
    return p.getParameters();
}

juce::MemoryBlock stateOf(juce::AudioProcessor& p)
{
    juce::MemoryBlock blob;
    p.getStateInformation(blob);
    return blob;
}

void restore(juce::AudioProcessor& p, const juce::MemoryBlock& blob)
{
    p.setStateInformation(blob.getData(), static_cast<int>(blob.getSize()));
}

// True when every host parameter holds a finite value inside its range.
bool allInRange(Brantor2Processor& p)
{
    for (auto* parameter : hostParameters(p))
    {
        const float v = parameter->getValue();
        if (!std::isfinite(v) || v < 0.0f || v > 1.0f)
            return false;
    }
    return true;
}

// Runs the audio thread's side: blocks of noise until told to stop; false if anything was not finite.
class AudioThread
{
public:
    explicit AudioThread(juce::AudioProcessor& p) : processor(p)
    {
        processor.prepareToPlay(48000, 256);
        thread = std::thread(
            [this]
            {
                juce::AudioBuffer<float> buffer(2, 256);
                juce::MidiBuffer midi;
                juce::Random random(17);
                while (!stop)
                {
                    for (int c = 0; c < 2; ++c)
                        for (int i = 0; i < 256; ++i)
                            buffer.setSample(c, i, random.nextFloat() - 0.5f);
                    processor.processBlock(buffer, midi);
                    for (int c = 0; c < 2; ++c)
                        for (int i = 0; i < 256; ++i)
                            clean = clean && std::isfinite(buffer.getSample(c, i)) &&
                                    std::abs(buffer.getSample(c, i)) <= 1.0f;
                    ++blocks;
                }
            });
    }
    bool finish()
    {
        stop = true;
        thread.join();
        return clean && blocks > 0;
    }

private:
    juce::AudioProcessor& processor;
    std::thread thread;
    std::atomic<bool> stop{false};
    bool clean = true;
    std::atomic<int> blocks{0};
};
} // namespace

TEST(StateFuzz, ThousandRandomStatesRoundTripExactly)
{
    FactoryFolders folders;
    Brantor2Processor source, target;
    juce::Random random(2024);
    const int tables = static_cast<int>(source.getProductKernel().tableList.size());
    for (int n = 0; n < 1000; ++n)
    {
        for (auto* p : hostParameters(source))
            p->setValueNotifyingHost(random.nextFloat());
        if (n % 10 == 0)
            source.getProductPresetManager().loadTable(random.nextInt(tables));
        source.getCurrentTreeState();
        const juce::MemoryBlock blob = stateOf(source);
        restore(target, blob);
        ASSERT_TRUE(stateOf(target) == blob) << "state " << n;
    }
}

TEST(StateFuzz, ThousandCorruptedStatesNeverCrashAndBrokenOnesChangeNothing)
{
    FactoryFolders folders;
    Brantor2Processor p;
    p.getTreeState().getParameter("DryWet")->setValueNotifyingHost(0.4f);
    p.getCurrentTreeState();
    const juce::MemoryBlock good = stateOf(p);
    const juce::String xml =
        juce::AudioProcessor::getXmlFromBinary(good.getData(), static_cast<int>(good.getSize()))->toString();
    juce::Random random(99);
    int unreadable = 0;
    for (int n = 0; n < 1000; ++n)
    {
        juce::MemoryBlock bad(good);
        bool mustChangeNothing = true;
        switch (n % 4)
        {
        case 0: // truncated
            bad.setSize(static_cast<size_t>(random.nextInt(static_cast<int>(good.getSize()))));
            break;
        case 1: // bit flips: may still read as a valid state, which must then hold legal values
            for (int k = 0; k < 1 + random.nextInt(8); ++k)
            {
                const int at = random.nextInt(static_cast<int>(bad.getSize()));
                bad[at] = static_cast<char>(bad[at] ^ (1 << random.nextInt(8)));
            }
            mustChangeNothing = false;
            break;
        case 2: // wrong root
            p.copyXmlToBinary(
                *juce::parseXML(
                    xml.replace("<Parameters", "<Parametres").replace("</Parameters>", "</Parametres>")),
                bad);
            break;
        default: // huge, tiny and non-numeric values: a valid state, values kept in range
        {
            auto tree = juce::parseXML(xml);
            for (auto* child : tree->getChildIterator())
                child->setAttribute(
                    "value", juce::StringArray{"1e39", "-1e300", "nan", "inf", "-inf", "9e9999",
                                               juce::String::repeatedString("7", 5000)}[random.nextInt(7)]);
            p.copyXmlToBinary(*tree, bad);
            mustChangeNothing = false;
        }
        }
        restore(p, bad);
        ASSERT_TRUE(allInRange(p)) << n;
        if (mustChangeNothing)
        {
            ASSERT_TRUE(stateOf(p) == good) << n;
            ++unreadable;
        }
        restore(p, good);
    }
    EXPECT_EQ(unreadable, 500);
}

TEST(Concurrency, ParametersFromSeveralThreadsWhileProcessing)
{
    FactoryFolders folders;
    Brantor2Processor p;
    AudioThread audio(p);
    std::vector<std::thread> writers;
    for (int t = 0; t < 3; ++t)
        writers.emplace_back(
            [&p, t]
            {
                juce::Random random(t);
                for (int n = 0; n < 3000; ++n)
                    if (auto* parameter = hostParameters(p)[random.nextInt(hostParameters(p).size())];
                        parameter->getName(100) != "HardClipState")
                        parameter->setValueNotifyingHost(random.nextFloat());
            });
    for (auto& w : writers)
        w.join();
    EXPECT_TRUE(audio.finish());
}

TEST(Concurrency, PresetAndTableLoadsWhileProcessing)
{
    FactoryFolders folders;
    Brantor2Processor p;
    AudioThread audio(p);
    auto& manager = p.getProductPresetManager();
    const int tables = manager.getTableCount();
    juce::Random random(5);
    for (int n = 0; n < 60; ++n)
    {
        const auto& presets = manager.getPresets();
        manager.setPreset(
            presets[static_cast<size_t>(random.nextInt(static_cast<int>(presets.size())))].get());
        manager.loadTable(random.nextInt(tables));
        p.getTreeState().getParameter("HardClipState")->setValueNotifyingHost(1.0f);
        juce::Thread::sleep(1);
    }
    EXPECT_TRUE(audio.finish());
}

TEST(Concurrency, FavouritesWrittenByTwoInstances)
{
    FactoryFolders folders;
    Brantor2Processor first, second;
    const juce::String a = "FACTORY/BELL BOOM\n", b = "FACTORY/FOLD\nFACTORY/HARD\n";
    std::thread one(
        [&]
        {
            for (int n = 0; n < 100; ++n)
                first.saveFavoritePresets(a);
        });
    std::thread two(
        [&]
        {
            for (int n = 0; n < 100; ++n)
                second.saveFavoritePresets(b);
        });
    one.join();
    two.join();
    Brantor2Processor reader;
    const juce::String text = reader.getAppProperties().retrieveFavoritePresets();
    EXPECT_TRUE(text == a || text == b) << text;
}

TEST(Lifetime, AHundredInstancesComeAndGo)
{
    FactoryFolders folders;
    const auto lifetime = []
    {
        Brantor2Processor p;
        p.prepareToPlay(48000, 128);
        juce::AudioBuffer<float> buffer(2, 128);
        buffer.clear();
        juce::MidiBuffer midi;
        p.processBlock(buffer, midi);
    };
    lifetime(); // first-use allocations of JUCE and the C++ runtime
    const size_t before = mallinfo2().uordblks;
    for (int n = 0; n < 100; ++n)
        lifetime();
    // An instance holds more than 4 MiB of table buffers: a leaked one would show at once. In the
    // sanitizer run LeakSanitizer checks every byte as well.
    EXPECT_LT(mallinfo2().uordblks, before + (1u << 20));
}

// Found by fuzzing: JUCE's XML and token readers run past the end of text with broken UTF-8.
TEST(StateFuzz, BrokenTextIsRefusedBeforeAnyParserSeesIt)
{
    FactoryFolders folders;
    Brantor2Processor p;
    p.getTreeState().getParameter("DryWet")->setValueNotifyingHost(0.4f);
    p.getCurrentTreeState();
    const juce::MemoryBlock good = stateOf(p);

    const char broken[] = "<Parameters><PARAM id=\"DryWet\" value=\"5\"/>\xf0\x9f</Parameters>";
    juce::MemoryBlock blob;
    blob.append("VC2!", 4);
    const uint32_t length = sizeof(broken) - 1;
    blob.append(&length, 4);
    blob.append(broken, length);
    restore(p, blob);
    EXPECT_TRUE(stateOf(p) == good);

    const juce::File presetFile = folders.user().getChildFile("Presets").getChildFile("Broken.tlprs");
    presetFile.getParentDirectory().createDirectory();
    const char brokenPreset[] = "<plist><dict><key>DryWet</key><real>5</real>\xc3</dict></plist>";
    presetFile.replaceWithData(brokenPreset, sizeof(brokenPreset) - 1);
    Brantor2Processor reader;
    auto& manager = reader.getPresetManager();
    ASSERT_TRUE(manager.setPreset("BROKEN", true));
    auto* dryWet = reader.getTreeState().getParameter("DryWet");
    EXPECT_EQ(dryWet->convertFrom0to1(dryWet->getValue()), 100.0f) << "read as an empty preset: defaults";

    // Found by fuzzing too: JUCE's XML reader never returns from a processing instruction after the
    // declaration; such a file reads as no preset.
    presetFile.replaceWithText(
        "<?xml version=\"1.0\"?><plist><dict><key>DryWet</key> 0 <?x?> a <real>5</real>"
        "</dict></plist>");
    ASSERT_TRUE(manager.setPreset("DEFAULT", true));
    ASSERT_TRUE(manager.setPreset("BROKEN", true));
    EXPECT_EQ(dryWet->convertFrom0to1(dryWet->getValue()), 100.0f);

    // Favourites text with broken bytes leaves the favourites as they were.
    manager.retrieveFavoritePresets("FACTORY/FOLD\n");
    manager.retrieveFavoritePresets(juce::String::fromUTF8("F\x8a\x8a/\xff\x52", 6));
    bool foldIsFavourite = false;
    for (const auto& preset : manager.getPresets())
        foldIsFavourite = foldIsFavourite || (preset->name == "FOLD" && preset->favourite);
    EXPECT_TRUE(foldIsFavourite);
}

#include "BinaryData.h"
#include "Brantor2Processor.h"
#include "DemoClip.h"
#include "FactoryPresetWriter.h"
#include "Fixtures.h"
#include "OfflineRender.h"
#include "ThirdOctaveSpectrum.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
// The names and archive order the product ships.
const std::vector<juce::String> archiveOrder{"Bell Boom",
                                             "Dirty Cabinet",
                                             "PAD WARMER",
                                             "FOLD",
                                             "TURNAROUND",
                                             "WUB WUB WUB",
                                             "Thinner",
                                             "BUILD-UP",
                                             "CARBONNADE",
                                             "LIGHT CRUNCH",
                                             "HARD",
                                             "Two Bells",
                                             "AUTO-SYNTH",
                                             "SCRATCHY",
                                             "INTERFERENCES",
                                             "8BIT MAKER",
                                             "SPICE THAT PERC UP",
                                             "Crispy Destruction",
                                             "MENACE",
                                             "Chaotic Fold",
                                             "Warmer",
                                             "WAVES",
                                             "MOOD",
                                             "SOUDE",
                                             "Disto Rythm",
                                             "RUMBLE KICK 1",
                                             "ONLY THE TOP",
                                             "NOISY STEP",
                                             "ELECTRIC",
                                             "Scratch",
                                             "CLANG",
                                             "Noise Envelope",
                                             "Simple Wave",
                                             "RYTHMIC FILTER",
                                             "RUMBLE KICK 2",
                                             "HARMONICS WARMER",
                                             "LIGHT BITCRUSH"};

// Temporary user folders with the generated factory tables.
struct FactoryFolders : TemporaryFolders
{
    FactoryFolders() { setenv("TELOMA_FACTORY_FOLDER", TELOMA_GENERATED_RESOURCES, 1); }
};

juce::File presetFile(const juce::String& name)
{
    return juce::File(TELOMA_SOURCE_DIR)
        .getChildFile("resources/Presets/Factory")
        .getChildFile(name + ".tlprs");
}

float dbfs(float gain)
{
    return juce::Decibels::gainToDecibels(gain, -200.0f);
}

float rms(const juce::AudioBuffer<float>& audio)
{
    double sum = 0.0;
    for (int c = 0; c < audio.getNumChannels(); ++c)
        sum += std::pow(audio.getRMSLevel(c, 0, audio.getNumSamples()), 2.0);
    return static_cast<float>(std::sqrt(sum / audio.getNumChannels()));
}
} // namespace

TEST(FactoryContent, ArchiveHoldsTheFactoryPresetsInOrder)
{
    juce::MemoryInputStream stream(BinaryData::FactoryPresets_zip, BinaryData::FactoryPresets_zipSize, false);
    juce::ZipFile zip(stream);
    std::vector<juce::String> names;
    for (int i = 0; i < zip.getNumEntries(); ++i)
    {
        const juce::String entry = zip.getEntry(i)->filename;
        if (entry.startsWith("Presets/Factory/") && entry.endsWith(".tlprs"))
            names.push_back(
                entry.fromLastOccurrenceOf("/", false, false).upToLastOccurrenceOf(".", false, false));
    }
    EXPECT_EQ(names, archiveOrder);
    ASSERT_EQ(factoryPresetDefinitions().size(), archiveOrder.size());
    for (size_t i = 0; i < archiveOrder.size(); ++i)
        EXPECT_EQ(juce::String(factoryPresetDefinitions()[i].name), archiveOrder[i]);
}

TEST(FactoryContent, PresetFilesAreWhatTheirDefinitionsWrite)
{
    FactoryFolders folders;
    const std::set<juce::String> allowed{"soft",    "hard",  "textured", "experimental",
                                         "rythmic", "utils", "sequence"};
    for (const auto& definition : factoryPresetDefinitions())
    {
        SCOPED_TRACE(definition.name);
        juce::String error;
        const juce::String expected = FactoryPresetWriter::presetText(definition, error);
        EXPECT_TRUE(error.isEmpty()) << error;
        const juce::String stored = presetFile(definition.name).loadFileAsString();
        EXPECT_EQ(stored, expected) << "regenerate with teloma_presetgen";

        juce::XmlDocument document(stored);
        const auto categories = PresetParser().categoriesFromPreset(&document);
        EXPECT_FALSE(categories.empty());
        for (const auto& c : categories)
            EXPECT_TRUE(allowed.count(c)) << c;
        for (const char* absent : {"DCBlockerState", "HardClipState", "SequencerSmooth"})
            EXPECT_FALSE(stored.contains(juce::String("<key>") + absent + "</key>")) << absent;
    }
}

TEST(FactoryContent, FreshInstallListsEverythingAndEachPresetLoadsItsTable)
{
    FactoryFolders folders;
    Brantor2Processor processor;
    auto& kernel = processor.getProductKernel();
    auto& manager = processor.getProductPresetManager();

    int factoryTables = 0;
    for (const auto& t : kernel.tableList)
        factoryTables += t->isUser ? 0 : 1;
    EXPECT_GE(factoryTables, 40);
    ASSERT_NE(kernel.currentTable, nullptr);
    EXPECT_EQ(kernel.currentTable->folder + "/" + kernel.currentTable->name, "Basics/Soft Clip 1");

    for (const auto& definition : factoryPresetDefinitions())
    {
        SCOPED_TRACE(definition.name);
        ASSERT_TRUE(manager.setPreset(juce::String(definition.name).toUpperCase(), true));
        ASSERT_NE(kernel.currentTable, nullptr);
        EXPECT_EQ(kernel.currentTable->folder + "/" + kernel.currentTable->name, definition.table);
        EXPECT_EQ(kernel.getTableLength() % TableWaveshaper::frameLength, 0u);
    }
}

TEST(FactoryContent, EveryPresetIsLoudEnoughBoundedAndUnlikeTheOthers)
{
    FactoryFolders folders;
    constexpr double rate = 48000.0;
    const juce::AudioBuffer<float> dry = DemoClip::make(rate, 4.0);
    const Spectrum::Bands drySpectrum = Spectrum::measure(dry, rate);

    std::vector<std::pair<std::string, Spectrum::Bands>> spectra;
    for (const auto& definition : factoryPresetDefinitions())
    {
        SCOPED_TRACE(definition.name);
        Brantor2Processor processor;
        ASSERT_TRUE(
            processor.getPresetManager().setPreset(juce::String(definition.name).toUpperCase(), true));
        juce::AudioBuffer<float> wet(dry);
        ASSERT_TRUE(OfflineRender::render(processor, wet, {rate, 512, 120.0}));

        bool finite = true;
        for (int c = 0; c < wet.getNumChannels(); ++c)
            for (int i = 0; i < wet.getNumSamples(); ++i)
                finite = finite && std::isfinite(wet.getSample(c, i));
        ASSERT_TRUE(finite);
        EXPECT_LE(wet.getMagnitude(0, wet.getNumSamples()), 1.0f);
        EXPECT_GE(dbfs(rms(wet)), -30.0f);
        EXPECT_LE(dbfs(rms(wet)), 0.0f);

        const Spectrum::Bands bands = Spectrum::measure(wet, rate);
        EXPECT_GT(Spectrum::distance(bands, drySpectrum), 0.5f) << "sounds like the dry signal";
        for (const auto& [other, otherBands] : spectra)
            EXPECT_GT(Spectrum::distance(bands, otherBands), 0.5f) << "sounds like " << other;
        spectra.emplace_back(definition.name, bands);
    }
}

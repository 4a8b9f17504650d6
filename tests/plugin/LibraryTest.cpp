#include "Brantor2Processor.h"
#include "Fixtures.h"

#include <gtest/gtest.h>

namespace
{
float hostValue(PluginProcessor& p, const char* id)
{
    auto* parameter = p.getTreeState().getParameter(id);
    return parameter->convertFrom0to1(parameter->getValue());
}

void setHost(PluginProcessor& p, const char* id, float value)
{
    auto* parameter = p.getTreeState().getParameter(id);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}

// The default and user presets among a list (the factory ones are FactoryContent's concern).
std::vector<juce::String> names(const std::vector<Preset*>& presets)
{
    std::vector<juce::String> result;
    for (auto* p : presets)
        if (p->isUser() || p->isDefault())
            result.push_back(p->name);
    return result;
}

// Copies the parameter values into the processor's tree now, as its timer would: that is when
// changes become undoable steps.
void settle(PluginProcessor& p)
{
    p.getCurrentTreeState();
}

class Library : public ::testing::Test
{
protected:
    Library()
    {
        for (const auto& [folder, name] : {std::pair{"Basics", "Soft Clip 1"},
                                           {"Basics", "Soft Clip 2"},
                                           {"Basics", "Soft Clip 10"},
                                           {"Noisy", "Grit"}})
            writeTable(folders.factoryTable(folder, name), 2048, softClip);
        writeTable(folders.userTable("Soft Clip 2"), 4096, [](float x, size_t) { return -x; });
    }

    std::vector<std::string> tableOrder(Brantor2Processor& p)
    {
        std::vector<std::string> order;
        for (const auto& t : p.getProductKernel().tableList)
            order.push_back(t->folder + "/" + t->name);
        return order;
    }

    std::string current(Brantor2Processor& p)
    {
        const TableData* t = p.getProductKernel().currentTable;
        return t != nullptr ? t->folder + "/" + t->name : "";
    }

    TemporaryFolders folders;
};
} // namespace

TEST_F(Library, TablesSortByKindFolderAndBytes)
{
    Brantor2Processor p;
    EXPECT_EQ(tableOrder(p),
              (std::vector<std::string>{"Basics/Soft Clip 1", "Basics/Soft Clip 10", "Basics/Soft Clip 2",
                                        "Noisy/Grit", "User/Soft Clip 2"}));
    EXPECT_EQ(current(p), "Basics/Soft Clip 1"); // DEFAULT's table
}

TEST_F(Library, TablesAreFoundByFolderAndNameWithFallbacks)
{
    Brantor2Processor p;
    auto& manager = p.getProductPresetManager();
    manager.loadTableNamed("Soft Clip 2", "Basics");
    EXPECT_EQ(current(p), "Basics/Soft Clip 2");
    manager.loadTableNamed("Soft Clip 2", "Emulation"); // no such folder: the last same-named table
    EXPECT_EQ(current(p), "User/Soft Clip 2");
    EXPECT_EQ(p.getProductKernel().getTableLength(), 4096u);
    manager.loadTableNamed("Soft Clip 2", "");
    EXPECT_EQ(current(p), "Basics/Soft Clip 2");
    manager.loadTableNamed("Nothing", "Basics");
    EXPECT_EQ(current(p), "Basics/Soft Clip 2");
}

TEST_F(Library, DamagedOrOddTableFilesAreHandled)
{
    const juce::File odd = folders.factoryTable("Basics", "Odd");
    writeTable(odd, 2048, softClip);
    Brantor2Processor p;
    auto& manager = p.getProductPresetManager();
    auto& kernel = p.getProductKernel();
    const int index = [&]
    {
        for (size_t i = 0; i < kernel.tableList.size(); ++i)
            if (kernel.tableList[i]->name == "Odd")
                return static_cast<int>(i);
        return -1;
    }();
    ASSERT_GE(index, 0);

    auto loads = [&](const std::function<void()>& make)
    {
        manager.loadTableNamed("Soft Clip 1", "Basics");
        make();
        manager.loadTable(index);
        return current(p) == "Basics/Odd";
    };
    EXPECT_FALSE(loads([&] { odd.deleteFile(); }));
    EXPECT_FALSE(loads([&] { odd.replaceWithText("not a wave file"); }));
    EXPECT_FALSE(loads(
        [&]
        {
            writeTable(odd, 8192, softClip);
            juce::MemoryBlock bytes;
            odd.loadFileAsData(bytes);
            odd.replaceWithData(bytes.getData(), bytes.getSize() / 2);
        }));
    for (auto format : {SampleFormat::Int16, SampleFormat::Int24, SampleFormat::Int32, SampleFormat::Float32})
    {
        EXPECT_TRUE(loads(
            [&]
            {
                writeTable(
                    odd, 4096, [](float x, size_t) { return 0.5f * x; }, format, 2);
            }));
        EXPECT_EQ(kernel.getTableLength(), 4096u);
        EXPECT_EQ(kernel.getTableFrameCount(), 2);
        EXPECT_NEAR(kernel.getTableDisplay(399), 0.5f * (-1.0f + 2.0f * 0.9975f * 2048.0f / 2047.0f), 1e-3f);
    }
    EXPECT_TRUE(loads([&] { writeTable(odd, 1000, softClip); }));
    EXPECT_EQ(kernel.getTableLength(), 2048u); // padded to one frame
    EXPECT_TRUE(loads([&] { writeTable(odd, 524288 + 4096, softClip); }));
    EXPECT_EQ(kernel.getTableLength(), 524288u); // cut to 256 frames
}

TEST_F(Library, TableChoicesUndoAndRedo)
{
    Brantor2Processor p;
    p.selectTable(3);
    EXPECT_EQ(current(p), "Noisy/Grit");
    p.undo();
    EXPECT_EQ(current(p), "Basics/Soft Clip 1");
    p.redo();
    EXPECT_EQ(current(p), "Noisy/Grit");
}

TEST_F(Library, RandomisationIsOneUndoStep)
{
    Brantor2Processor p;
    setHost(p, "DryWet", 77);
    settle(p);
    p.getUndoManager().clearUndoHistory();
    std::srand(3);
    p.randomize();
    settle(p);
    EXPECT_NE(hostValue(p, "DryWet"), 77.0f);
    EXPECT_EQ(hostValue(p, "DCBlockerState"), 1.0f);
    p.undo();
    settle(p);
    EXPECT_NEAR(hostValue(p, "DryWet"), 77.0f, 0.01f);
    EXPECT_EQ(current(p), "Basics/Soft Clip 1");
    EXPECT_FALSE(p.getUndoManager().canUndo());
}

TEST_F(Library, StateRoundTripRestoresParametersTableAndModifiedMark)
{
    juce::MemoryBlock blob;
    {
        Brantor2Processor p;
        setHost(p, "Filter1Freq", 1234.0f);
        setHost(p, "Lfo1SyncRate", 17);
        setHost(p, "DCBlockerState", 0);
        p.getProductPresetManager().loadTableNamed("Grit", "Noisy");
        p.getStateInformation(blob);
    }
    Brantor2Processor q;
    q.setStateInformation(blob.getData(), static_cast<int>(blob.getSize()));
    EXPECT_NEAR(hostValue(q, "Filter1Freq"), 1234.0f, 15.0f);
    EXPECT_EQ(hostValue(q, "Lfo1SyncRate"), 17.0f);
    EXPECT_EQ(hostValue(q, "DCBlockerState"), 0.0f);
    EXPECT_EQ(current(q), "Noisy/Grit");
    EXPECT_TRUE(q.getPresetManager().modified.load());
    EXPECT_EQ(q.getPresetManager().getCurrentPreset()->name, "DEFAULT");

    juce::MemoryBlock again;
    q.getStateInformation(again);
    EXPECT_EQ(again, blob);
}

TEST_F(Library, BrokenStatesChangeNothing)
{
    Brantor2Processor p;
    setHost(p, "DryWet", 40);
    juce::MemoryBlock good;
    p.getStateInformation(good);
    auto unchanged = [&](const juce::MemoryBlock& blob)
    {
        p.setStateInformation(blob.getData(), static_cast<int>(blob.getSize()));
        return hostValue(p, "DryWet") == 40.0f && current(p) == "Basics/Soft Clip 1";
    };
    EXPECT_TRUE(unchanged(juce::MemoryBlock("not xml at all", 14)));
    EXPECT_TRUE(unchanged(juce::MemoryBlock(good.getData(), good.getSize() / 2)));
    juce::MemoryBlock otherRoot;
    p.copyXmlToBinary(juce::XmlElement("Something"), otherRoot);
    EXPECT_TRUE(unchanged(otherRoot));

    // A valid state naming an unknown table and missing a parameter: the table stays, the
    // parameter takes its default, huge and non-numeric values stay inside their ranges.
    auto xml =
        juce::parseXML("<Parameters Wavetable=\"Gone/Missing\" PresetName=\"Deleted\">"
                       "<PARAM id=\"OutputGain\" value=\"1e999\"/><PARAM id=\"InputGain\" value=\"abc\"/>"
                       "<PARAM id=\"Filter1Res\" value=\"900\"/></Parameters>");
    juce::MemoryBlock odd;
    p.copyXmlToBinary(*xml, odd);
    p.setStateInformation(odd.getData(), static_cast<int>(odd.getSize()));
    EXPECT_EQ(current(p), "Basics/Soft Clip 1");
    EXPECT_EQ(hostValue(p, "DryWet"), 100.0f);
    EXPECT_EQ(hostValue(p, "OutputGain"), 0.0f);
    EXPECT_EQ(hostValue(p, "InputGain"), 0.0f);
    EXPECT_EQ(hostValue(p, "Filter1Res"), 24.0f);
    EXPECT_EQ(p.getPresetManager().getCurrentPreset()->name, "DEFAULT");
    EXPECT_FALSE(p.getPresetManager().modified.load());
}

TEST_F(Library, UserPresetsSaveLoadAndDelete)
{
    Brantor2Processor p;
    auto& manager = p.getPresetManager();
    setHost(p, "DCBlockerState", 0);
    setHost(p, "DryWet", 55);
    EXPECT_TRUE(manager.savePresetAs("my preset", {"Soft"}));
    const juce::File file = folders.user().getChildFile("Presets").getChildFile("my preset.tlprs");
    ASSERT_TRUE(file.existsAsFile());
    EXPECT_TRUE(file.loadFileAsString().contains("<string>soft</string>\r\n"));
    EXPECT_EQ(names(manager.filterPresets()), (std::vector<juce::String>{"DEFAULT", "MY PRESET"}));

    setHost(p, "DryWet", 10);
    EXPECT_TRUE(manager.setPreset("my preset", true));
    EXPECT_EQ(hostValue(p, "DryWet"), 55.0f);
    EXPECT_FALSE(manager.modified.load());
    EXPECT_TRUE(manager.setPreset("DEFAULT", true));
    EXPECT_EQ(hostValue(p, "DryWet"), 100.0f);
    EXPECT_TRUE(manager.setPreset("my preset", true));
    EXPECT_FALSE(manager.setPreset(manager.getCurrentPreset())); // already current: nothing reloads

    // A preset without some parameters loads them at their defaults.
    file.replaceWithText("<plist><dict><key>DryWet</key><real>20</real></dict></plist>");
    manager.setPreset("DEFAULT", true);
    setHost(p, "DCBlockerState", 0);
    manager.setPreset("MY PRESET", true);
    EXPECT_EQ(hostValue(p, "DCBlockerState"), 1.0f);
    EXPECT_EQ(hostValue(p, "DryWet"), 20.0f);

    for (const char* bad : {"", "  ", ".", "..", "a/b", "a\\b", "tab\there"})
        EXPECT_FALSE(manager.savePresetAs(bad, {})) << bad;

    ASSERT_TRUE(manager.deletePreset(manager.getCurrentPreset()));
    EXPECT_FALSE(file.existsAsFile());
    EXPECT_EQ(manager.getCurrentPreset(), nullptr);
    EXPECT_EQ(names(manager.filterPresets()), std::vector<juce::String>{"DEFAULT"});
}

TEST_F(Library, LegacyFolderAndCaseInsensitiveNames)
{
    const juce::File presets = folders.user().getChildFile("Presets");
    presets.createDirectory();
    folders.user().getChildFile("Old.tlprs").replaceWithText("<plist><dict/></plist>");
    folders.user().getChildFile("Twice.tlprs").replaceWithText("<plist><dict/></plist>");
    presets.getChildFile("twice.tlprs").replaceWithText("<plist><dict/></plist>");
    Brantor2Processor p;
    auto& manager = p.getPresetManager();
    EXPECT_EQ(names(manager.filterPresets()), (std::vector<juce::String>{"DEFAULT", "OLD", "TWICE"}));
    EXPECT_TRUE(manager.savePresetAs("Old", {}));
    EXPECT_FALSE(folders.user().getChildFile("Old.tlprs").existsAsFile());
    EXPECT_TRUE(manager.savePresetAs("TWICE", {}));
    EXPECT_TRUE(presets.getChildFile("twice.tlprs").existsAsFile()); // overwritten, not doubled
    EXPECT_FALSE(presets.getChildFile("TWICE.tlprs").existsAsFile());
}

TEST_F(Library, FiltersAndFavourites)
{
    const juce::File presets = folders.user().getChildFile("Presets");
    presets.createDirectory();
    for (const auto& [name, category] :
         {std::pair{"Warmer", "soft"}, {"Waves", "hard"}, {"Crush", "hard"}, {"Pad", "textured"}})
        presets.getChildFile(juce::String(name) + ".tlprs")
            .replaceWithText(juce::String("<plist><dict><key>Categories</key><array><string>") + category +
                             "</string></array></dict></plist>");
    {
        Brantor2Processor p;
        auto& manager = p.getPresetManager();
        manager.selectedCategories = {"soft", "hard"};
        EXPECT_EQ(names(manager.filterPresets()), (std::vector<juce::String>{"CRUSH", "WARMER", "WAVES"}));
        manager.searchText = "wa";
        EXPECT_EQ(names(manager.filterPresets()), (std::vector<juce::String>{"WARMER", "WAVES"}));

        manager.retrieveFavoritePresets("USER/PAD\nUSER/WAVES\nWARMER\nUSER/NONE/X\n");
        manager.saveFavoritePresets();
        manager.selectedCategories.clear();
        manager.searchText = {};
        for (const auto& d : manager.getDirectories())
            if (d->name == "FAVOURITES")
                manager.selectedDirectory = d.get();
        EXPECT_EQ(names(manager.filterPresets()), (std::vector<juce::String>{"PAD", "WAVES"}));
    }
    // Favourites live in the settings file, shared by every instance.
    Brantor2Processor second;
    auto& manager = second.getPresetManager();
    for (const auto& d : manager.getDirectories())
        if (d->name == "FAVOURITES")
            manager.selectedDirectory = d.get();
    EXPECT_EQ(names(manager.filterPresets()), (std::vector<juce::String>{"PAD", "WAVES"}));
    EXPECT_TRUE(folders.settings().getChildFile("QUARNE Teloma.settings").existsAsFile());
}

TEST_F(Library, AFreshInstanceStartsAtDefaultWithTheResortStillPending)
{
    Brantor2Processor p;
    auto& manager = p.getPresetManager();
    EXPECT_EQ(manager.getCurrentPreset()->name, "DEFAULT");
    EXPECT_FALSE(manager.modified.load());
    EXPECT_TRUE(manager.sortRequested.load());
    p.prepareToPlay(48000, 64);
    juce::AudioBuffer<float> buffer(2, 64);
    juce::MidiBuffer midi;
    p.processBlock(buffer, midi); // the audio thread only flags the re-sort
    EXPECT_FALSE(manager.sortRequested.load());
    EXPECT_FALSE(manager.listChanged.load());
    manager.handlePendingWork();
    EXPECT_TRUE(manager.listChanged.load());

    juce::MemoryBlock blob;
    p.getStateInformation(blob);
    const auto xml = juce::AudioProcessor::getXmlFromBinary(blob.getData(), static_cast<int>(blob.getSize()));
    EXPECT_EQ(xml->getStringAttribute("PresetName"), "DEFAULT");
    EXPECT_EQ(xml->getStringAttribute("Wavetable"), "Basics/Soft Clip 1");
    EXPECT_EQ(xml->getStringAttribute("HasPresetBeenModified"), "0");
}

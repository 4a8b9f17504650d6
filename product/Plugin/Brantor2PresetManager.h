#pragma once
// The product's preset library with the waveshaper table library: factory and user tables are
// collected, loaded into the kernel by position or by folder and name, and selected by presets.

#include "Brantor2DSPKernel.h"
#include "Brantor2PresetParser.h"
#include "Preset/PresetManager.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <functional>
#include <vector>

class Brantor2PresetManager : public PresetManager, public Brantor2PresetParserDelegate
{
public:
    static constexpr const char* tableExtension = "wav";

    Brantor2PresetManager(PresetsBinData archive, Brantor2PresetParser* parser);

    void initKernel(DSPKernel* kernel) override;
    void retrieveExtraFactoryResources() override;
    void retrieveExtraUserResources() override;
    void onPresetLoading(Preset* preset, const PresetParser::PresetData& data) override;

    void loadTableNamed(juce::String tableName, juce::String folderName) override;
    void setIndexFromParser() override;

    void addTable(const std::string& folder, const juce::File& file, bool isUser);
    // Loads the table at that position; an unreadable file leaves the current table as it was.
    bool loadTable(int index);
    int getTableCount() const;
    int getCurrentTableIndex() const;

    std::function<void(bool)> tableIndexCallback;

private:
    void sortTables();
    void addTablesIn(const juce::File& folder, const std::string& folderName, bool isUser);

    Brantor2DSPKernel* productKernel = nullptr;
    Brantor2PresetParser& productParser;
    juce::AudioFormatManager formats;
    std::vector<float> readBuffer;
};

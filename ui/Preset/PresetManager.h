#pragma once
// The preset library: the built-in "DEFAULT", the factory presets of the embedded archive and the
// user's preset files; the current preset and its modified mark; the browser's filter; favourites.

#include "Common/DSPKernel.h"
#include "Preset.h"
#include "PresetDirectory.h"
#include "PresetManagerDelegate.h"
#include "PresetParser.h"

#include <juce_events/juce_events.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PresetManager : private juce::Timer
{
public:
    struct PresetsBinData
    {
        const void* data = nullptr;
        size_t size = 0;
    };

    PresetManager(std::string presetExtension, PresetsBinData archive, std::string defaultPresetName,
                  PresetParser* parser);
    ~PresetManager() override;
    PresetManager(const PresetManager&) = delete;
    PresetManager& operator=(const PresetManager&) = delete;

    void init(PresetManagerDelegate* delegate, DSPKernel* kernel, juce::ValueTree defaultTree);

    virtual bool setPreset(Preset* preset);
    bool setPreset(const juce::String& name, bool load);
    virtual void initKernel(DSPKernel*) {}
    virtual void onPresetLoading(Preset*, const PresetParser::PresetData&) {}
    virtual void retrieveExtraFactoryResources() {}
    virtual void retrieveExtraUserResources() {}

    std::vector<Preset*> filterPresets() const;
    void parameterHasChanged();
    bool savePresetAs(const juce::String& name, const std::vector<juce::String>& categories);
    bool deletePreset(Preset* preset);
    void saveFavoritePresets();
    void retrieveFavoritePresets(const juce::String& text);
    void retrieveUserPresets();
    // Called on the audio thread: only flags the pending re-sort for the message thread.
    void sortPresets();
    // Runs the message thread's pending work now (the re-sort, categories found in the background).
    void handlePendingWork();
    void getExtraStateInformation(juce::ValueTree* state) { parser->getExtraStateInformation(state); }
    void setExtraStateInformation(juce::XmlElement* xml) { parser->setExtraStateInformation(xml); }

    // A preset name that can be a file name inside the user preset folder.
    static bool isValidPresetName(const juce::String& name);

    Preset* getCurrentPreset() const { return currentPreset; }
    const std::vector<std::unique_ptr<Preset>>& getPresets() const { return presets; }
    const std::vector<std::unique_ptr<PresetDirectory>>& getDirectories() const { return directories; }
    PresetParser& getParser() { return *parser; }
    const juce::ValueTree& getDefaultTree() const { return defaultTree; }

    std::atomic<bool> modified{false};
    std::atomic<bool> presetChanged{true};
    std::atomic<bool> sortRequested{true};
    std::atomic<bool> listChanged{false};
    PresetDirectory* selectedDirectory = nullptr;
    std::vector<juce::String> selectedCategories;
    juce::String searchText;

protected:
    PresetManagerDelegate* delegate = nullptr;
    Preset* currentPreset = nullptr;

private:
    void timerCallback() override;
    void readFactoryArchive();
    void sortPresetList();
    void addUserPresetsIn(const juce::File& folder, std::vector<juce::String>& seen);
    juce::File findPresetFile(const juce::File& folder, const juce::String& name) const;
    std::unique_ptr<juce::XmlElement> parseArchiveEntry(int index) const;
    void startCategoryPass();
    void stopCategoryPass();

    std::vector<std::unique_ptr<Preset>> presets;
    std::vector<std::unique_ptr<PresetDirectory>> directories;
    PresetDirectory* allDirectory;
    PresetDirectory* userDirectory;
    juce::ValueTree defaultTree;
    const juce::String extension;
    const juce::String defaultPresetName;
    PresetsBinData archive;
    std::unique_ptr<juce::MemoryInputStream> archiveStream;
    std::unique_ptr<juce::ZipFile> zip;
    std::unique_ptr<PresetParser> parser;

    std::atomic<bool> sortPending{false};
    std::atomic<bool> keepRunning{true};
    std::thread categoryPass;
    std::mutex foundCategoriesLock; // between the background pass and the message thread only
    std::map<juce::String, std::vector<juce::String>> foundCategories;
};

#pragma once
// One preset: a user file, the built-in default or an entry of the embedded factory archive,
// with its directory, categories and favourite mark.

#include "PresetDirectory.h"
#include "PresetObject.h"

#include <vector>

class PresetParser;

struct Preset : PresetObject
{
    enum Kind
    {
        UserPreset,
        DefaultPreset,
        ArchivePreset,
    };

    Preset(juce::String presetName, Kind presetKind, PresetDirectory* presetDirectory, juce::File presetFile = {})
        : PresetObject(std::move(presetName), PresetKind, std::move(presetFile)), kind(presetKind),
          directory(presetDirectory)
    {
    }

    static Preset* MakeUserPreset(const juce::File& file, const juce::String& name, PresetDirectory* userDirectory,
                                  std::vector<juce::String> categories);
    static bool comparePresets(const Preset* a, const Preset* b);

    bool isUser() const { return kind == UserPreset; }
    bool isDefault() const { return kind == DefaultPreset; }
    void setIsFavorite(bool isFavourite);
    // Re-reads the categories of a file preset; a missing or unreadable file gives none.
    std::vector<juce::String> readCategories(PresetParser& parser) const;
    bool operator==(const Preset& other) const;
    bool operator<(const Preset& other) const { return comparePresets(this, &other); }

    Kind kind;
    PresetDirectory* directory;
    bool favourite = false;
    std::vector<juce::String> lists;
    std::vector<juce::String> categories;
    int archiveEntry = -1;
};

#pragma once
// The per-user settings shared by every instance in every host: the favourite presets.

#include <juce_data_structures/juce_data_structures.h>

#include <memory>

class AppProperties
{
public:
    AppProperties();

    // Stores the favourites text and saves at once, so that another instance sees it.
    void saveFavoritePresets(const juce::String& text);
    // Reloads the file first, so that favourites saved by another instance are picked up.
    juce::String retrieveFavoritePresets();

    juce::File getFile() const { return file != nullptr ? file->getFile() : juce::File(); }

private:
    std::unique_ptr<juce::PropertiesFile> file;
};

#include "Preset.h"

#include "PresetParser.h"
#include "SafeText.h"

#include <algorithm>

Preset* Preset::MakeUserPreset(const juce::File& file, const juce::String& name, PresetDirectory* userDirectory,
                               std::vector<juce::String> categories)
{
    auto* preset = new Preset(name, UserPreset, userDirectory, file);
    preset->lists = {"ALL", "USER"};
    preset->categories = std::move(categories);
    return preset;
}

bool Preset::comparePresets(const Preset* a, const Preset* b)
{
    if (a->isDefault() != b->isDefault())
        return a->isDefault();
    return a->name.compare(b->name) < 0;
}

void Preset::setIsFavorite(bool isFavourite)
{
    favourite = isFavourite;
    lists.erase(std::remove(lists.begin(), lists.end(), juce::String("FAVOURITES")), lists.end());
    if (isFavourite)
        lists.push_back("FAVOURITES");
}

std::vector<juce::String> Preset::readCategories(PresetParser& parser) const
{
    if (kind == ArchivePreset || !file.existsAsFile())
        return {};
    juce::XmlDocument document(SafeText::readFile(file));
    return parser.categoriesFromPreset(&document);
}

bool Preset::operator==(const Preset& other) const
{
    const juce::String mine = directory != nullptr ? directory->name : juce::String();
    const juce::String theirs = other.directory != nullptr ? other.directory->name : juce::String();
    return name == other.name && mine == theirs;
}

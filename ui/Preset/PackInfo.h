#pragma once
// The description of a preset directory: its display name, its description and its kind.

#include <juce_core/juce_core.h>

struct PackInfo
{
    enum DirectoryType : int
    {
        All = 0,
        User = 1,
        Favourites = 2,
        Generic = 3,
    };

    juce::String packName;
    juce::String packDescription;
    DirectoryType type = Generic;
};

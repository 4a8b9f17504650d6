#pragma once
// A group of presets in the browser: ALL, USER, FAVOURITES or a folder of factory presets.

#include "PackInfo.h"
#include "PresetObject.h"

#include <juce_graphics/juce_graphics.h>

struct PresetDirectory : PresetObject
{
    PresetDirectory(juce::String directoryName, PackInfo::DirectoryType kind)
        : PresetObject(std::move(directoryName), DirectoryKind)
    {
        info.type = kind;
    }

    PackInfo::DirectoryType getType() const { return info.type; }

    PackInfo info;
    juce::Image image;
};

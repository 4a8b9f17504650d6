#pragma once
// What presets and preset directories share: a display name, a kind and, for user presets, a file.

#include <juce_core/juce_core.h>

struct PresetObject
{
    enum ObjectKind : int
    {
        PresetKind = 0,
        DirectoryKind = 1,
    };

    PresetObject(juce::String displayName, ObjectKind kind, juce::File presetFile = {})
        : name(std::move(displayName)), objectKind(kind), file(std::move(presetFile))
    {
    }
    virtual ~PresetObject() = default;

    juce::String name;
    ObjectKind objectKind;
    juce::File file;
};

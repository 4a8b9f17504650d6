#pragma once
// The MIDI layer of the processor. This product takes no MIDI; the layer keeps only the routing
// of incoming events to the kernel's (inert) MIDI hook.

#include "PluginProcessor.h"

class MidiProcessor : public PluginProcessor
{
public:
    using PluginProcessor::PluginProcessor;

    bool hasKeyboard() override { return true; }
    virtual void xAxisValueChanged(float) {}
    virtual void yAxisValueChanged(float) {}
    virtual bool hasAudioOutput() { return false; }
};

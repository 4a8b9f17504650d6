#pragma once
// The object the host talks to: publishes the kernel's parameters through a value tree state,
// forwards every parameter change to the kernel as a ramp, copies the host's transport into the
// kernel and drives it block by block; saves and restores the state, keeps the preset library, the
// favourites, undo and redo.

#include "AppProperties.h"
#include "Common/DSPKernel.h"
#include "Preset/PresetManager.h"
#include "Preset/PresetManagerDelegate.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

class PluginProcessor : public juce::AudioProcessor,
                        public PresetManagerDelegate,
                        public juce::AudioProcessorValueTreeState::Listener
{
public:
    // The largest number of frames the kernel renders in one call.
    static constexpr int maxKernelFrames = 4096;

    PluginProcessor(const BusesProperties& buses, DSPKernel* kernel, PresetManager* presetManager,
                    std::string productCode);
    ~PluginProcessor() override;

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout(ParameterList& list);

    void parameterChanged(const juce::String& parameterID, float newValue) override;
    virtual bool hasKeyboard() { return false; }
    virtual void process(juce::AudioBuffer<float>& buffer, size_t frameCount, size_t bufferOffset) = 0;
    virtual void midiPanic() { kernel->midiPanic(); }
    virtual void checkOutMidiEvents(juce::MidiBuffer&) {}
    virtual void randomize();
    void undo();
    void redo();

    void replaceTreeState(juce::ValueTree tree) override;
    void saveFavoritePresets(juce::String text) override;
    void retrieveFavoritePresets() override;
    ParameterList* getParameters() override { return kernel->getParameters(); }
    juce::ValueTree getCurrentTreeState() override { return treeState.copyState(); }

    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

    PresetManager& getPresetManager() { return *presetManager; }
    AppProperties& getAppProperties() { return *appProperties; }
    const std::string productCode;
    // What a new editor takes over from the last one: its page and size (memory only).
    int currentPage = 0;
    bool editorSizeStored = false;
    float editorWidth = -1.0f, editorHeight = -1.0f;
    DSPKernel& getKernel() { return *kernel; }
    juce::AudioProcessorValueTreeState& getTreeState() { return treeState; }
    juce::UndoManager& getUndoManager() { return undoManager; }

    const juce::String getName() const override { return "QUARNE Teloma"; }
    void prepareToPlay(double sampleRate, int maximumBlockSize) override;
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }
    bool supportsMPE() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}
    bool isBusesLayoutSupported(const BusesLayout& layouts) const override;

protected:
    // A piece of the host block between two note events, with its run of MIDI events.
    struct MidiEventBlock
    {
        size_t start = 0;
        size_t end = 0;
        juce::MidiBufferIterator firstEvent;
        int eventCount = 0;
    };

    virtual void handleMidiMessages(const MidiEventBlock& block);
    void checkTransport();

    std::unique_ptr<DSPKernel> kernel;
    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState treeState;
    std::unique_ptr<PresetManager> presetManager;
    std::unique_ptr<AppProperties> appProperties;

private:
    void splitAtNoteEvents(const juce::MidiBuffer& midi, size_t frameCount);

    std::vector<MidiEventBlock> eventBlocks;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(PluginProcessor)
};

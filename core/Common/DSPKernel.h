#pragma once
// The processing-kernel frame: owns the parameter list, turns parameter changes into ramps, hands
// out per-block parameter buffers, holds the host's musical context, publishes feedback values to
// the editor and draws random parameter sets.

#include "Common/MusicalContext.h"
#include "Common/Parameters/ParameterBufferList.h"
#include "Common/Parameters/ParameterList.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class DSPKernel
{
public:
    DSPKernel() = default;
    virtual ~DSPKernel();
    DSPKernel(const DSPKernel&) = delete;
    DSPKernel& operator=(const DSPKernel&) = delete;

    virtual void clear() = 0;
    virtual float getFineTunedRandomize(const std::map<int, float>& fixedValues, int index, float value);
    virtual std::string destinationNameToParameter(std::string name) { return name; }
    virtual void setup() {}
    virtual void midiPanic() {}
    virtual void process(size_t frameCount, size_t bufferOffset, long busIndex);
    virtual void handleMIDIEvent(const uint8_t* data, int64_t time, int64_t samplePosition);
    virtual void updateParameter(size_t index, float value) = 0;
    virtual int getLatency() { return 0; }
    // The single entry through which every parameter change (a user value) reaches the kernel.
    virtual void startRamp(size_t index, float value, size_t rampFrames);

    void allocParameters(ParameterList* list);
    void initParameters();
    void init(int channelCount, double sampleRate);
    void setParameter(size_t index, float value) { startRamp(index, value, rampLength); }
    // Hands the not-ramped changes made since the last call to updateParameter. Changes may come from
    // any thread; they reach updateParameter only here, on the thread that processes or prepares.
    void applyPendingUpdates();
    float getParameter(size_t index) const;
    ParameterList* getParameters() const { return parameters.get(); }
    void requestClear() { clearRequested.store(true); }
    std::vector<std::pair<Parameter*, float>> randomize();
    void fillModulationFeedbacks(ParameterBufferList& list, const std::vector<ParameterElement>& elements);

    // Feedback values of a slot, written by the audio thread and read by the editor.
    std::atomic<float>* getFeedback(size_t index) const { return feedbackValues.at(index).get(); }
    bool isModulated(size_t index) const { return modulatedFlags[index].load(std::memory_order_relaxed); }
    size_t getRampLength() const { return rampLength; }
    double getSampleRate() const { return sampleRate; }
    int getChannelCount() const { return channelCount; }

    MusicalContextStruct musicalContext;
    TransportStateStruct transportState;
    std::atomic<bool> editorOpen{true};

protected:
    void setFeedback(size_t index, size_t element, float v)
    {
        if (auto* f = feedbackValues[index].get())
            f[element].store(v, std::memory_order_relaxed);
    }

    float nyquist = 22050.0f;
    float inverseNyquist = 1.0f / 22050.0f;
    size_t rampLength = 0;
    double sampleRate = 44100.0;
    int channelCount = 2;

private:
    std::unique_ptr<ParameterList> parameters;
    std::vector<std::unique_ptr<std::atomic<float>[]>> feedbackValues;
    std::unique_ptr<std::atomic<bool>[]> modulatedFlags;
    std::unique_ptr<std::atomic<bool>[]> pendingUpdates;
    std::atomic<bool> anyPendingUpdate{false};
    bool parametersAllocated = false;
    bool parametersInitialised = false;
    std::atomic<bool> clearRequested{false};
};

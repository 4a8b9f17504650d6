#pragma once
// A small LV2 host on lilv: instantiates one plug-in, sends parameter changes as patch:Set messages
// on its atom control port and runs it block by block. Used by the tests and the benchmarks.

#include <lilv/lilv.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Lv2Host
{
public:
    // Loads the bundle at bundlePath (every installed bundle when empty) and instantiates pluginUri.
    Lv2Host(const std::string& bundlePath, const std::string& pluginUri, double sampleRate, uint32_t blockSize);
    ~Lv2Host();
    Lv2Host(const Lv2Host&) = delete;
    Lv2Host& operator=(const Lv2Host&) = delete;

    bool isReady() const { return instance != nullptr; }
    const std::string& getError() const { return error; }
    size_t getAudioInputCount() const { return audioInputs.size(); }
    size_t getAudioOutputCount() const { return audioOutputs.size(); }

    // Queues a patch:Set of the property (a full URI) for the next run.
    void setParameter(const std::string& propertyUri, float value);
    // Sets a control port by its symbol; false if there is none.
    bool setControl(const std::string& symbol, float value);
    // Runs frames (at most the block size) from in to out; missing channels reuse the last one.
    void run(const float* const* in, size_t inChannels, float* const* out, size_t outChannels, uint32_t frames);

private:
    uint32_t map(const char* uri);
    static uint32_t mapCallback(void* handle, const char* uri);
    static const char* unmapCallback(void* handle, uint32_t urid);
    void writeControlSequence();

    std::string error;
    LilvWorld* world = nullptr;
    LilvInstance* instance = nullptr;
    uint32_t blockSize;
    std::vector<std::string> uris;
    std::vector<std::pair<uint32_t, float>> pending;

    struct PortBuffer;
    std::vector<std::unique_ptr<PortBuffer>> buffers;
    std::vector<PortBuffer*> audioInputs, audioOutputs, atomInputs, atomOutputs;
    std::vector<std::pair<std::string, float*>> controls;
    struct Features;
    std::unique_ptr<Features> features;
};

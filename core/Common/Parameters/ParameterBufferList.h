#pragma once
// The per-block table of per-sample parameter buffers, with private copies for modulated
// parameters into which the modulators add their contributions.

#include <cstddef>
#include <memory>
#include <vector>

struct ParameterElement
{
    size_t index = 0;
    bool perVoice = false;

    bool operator<(const ParameterElement& other) const { return index < other.index; }
};

struct ParameterBuffer
{
    float* source = nullptr;
    bool valid = false;
    bool modulated = false;
    std::vector<std::unique_ptr<float[]>> copies;
    std::vector<bool> copied;
    size_t copyCount = 1;
};

class ParameterBufferList
{
public:
    static constexpr size_t bufferCapacity = 4096;

    // Creates entries for indices 0 .. slotCount - 1 up front, so that blocks never allocate.
    explicit ParameterBufferList(size_t slotCount = 0, size_t voiceCount = 1);
    virtual ~ParameterBufferList() = default;

    void checkSize(size_t index);
    void writeAt(size_t index, float* b, bool changed, size_t frames);
    float* getBuffer(size_t voice, size_t index);
    float* operator[](size_t index) { return getBuffer(0, index); }
    void setModulatedParameters(std::vector<ParameterElement> elements, size_t voiceCount);
    float getModulatedValue(ParameterElement e, size_t frame);
    void setLastPlayedVoice(size_t voice) { lastPlayedVoice = voice; }
    bool isParameterModulatedPerVoice(size_t index) const;
    size_t getFrameCount() const { return frameCount; }

private:
    std::vector<std::unique_ptr<ParameterBuffer>> buffers;
    size_t voiceCount;
    size_t lastPlayedVoice = 0;
    size_t frameCount = 0;
};

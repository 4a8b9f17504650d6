#include "ParameterBufferList.h"

#include <algorithm>
#include <stdexcept>

ParameterBufferList::ParameterBufferList(size_t slotCount, size_t voices) : voiceCount(voices)
{
    if (slotCount > 0)
        checkSize(slotCount - 1);
}

void ParameterBufferList::checkSize(size_t index)
{
    while (buffers.size() <= index)
        buffers.push_back(std::make_unique<ParameterBuffer>());
}

void ParameterBufferList::writeAt(size_t index, float* b, bool changed, size_t frames)
{
    frameCount = frames;
    if (changed)
    {
        checkSize(index);
        buffers[index]->source = b;
        buffers[index]->valid = true;
    }
    ParameterBuffer& e = *buffers.at(index);
    if (e.modulated)
        std::fill(e.copied.begin(), e.copied.end(), false);
}

float* ParameterBufferList::getBuffer(size_t voice, size_t index)
{
    checkSize(index);
    ParameterBuffer& e = *buffers[index];
    if (!e.modulated)
        return e.source;
    const size_t k = voice < e.copyCount ? voice : 0;
    float* copy = e.copies[k].get();
    if (copy == nullptr || e.source == nullptr)
        return e.source;
    if (!e.copied[k])
    {
        std::copy(e.source, e.source + frameCount, copy);
        e.copied[k] = true;
    }
    return copy;
}

void ParameterBufferList::setModulatedParameters(std::vector<ParameterElement> elements, size_t voices)
{
    voiceCount = voices;
    std::sort(elements.begin(), elements.end());
    for (const auto& element : elements)
    {
        checkSize(element.index);
        ParameterBuffer& e = *buffers[element.index];
        e.copyCount = element.perVoice ? voices : 1;
        e.copies.clear();
        for (size_t k = 0; k < e.copyCount; ++k)
            e.copies.emplace_back(new float[bufferCapacity]());
        e.copied.assign(e.copyCount, false);
        e.modulated = true;
    }
}

float ParameterBufferList::getModulatedValue(ParameterElement e, size_t frame)
{
    float* b = getBuffer(e.perVoice ? lastPlayedVoice : 0, e.index);
    return b != nullptr ? b[frame] : 0.0f;
}

bool ParameterBufferList::isParameterModulatedPerVoice(size_t index) const
{
    return index < buffers.size() && buffers[index]->copyCount > 1;
}

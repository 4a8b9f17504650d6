#include "DSPKernel.h"

#include "Common/ContractFailure.h"
#include "Common/Math/Accelerate/SignalProcessing.h"
#include "Common/Math/Pitch.h"
#include "Common/ModulationDestination.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

DSPKernel::~DSPKernel() = default;

float DSPKernel::getFineTunedRandomize(const std::map<int, float>&, int, float value)
{
    return value;
}

void DSPKernel::handleMIDIEvent(const uint8_t*, int64_t, int64_t) {}

void DSPKernel::allocParameters(ParameterList* list)
{
    if (parametersAllocated)
        return;
    parameters.reset(list);
    const size_t slotCount = list->getSlotCount();
    feedbackValues.resize(slotCount);
    modulatedFlags.reset(new std::atomic<bool>[slotCount]);
    pendingUpdates.reset(new std::atomic<bool>[slotCount]);
    for (size_t i = 0; i < slotCount; ++i)
    {
        modulatedFlags[i].store(false);
        pendingUpdates[i].store(false);
    }

    for (size_t i = 0; i < slotCount; ++i)
    {
        ParameterBase* slot = list->getSlot(i);
        if (slot == nullptr)
            contractFailure("Parameter not setted.");
        if (slot->feedbackCount >= 1)
        {
            const auto count = static_cast<size_t>(slot->feedbackCount);
            feedbackValues[i].reset(new std::atomic<float>[count]);
            for (size_t k = 0; k < count; ++k)
                feedbackValues[i][k].store(0.0f);
        }
        Parameter* p = slot->asParameter();
        if (p != nullptr && p->destinationGroup != nullptr)
            for (auto& d : p->destinationGroup->destinations)
                d.parameter = list->findParameter(destinationNameToParameter(d.name));
    }
    parametersAllocated = true;
}

void DSPKernel::initParameters()
{
    if (parametersInitialised)
        return;
    for (Parameter* p : parameters->getProcessingParameters())
    {
        startRamp(static_cast<size_t>(p->index), p->defaultValue, rampLength);
        p->init();
    }
    applyPendingUpdates(); // still in the constructor: the defaults take effect at once
    parametersInitialised = true;
}

void DSPKernel::init(int channels, double rate)
{
    if (!parametersAllocated || !parametersInitialised)
        contractFailure("You should call allocParameters() at the beginning of child constructor and "
                        "initParameters() at the end of child constructor.");
    SignalProcessing::init();
    channelCount = channels;
    const auto sr = static_cast<float>(rate);
    sampleRate = sr;
    if (sr / 2.0f != nyquist)
    {
        nyquist = sr / 2.0f;
        inverseNyquist = 1.0f / nyquist;
    }
    rampLength = static_cast<size_t>(std::floor(static_cast<double>(sr) * 0.019999999552965164));
    parameters->rampLength.store(rampLength);
    applyPendingUpdates();
}

void DSPKernel::startRamp(size_t index, float x, size_t rampFrames)
{
    Parameter* p = parameters->getDSPParameter(static_cast<int>(index));
    if (p == nullptr || !std::isfinite(x))
        return;
    const float f = p->dspFactor;

    if (p->hasFlag(NotRamped))
    {
        // The value is published first, then the flag: the processing thread reads it after the flag.
        p->setValue(std::clamp(x, p->minimum * f, p->maximum * f), 0);
        pendingUpdates[index].store(true, std::memory_order_release);
        anyPendingUpdate.store(true, std::memory_order_release);
        return;
    }

    const size_t frames = std::max(rampFrames, rampLength);
    float v = 0.0f;
    if (!p->values.empty())
    {
        const int i = std::clamp(static_cast<int>(std::round(x)), 0, static_cast<int>(p->maximum));
        p->currentIndex.store(std::clamp(x, 0.0f, p->maximum), std::memory_order_relaxed);
        v = p->values.at(static_cast<size_t>(i));
    }
    else if (p->isNoteFrequency())
        v = std::clamp(Pitch::frequencyToNote(x), Pitch::frequencyToNote(p->minimum),
                       Pitch::frequencyToNote(p->maximum));
    else
        v = std::clamp(x * f, p->minimum * f, p->maximum * f);
    p->setValue(v, frames);
}

float DSPKernel::getParameter(size_t index) const
{
    Parameter* p = parameters->getDSPParameter(static_cast<int>(index));
    if (p == nullptr)
        return 0.0f;
    if (p->hasFlag(NotRamped) || !p->values.empty())
        return p->values.empty() ? p->getUIValue() : p->currentIndex.load(std::memory_order_relaxed);
    if (p->isNoteFrequency())
    {
        const float n = p->getUIValue();
        if (n <= -1500.0f)
            return 0.0f;
        if (n > 1499.0f)
            return 3.282408e38f;
        return Pitch::noteToFrequency(n);
    }
    return p->getUIValue() / p->dspFactor;
}

void DSPKernel::applyPendingUpdates()
{
    if (!anyPendingUpdate.exchange(false, std::memory_order_acquire))
        return;
    for (Parameter* p : parameters->getProcessingParameters())
    {
        const auto index = static_cast<size_t>(p->index);
        if (!pendingUpdates[index].exchange(false, std::memory_order_acquire))
            continue;
        const float v = p->getDSPValue();
        if (auto* s = dynamic_cast<SyncRateParameter*>(p))
        {
            const auto& r = s->rates.at(static_cast<size_t>(std::round(v)));
            updateParameter(index, static_cast<float>(r.numerator) / static_cast<float>(r.denominator));
        }
        else
            updateParameter(index, v / p->dspFactor);
    }
}

void DSPKernel::process(size_t, size_t, long busIndex)
{
    applyPendingUpdates();
    if (clearRequested.exchange(false))
        clear();
    if (busIndex == 0)
        parameters->prepareParameters();
}

std::vector<std::pair<Parameter*, float>> DSPKernel::randomize()
{
    requestClear();
    const std::vector<size_t> fixedIndices = parameters->getUnrandomizable();
    std::map<int, float> fixed;
    std::vector<std::pair<Parameter*, float>> result;
    for (Parameter* p : parameters->getProcessingParameters())
    {
        if (std::find(fixedIndices.begin(), fixedIndices.end(), static_cast<size_t>(p->index)) !=
            fixedIndices.end())
            continue;
        float v = 0.0f;
        if (p->unit == OnOff)
            v = std::rand() % 1000 > 500 ? 1.0f : 0.0f;
        else
        {
            float r = static_cast<float>(std::rand() * 4.656612873077393e-10); // 2^-31
            if (p->toValue != nullptr)
            {
                p->toValue(p->minimum, p->maximum, &r, 1);
                v = r;
            }
            else
                v = r * (p->maximum - p->minimum) + p->minimum;
            if (p->unit == Integer)
                v = std::round(v);
        }
        v = getFineTunedRandomize(fixed, p->index, v);
        fixed[p->index] = v;
        result.emplace_back(p, v);
    }
    return result;
}

void DSPKernel::fillModulationFeedbacks(ParameterBufferList& list,
                                        const std::vector<ParameterElement>& elements)
{
    if (!editorOpen.load(std::memory_order_relaxed))
        return;
    for (const auto& e : elements)
    {
        auto* feedback = feedbackValues.at(e.index).get();
        Parameter* p = parameters->getDSPParameter(static_cast<int>(e.index));
        if (feedback == nullptr || p == nullptr)
            continue;
        modulatedFlags[e.index].store(false, std::memory_order_relaxed);
        float v = p->convertValueForUI(list.getModulatedValue(e, 0));
        if (!p->hasFlag(RawFeedback))
        {
            if (p->toNormalised != nullptr)
                p->toNormalised(p->minimum, p->maximum, &v, 1);
            else
                v = (v - p->minimum) / (p->maximum - p->minimum);
        }
        feedback[0].store(v, std::memory_order_relaxed);
    }
    for (Parameter* p : parameters->getProcessingParameters())
    {
        if (p->destinationGroup == nullptr)
            continue;
        const auto k = static_cast<size_t>(getParameter(static_cast<size_t>(p->index)));
        const ModulationDestination& d = p->destinationGroup->destinations.at(k);
        if (d.parameter != nullptr)
            modulatedFlags[static_cast<size_t>(d.parameter->index)].store(true, std::memory_order_relaxed);
    }
}

#include "ParameterList.h"

#include "Common/ContractFailure.h"
#include "ParameterBufferList.h"

ParameterList::ParameterList(int slotCount) : slots(static_cast<size_t>(slotCount), nullptr) {}

ParameterList::~ParameterList()
{
    for (auto* p : slots)
        delete p;
}

void ParameterList::addTemplate(size_t index, std::string name, const ParameterTemplate& t, float defaultValue,
                                int feedbackCount)
{
    addDSPParameter(new Parameter(static_cast<int>(index), std::move(name), t, defaultValue, feedbackCount));
}

void ParameterList::addTemplate(size_t index, std::string name, const SyncRateParameterTemplate& t,
                                QuarneDSP::SyncRate defaultRate, int feedbackCount)
{
    addDSPParameter(
        new SyncRateParameter(static_cast<int>(index), std::move(name), t, defaultRate, feedbackCount));
}

void ParameterList::add(size_t index, std::string name, float minimum, float maximum, float defaultValue,
                        ParameterUnit unit, const std::vector<ParameterFlags>& flags, float dspFactor)
{
    addDSPParameter(new Parameter(static_cast<int>(index), std::move(name), minimum, maximum, defaultValue, unit,
                                  flags, dspFactor));
}

void ParameterList::addUI(size_t index, std::string name, int feedbackCount)
{
    store(new ParameterUI(static_cast<int>(index), std::move(name), feedbackCount));
}

void ParameterList::addDSPParameter(Parameter* p)
{
    if (p->name.find(':') != std::string::npos)
        contractFailure("Parameter names must not contain ':'.");
    store(p);
    processingParameters.push_back(p);
}

void ParameterList::store(ParameterBase* p)
{
    std::unique_ptr<ParameterBase> owned(p);
    ParameterBase*& slot = slots.at(static_cast<size_t>(p->index));
    if (slot != nullptr)
        contractFailure("Parameter slot filled twice.");
    slot = owned.release();
}

Parameter* ParameterList::getDSPParameter(int index) const
{
    ParameterBase* slot = slots.at(static_cast<size_t>(index));
    return slot != nullptr ? slot->asParameter() : nullptr;
}

Parameter* ParameterList::findParameter(const std::string& name) const
{
    for (auto* p : processingParameters)
        if (p->name == name)
            return p;
    return nullptr;
}

void ParameterList::prepareParameters()
{
    const size_t frames = rampLength.load(std::memory_order_relaxed);
    for (auto* p : processingParameters)
        p->prepare(frames);
}

void ParameterList::checkOutBuffers(size_t frames, ParameterBufferList& list)
{
    for (auto* p : processingParameters)
    {
        bool changed = false;
        if (float* b = p->checkoutValue(frames, &changed))
            list.writeAt(static_cast<size_t>(p->index), b, changed, frames);
    }
}

#pragma once
// The kernel's parameters by index: slot k holds the parameter whose index is k; the processing
// parameters are also kept in the order of addition, which is the order the host sees.

#include "Parameter.h"

#include <atomic>
#include <memory>
#include <vector>

class ParameterBufferList;

class ParameterList
{
public:
    explicit ParameterList(int slotCount);
    virtual ~ParameterList();
    ParameterList(const ParameterList&) = delete;
    ParameterList& operator=(const ParameterList&) = delete;

    virtual std::vector<size_t> getFavourites() = 0;
    virtual std::vector<size_t> getUnrandomizable() { return {}; }
    virtual bool displayModulations() { return true; }

    void addTemplate(size_t index, std::string name, const ParameterTemplate& t, float defaultValue,
                     int feedbackCount);
    void addTemplate(size_t index, std::string name, const SyncRateParameterTemplate& t,
                     QuarneDSP::SyncRate defaultRate, int feedbackCount);
    void add(size_t index, std::string name, float minimum, float maximum, float defaultValue, ParameterUnit unit,
             const std::vector<ParameterFlags>& flags, float dspFactor);
    void addUI(size_t index, std::string name, int feedbackCount);
    void addDSPParameter(Parameter* p);

    Parameter* getDSPParameter(int index) const;
    ParameterBase* getSlot(size_t index) const { return slots.at(index); }
    size_t getSlotCount() const { return slots.size(); }
    const std::vector<Parameter*>& getProcessingParameters() const { return processingParameters; }
    // The first processing parameter with this identifier, or null.
    Parameter* findParameter(const std::string& name) const;

    void prepareParameters();
    void checkOutBuffers(size_t frames, ParameterBufferList& list);

    std::atomic<size_t> rampLength{0};

private:
    void store(ParameterBase* p);

    std::vector<ParameterBase*> slots;
    std::vector<Parameter*> processingParameters;
};

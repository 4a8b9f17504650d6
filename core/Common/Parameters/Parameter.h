#pragma once
// One parameter slot: ParameterBase (index, name, feedback), ParameterUI (editor-only slots),
// Parameter (range, unit, flags, factor, lists, curves and ramped value) and SyncRateParameter.

#include "ParameterTemplate.h"
#include "ParameterTypes.h"
#include "ParameterValue.h"

#include <memory>
#include <string>
#include <vector>

class ModulationDestinationGroup;
class Parameter;

class ParameterBase
{
public:
    ParameterBase(int index, std::string name, int feedbackCount);
    virtual ~ParameterBase() = default;
    ParameterBase(const ParameterBase&) = delete;
    ParameterBase& operator=(const ParameterBase&) = delete;

    virtual Parameter* asParameter() { return nullptr; }

    const int index;
    const std::string name;
    const int feedbackCount;
};

// A slot that exists only for the editor: it carries feedback values or gives an element an index.
class ParameterUI : public ParameterBase
{
public:
    using ParameterBase::ParameterBase;
};

class Parameter : public ParameterBase
{
public:
    Parameter(int index, std::string name, float minimum, float maximum, float defaultValue, ParameterUnit unit,
              const std::vector<ParameterFlags>& flags, float dspFactor);
    Parameter(int index, std::string name, const ParameterTemplate& t, float defaultValue, int feedbackCount);

    Parameter* asParameter() override { return this; }

    bool hasFlag(int flag) const { return (flags & flag) != 0; }
    bool isNoteFrequency() const { return unit == Frequency && !hasFlag(LinearFrequency); }

    void setValue(float v, size_t rampFrames);
    float getDSPValue();
    float getUIValue();
    void init();
    void reset();
    void prepare(size_t rampFrames);
    float* checkoutValue(size_t frames, bool* changed);
    float convertValueForUI(float processingValue);

    // Index of the `values` entry nearest to v; the scan starts at the entry hint if it matches exactly.
    float valueToIndex(float v, float hint) const;
    void valueToIndex(float* data, size_t n);
    void indexToValue(float* data, size_t n) const;

    virtual std::string stringFromValue(float x) const;
    std::string stringWithDecimals(float x, int decimals) const;
    float stringToIntValue(const char* text) const;

    float minimum, maximum, defaultValue;
    int unit;
    int flags;
    float dspFactor;
    std::vector<float> values;
    std::vector<std::string> valueNames;
    std::atomic<float> currentIndex{0.0f};
    ModulationDestinationGroup* destinationGroup = nullptr;
    CurveFunction toValue = nullptr;
    CurveFunction toNormalised = nullptr;
    IndexToStringFunction indexToString = nullptr;
    std::unique_ptr<ParameterValue> value;
    float indexHint = 0.0f;
};

class SyncRateParameter : public Parameter
{
public:
    SyncRateParameter(int index, std::string name, const SyncRateParameterTemplate& t,
                      QuarneDSP::SyncRate defaultRate, int feedbackCount);

    std::string stringFromValue(float x) const override;

    std::vector<QuarneDSP::SyncRate> rates;
};

#pragma once
// Descriptors from which parameters are built: range, unit, flags, factor, lists and curves.

#include "ParameterTypes.h"

#include <string>
#include <vector>

class ModulationDestinationGroup;

struct ParameterTemplate
{
    ParameterTemplate(float minimum, float maximum, int unit, int flags, float dspFactor = 1.0f,
                      std::vector<float> values = {}, std::vector<std::string> valueNames = {},
                      CurveFunction toValue = nullptr, CurveFunction toNormalised = nullptr,
                      IndexToStringFunction indexToString = nullptr);
    // A destination selector: an integer index into the group, named after its destinations.
    explicit ParameterTemplate(ModulationDestinationGroup* group);

    float minimum, maximum;
    int unit;
    int flags;
    float dspFactor = 1.0f;
    std::vector<float> values;
    std::vector<std::string> valueNames;
    ModulationDestinationGroup* destinationGroup = nullptr;
    CurveFunction toValue = nullptr;
    CurveFunction toNormalised = nullptr;
    IndexToStringFunction indexToString = nullptr;
};

struct SyncRateParameterTemplate : ParameterTemplate
{
    SyncRateParameterTemplate(ParameterTemplate base, std::vector<QuarneDSP::SyncRate> rates, int valueMode);

    std::vector<QuarneDSP::SyncRate> rates;
    // 0: the index itself is the processing value; 1: the processing value comes from `values`.
    int valueMode;
};

#include "ParameterTemplate.h"

#include "Common/ModulationDestination.h"

ParameterTemplate::ParameterTemplate(float min, float max, int u, int f, float factor, std::vector<float> vals,
                                     std::vector<std::string> names, CurveFunction value,
                                     CurveFunction normalised, IndexToStringFunction text)
    : minimum(min), maximum(max), unit(u), flags(f), dspFactor(factor), values(std::move(vals)),
      valueNames(std::move(names)), toValue(value), toNormalised(normalised), indexToString(text)
{
}

ParameterTemplate::ParameterTemplate(ModulationDestinationGroup* group)
    : minimum(0.0f), maximum(static_cast<float>(group->destinations.size()) - 1.0f), unit(Integer),
      flags(NotRamped), destinationGroup(group)
{
    for (const auto& d : group->destinations)
        valueNames.push_back(d.name);
}

SyncRateParameterTemplate::SyncRateParameterTemplate(ParameterTemplate base, std::vector<QuarneDSP::SyncRate> r,
                                                     int mode)
    : ParameterTemplate(std::move(base)), rates(std::move(r)), valueMode(mode)
{
}

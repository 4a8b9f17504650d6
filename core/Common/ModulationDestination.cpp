#include "ModulationDestination.h"

#include "Common/Parameters/Parameter.h"

#include <cmath>
#include <utility>

float ModulationDestination::ratioFactor = 0.008f;

void ModulationDestinationGroup::add(std::string name, float range, bool modulateAsPitch, bool centreSignal,
                                     float minimum, float maximum)
{
    ModulationDestination d;
    d.name = std::move(name);
    d.range = range;
    d.modulateAsPitch = modulateAsPitch;
    d.centreSignal = centreSignal;
    d.minimum = minimum;
    d.maximum = maximum;
    destinations.push_back(std::move(d));
}

void ModulationDestinationGroup::setModulationParameter(Parameter* p, std::string name)
{
    if (name.empty())
        name = p->name;
    for (auto& d : destinations)
    {
        if (d.name != name)
            continue;
        d.parameter = p;
        d.minimum = p->minimum;
        d.maximum = p->maximum;
        if (p->unit == Integer)
        {
            if (p->values.empty())
                d.range = std::fabs(d.maximum - d.minimum) * ModulationDestination::ratioFactor;
            else
            {
                d.minimum = p->values.front();
                d.maximum = p->values.back();
                if (d.minimum > d.maximum)
                    std::swap(d.minimum, d.maximum);
                d.range = static_cast<float>(p->values.size() - 1) * ModulationDestination::ratioFactor;
            }
            d.indexed = true;
        }
        else
        {
            d.minimum = p->minimum * p->dspFactor;
            d.maximum = p->maximum * p->dspFactor;
            d.range = std::fabs(d.maximum - d.minimum) * ModulationDestination::ratioFactor;
            d.pitch = p->isNoteFrequency();
            d.toValue = p->toValue;
            d.toNormalised = p->toNormalised;
        }
        return;
    }
}

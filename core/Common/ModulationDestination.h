#pragma once
// Modulation destinations: one record per parameter a modulator can reach, with the scaling that
// turns a signed amount in percent into a move of the parameter's processing value.

#include "Common/Parameters/ParameterTypes.h"

#include <cstddef>
#include <string>
#include <vector>

class Parameter;
class ParameterBufferList;

struct ModulationDestination
{
    // Scaling of the amount: with 0.01, an amount of 100 % moves a destination across its range.
    static float ratioFactor;

    std::string name;
    Parameter* parameter = nullptr;
    ParameterBufferList* bufferList = nullptr;
    size_t voice = 0;
    float* buffer = nullptr;
    float range = 1.0f;
    float minimum = 0.0f, maximum = 1.0f;
    bool indexed = false;
    bool pitch = false;
    bool modulateAsPitch = false;
    bool centreSignal = false;
    CurveFunction toValue = nullptr;
    CurveFunction toNormalised = nullptr;
};

class ModulationDestinationGroup
{
public:
    virtual ~ModulationDestinationGroup() = default;

    void add(std::string name, float range, bool modulateAsPitch, bool centreSignal, float minimum,
             float maximum);
    // Binds the first destination named name (p's own name when empty) to p and derives its scaling.
    void setModulationParameter(Parameter* p, std::string name = {});

    std::vector<ModulationDestination> destinations;
};

// One link from a modulator to a destination of its list, with the per-sample amount in percent.
struct ModulationNode
{
    int destination = 0;
    const float* amountBuffer = nullptr;
};

#pragma once
// The current value of a parameter: a ramper for continuous parameters, a plain value otherwise.

#include "ParameterRamper.h"

#include <atomic>
#include <memory>

class ParameterValue
{
public:
    ParameterValue(bool hasRamper, bool roundToInt);

    std::unique_ptr<ParameterRamper> ramper;
    std::atomic<float> value{0.0f};
    const bool roundToInt;
};

#include "ParameterValue.h"

ParameterValue::ParameterValue(bool hasRamper, bool round)
    : ramper(hasRamper ? std::make_unique<ParameterRamper>() : nullptr), roundToInt(round)
{
}

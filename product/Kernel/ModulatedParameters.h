#pragma once
// The parameters that modulators can move: each gets a private per-block buffer to add into.

#include "Common/Parameters/ParameterBufferList.h"

#include <vector>

namespace ModulatedParameters
{
const std::vector<ParameterElement>& list();
}

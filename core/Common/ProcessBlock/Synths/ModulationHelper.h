#pragma once
// Adds one modulator's signal, scaled by a link's per-sample amount, into the destination
// parameter's buffer for the current block.

#include "Common/ModulationDestination.h"

#include <cstddef>

namespace ModulationHelper
{
void processDestinations(const ModulationNode& node, size_t frameCount, const float* signal, float* scratch,
                         ModulationDestinationGroup* group, bool unipolarSignal, float amountScale);
}

#pragma once
// The product's 105 parameter slots: identifiers, indices, ranges, defaults, units, flags, curves
// and texts. The order of addition is the order the host sees.

#include "Common/Parameters/ParameterList.h"
#include "ModulationDestinations.h"

#include <array>
#include <memory>
#include <string>

namespace Brantor2Texts
{
std::string filterModeIndexToString(int index);
std::string highPassTypeChoiceIndexToString(int index);
std::string lowPassTypeChoiceIndexToString(int index);
std::string lfoSyncModeIndexToString(int index);
std::string sequencerStepsPerBeatIndexToString(int index);
} // namespace Brantor2Texts

class Brantor2ParameterList : public ParameterList
{
public:
    static constexpr int slotCount = 105;

    Brantor2ParameterList();

    std::vector<size_t> getFavourites() override { return {0}; }

    // The destination list behind a modulator's destination selectors (names and ranges).
    ModulationDestinationGroup* getDestinationGroup(EModulator m) { return groups[static_cast<size_t>(m)].get(); }

private:
    std::array<std::unique_ptr<ModulationDestinations>, 4> groups;
};

#include "Brantor2ParameterList.h"
#include "Common/Math/Pitch.h"
#include "Common/Parameters/ParameterBufferList.h"
#include "Common/ProcessBlock/Synths/ModulationHelper.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr size_t frames = 16;

// A destination list bound to the product's parameters, with one buffer per parameter.
class Routing : public ::testing::Test
{
protected:
    Routing() : group(EModulator::Sequencer), buffers(Brantor2ParameterList::slotCount)
    {
        ModulationDestination::ratioFactor = 0.01f;
        for (auto& d : group.destinations)
            if (Parameter* p = list.findParameter(d.name))
            {
                d.bufferList = &buffers;
                d.voice = 1;
                group.setModulationParameter(p, d.name);
            }
        std::vector<ParameterElement> all;
        for (Parameter* p : list.getProcessingParameters())
            all.push_back({static_cast<size_t>(p->index), true});
        buffers.setModulatedParameters(all, 1);
        sources.assign(Brantor2ParameterList::slotCount, std::vector<float>(frames, 0.0f));
    }

    int destination(const char* name)
    {
        for (size_t i = 0; i < group.destinations.size(); ++i)
            if (group.destinations[i].name == name)
                return static_cast<int>(i);
        return -1;
    }

    // Sets the parameter's block buffer to a processing value, modulates it, returns the result.
    float modulate(const char* name, float start, float signal, float amount)
    {
        const auto index = static_cast<size_t>(list.findParameter(name)->index);
        std::fill(sources[index].begin(), sources[index].end(), start);
        buffers.writeAt(index, sources[index].data(), true, frames);
        link(name, signal, amount);
        return buffers[index][frames - 1];
    }

    void link(const char* name, float signal, float amount)
    {
        std::vector<float> s(frames, signal), a(frames, amount), scratch(frames);
        ModulationNode node{destination(name), a.data()};
        ModulationHelper::processDestinations(node, frames, s.data(), scratch.data(), &group, false, 1.0f);
    }

    Brantor2ParameterList list;
    ModulationDestinations group;
    ParameterBufferList buffers;
    std::vector<std::vector<float>> sources;
};
} // namespace

TEST(ModulationDestinations, ListSizes)
{
    EXPECT_EQ(ModulationDestinations(EModulator::Lfo1).destinations.size(), 14u);
    EXPECT_EQ(ModulationDestinations(EModulator::Lfo2).destinations.size(), 21u);
    EXPECT_EQ(ModulationDestinations(EModulator::EnvelopeFollower).destinations.size(), 28u);
    ModulationDestinations sequencer(EModulator::Sequencer);
    ASSERT_EQ(sequencer.destinations.size(), 33u);
    EXPECT_EQ(sequencer.destinations[0].name, "None");
    EXPECT_EQ(sequencer.destinations[14].name, "Lfo1FreeRate");
    EXPECT_EQ(sequencer.destinations[28].name, "EnvelopeFollowerGain");
}

TEST_F(Routing, WorkedScalings)
{
    EXPECT_FLOAT_EQ(modulate("InputGain", -12, 1, 100), 36.0f);
    EXPECT_FLOAT_EQ(modulate("DryWet", 100, 1, -50), 50.0f);
    EXPECT_FLOAT_EQ(modulate("DryWet", 90, 1, 50), 100.0f);
    EXPECT_FLOAT_EQ(modulate("WaveshaperFold", -1, 1, 100), 1.0f);
    EXPECT_FLOAT_EQ(modulate("Lfo1SyncRate", 0.5f, 1, 10), 1.0f / 3.0f); // index 8 -> 10
    EXPECT_FLOAT_EQ(modulate("Lfo1SyncRate", 0.5f, 1, 100), 0.015625f);  // clamped to the last entry
    EXPECT_NEAR(modulate("Lfo1FreeRate", 0.015625f, 1, 100), 40.0f, 1e-3f);

    const float lo = Pitch::frequencyToNote(20), hi = Pitch::frequencyToNote(20000);
    EXPECT_NEAR(modulate("Filter1Freq", lo, 1, 25), lo + 0.25f * (hi - lo), 1e-3f);
}

TEST_F(Routing, FrequencyStaysInsideItsRange)
{
    const float lo = Pitch::frequencyToNote(20), hi = Pitch::frequencyToNote(20000);
    EXPECT_NEAR(modulate("Filter1Freq", Pitch::frequencyToNote(10000), 1, 100), hi, 1e-3f);
    EXPECT_NEAR(modulate("Filter2Freq", Pitch::frequencyToNote(100), -1, 100), lo, 1e-3f);
}

TEST_F(Routing, ZeroAmountOrSignalLeavesTheTargetUntouched)
{
    EXPECT_EQ(modulate("InputGain", 3, 1, 0), 3.0f);
    EXPECT_EQ(modulate("InputGain", 3, 0, 100), 3.0f);
}

TEST_F(Routing, LinksToOneParameterAddUp)
{
    const float after = modulate("OutputGain", -6, 0.5f, 10); // +0.5 * 10 * 0.48 = +2.4
    link("OutputGain", -1, 10);                                // -4.8
    EXPECT_NEAR(after, -3.6f, 1e-5f);
    EXPECT_NEAR(buffers[9][0], -8.4f, 1e-5f);
}

TEST_F(Routing, NoneChangesNothing)
{
    std::vector<float> s(frames, 1.0f), a(frames, 100.0f), scratch(frames);
    ModulationHelper::processDestinations({0, a.data()}, frames, s.data(), scratch.data(), &group, false, 1.0f);
    EXPECT_EQ(buffers[1], nullptr);
}

#include "Brantor2DSPKernel.h"
#include "Common/Math/Pitch.h"
#include "Common/Parameters/GenericTemplates.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Brantor2ParameterList, SlotsIndicesAndHostOrder)
{
    Brantor2ParameterList list;
    ASSERT_EQ(list.getSlotCount(), 105u);
    int uiSlots = 0;
    for (size_t k = 0; k < list.getSlotCount(); ++k)
    {
        ASSERT_NE(list.getSlot(k), nullptr) << k;
        EXPECT_EQ(list.getSlot(k)->index, static_cast<int>(k));
        uiSlots += list.getSlot(k)->asParameter() == nullptr ? 1 : 0;
    }
    EXPECT_EQ(uiSlots, 9);
    const auto& order = list.getProcessingParameters();
    ASSERT_EQ(order.size(), 96u);
    EXPECT_EQ(order[0]->name, "InputGain");
    EXPECT_EQ(order[1]->name, "WaveshaperPosition");
    EXPECT_EQ(order[7]->name, "DryWet");
    EXPECT_EQ(order[7]->index, 0);
    EXPECT_EQ(order[95]->name, "SequencerDestination2");

    const std::pair<const char*, int> named[] = {
        {"Filter1Type", 12},          {"Filter2Type", 18},           {"Lfo1Destination1", 34},
        {"Lfo2Amount2", 51},          {"EnvelopeFollowerRelease", 56}, {"SequencerSmooth", 67},
        {"SequencerStep01Value", 69}, {"SequencerStep01Curve", 68},  {"SequencerStep16Value", 99},
        {"SequencerStep16Curve", 98}, {"SequencerLength", 65},       {"SequencerRandomness", 66},
        {"SequencerAmount1", 101},    {"SequencerDestination2", 102}};
    for (const auto& [name, index] : named)
    {
        ASSERT_NE(list.findParameter(name), nullptr) << name;
        EXPECT_EQ(list.findParameter(name)->index, index) << name;
    }
    EXPECT_EQ(list.getSlot(104)->name, "SequencerFeedback");
    EXPECT_EQ(list.getSlot(104)->feedbackCount, 2);
}

TEST(Brantor2ParameterList, SyncRatesAndResolution)
{
    Brantor2DSPKernel kernel;
    Brantor2ParameterList& list = kernel.getProductParameters();
    Parameter* rate = list.findParameter("Lfo1SyncRate");
    EXPECT_EQ(rate->defaultValue, 8.0f);
    EXPECT_EQ(rate->stringFromValue(8), "1/2");
    EXPECT_EQ(rate->stringFromValue(7), "1bar");
    EXPECT_EQ(rate->stringFromValue(0), "128bars");
    EXPECT_TRUE(rate->hasFlag(StoreAsText));
    EXPECT_EQ(rate->value->ramper->getGoal(), 0.5f);
    EXPECT_EQ(rate->values[10], 1.0f / 3.0f);

    Parameter* resolution = list.findParameter("SequencerResolution");
    EXPECT_EQ(resolution->defaultValue, 5.0f);
    EXPECT_EQ(resolution->stringFromValue(5), "1/4");
    EXPECT_EQ(resolution->stringFromValue(0), "Off");
    EXPECT_EQ(resolution->value->ramper->getGoal(), 1.0f);
    kernel.startRamp(62, 0.0f, 0);
    EXPECT_EQ(resolution->value->ramper->getGoal(), 0.0f);
}

TEST(Brantor2ParameterList, CurvesAndTexts)
{
    Brantor2DSPKernel kernel;
    Brantor2ParameterList& list = kernel.getProductParameters();
    Parameter* freeRate = list.findParameter("Lfo1FreeRate");
    EXPECT_EQ(freeRate->stringFromValue(1.0f), "1.0s");
    EXPECT_EQ(freeRate->stringFromValue(40.0f), "25ms");
    float v = 1.0f;
    freeRate->toNormalised(freeRate->minimum, freeRate->maximum, &v, 1);
    EXPECT_NEAR(v, std::cbrt((1.0f - 0.015625f) / (40.0f - 0.015625f)), 1e-6f);

    Parameter* freq = list.findParameter("Filter1Freq");
    kernel.setParameter(static_cast<size_t>(freq->index), 440.0f);
    EXPECT_NEAR(freq->value->ramper->getGoal(), 69.0f, 1e-4f);
    float n = 440.0f;
    freq->toNormalised(20, 20000, &n, 1);
    EXPECT_NEAR(n, 0.447f, 0.001f);

    EXPECT_EQ(list.findParameter("Filter1State")->stringFromValue(2), "Post");
    EXPECT_EQ(list.findParameter("Filter1Type")->stringFromValue(0), "HighPass");
    EXPECT_EQ(list.findParameter("Filter2Type")->stringFromValue(0), "LowPass");
    EXPECT_EQ(list.findParameter("Lfo2SyncMode")->stringFromValue(2), "Beat");
    EXPECT_EQ(list.findParameter("OutputGain")->stringFromValue(-3), "-3dB");
    EXPECT_EQ(list.findParameter("Lfo1TimeShape")->stringFromValue(0.5f), ".50");
    EXPECT_EQ(list.findParameter("SequencerDestination1")->stringFromValue(32), "EnvelopeFollowerAmount2");
}

TEST(Brantor2ParameterList, DestinationSelectorsFollowTheirLists)
{
    Brantor2ParameterList list;
    const std::pair<const char*, float> selectors[] = {{"Lfo1Destination1", 13},
                                                       {"Lfo2Destination2", 20},
                                                       {"EnvelopeFollowerDestination1", 27},
                                                       {"SequencerDestination2", 32}};
    for (const auto& [name, max] : selectors)
    {
        Parameter* p = list.findParameter(name);
        EXPECT_EQ(p->maximum, max) << name;
        EXPECT_TRUE(p->hasFlag(NotRamped));
        ASSERT_NE(p->destinationGroup, nullptr);
        EXPECT_EQ(p->destinationGroup->destinations.size(), static_cast<size_t>(max) + 1);
        EXPECT_EQ(p->stringFromValue(0), "None");
    }
}

TEST(GenericTemplates, CubicCurveRoundTripsAndMatchesThePower)
{
    for (float x : {0.0f, 1e-6f, 0.001f, 0.2f, 0.291f, 0.5f, 0.999f, 1.0f})
    {
        float v = x;
        GenericTemplates::powThree(0.015625f, 40.0f, &v, 1);
        EXPECT_NEAR(v, std::pow(x, 3.0f) * (40.0f - 0.015625f) + 0.015625f, 1e-5f) << x;
        GenericTemplates::invertPowThree(0.015625f, 40.0f, &v, 1);
        EXPECT_NEAR(v, x, 1e-5f) << x; // through the range: float rounding of the offset
        float r = x;
        GenericTemplates::invertPowThree(0.0f, 1.0f, &r, 1);
        EXPECT_NEAR(r, std::pow(x, 0.33333334f), 1e-6f) << x;
    }
}

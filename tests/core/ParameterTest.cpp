#include "Brantor2ParameterList.h"
#include "Common/Parameters/Parameter.h"

#include <gtest/gtest.h>

namespace
{
Parameter makeUnit(ParameterUnit unit, float min, float max, std::vector<ParameterFlags> flags = {})
{
    return Parameter(0, "P", min, max, min, unit, flags, 1.0f);
}

struct TextCase
{
    ParameterUnit unit;
    float min, max;
    std::vector<ParameterFlags> flags;
    float value;
    const char* text;
};
} // namespace

TEST(Parameter, ValueTexts)
{
    const TextCase cases[] = {
        {Milliseconds, 0, 2000, {}, 999.6f, "1000ms"},
        {Milliseconds, 0, 2000, {}, 1000.0f, "1.0s"},
        {Milliseconds, 0, 2000, {}, 250.0f, "250ms"},
        {Rate, 0.015625f, 40, {}, 40.0f, "25ms"},
        {Rate, 0.015625f, 40, {}, 0.5f, "2.0s"},
        {Rate, 0.015625f, 40, {}, 1.0f, "1.0s"},
        {Rate, 0.015625f, 40, {ShowAsFrequency}, 2.5f, "2.50Hz"},
        {Frequency, 20, 20000, {}, 9.96f, "10.0Hz"},
        {Frequency, 20, 20000, {}, 440.0f, "440Hz"},
        {OnOff, 0, 1, {}, 0.6f, "On"},
        {OnOff, 0, 1, {}, 0.2f, "Off"},
        {Plain, -0.95f, 0.95f, {}, 0.5f, ".50"},
        {Plain, -0.95f, 0.95f, {}, -0.5f, "-.50"},
        {Plain, 0, 1, {}, 0.5f, "0.5"},
        {Decibels, -24, 24, {}, -3.0f, "-3dB"},
        {Percent, 0, 100, {}, 100.0f, "100%"},
        {Seconds, 0, 10, {}, 1.5f, "1.5s"},
        {Degrees, 0, 360, {}, 90.0f, "90\xc2\xb0"},
    };
    for (const auto& c : cases)
    {
        Parameter p = makeUnit(c.unit, c.min, c.max, c.flags);
        EXPECT_EQ(p.stringFromValue(c.value), c.text) << "unit " << c.unit << " value " << c.value;
    }
}

TEST(Parameter, ListValueTextsDropTrailingZeros)
{
    ParameterTemplate t(0, 3, Integer, 0, 1.0f, {0.25f, 2.0f, 0.0625f, 0.0f});
    Parameter p(0, "P", t, 0, 0);
    EXPECT_EQ(p.stringFromValue(0), "0.25");
    EXPECT_EQ(p.stringFromValue(1), "2");
    EXPECT_EQ(p.stringFromValue(2), "0.0625");
    EXPECT_EQ(p.stringFromValue(3), "0");
}

TEST(Parameter, NearestIndexStopsAtTheFirstMinimumAndTiesGoLow)
{
    ParameterTemplate t(0, 2, Integer, 0, 1.0f, {0.0f, 0.25f, 0.5f});
    Parameter p(0, "P", t, 0, 0);
    EXPECT_EQ(p.valueToIndex(0.3f, 0), 1.0f);
    EXPECT_EQ(p.valueToIndex(0.375f, 0), 1.0f);
    EXPECT_EQ(p.valueToIndex(7.0f, 0), 2.0f);
    EXPECT_EQ(p.valueToIndex(-1.0f, 2), 0.0f);
    EXPECT_EQ(p.valueToIndex(0.5f, 2), 2.0f);
}

TEST(Parameter, IndexToValueClipsRoundsAndReads)
{
    ParameterTemplate t(0, 2, Integer, 0, 1.0f, {1.0f, 2.0f, 4.0f});
    Parameter p(0, "P", t, 0, 0);
    float data[] = {-3.0f, 0.6f, 1.4f, 9.0f};
    p.indexToValue(data, 4);
    EXPECT_EQ(data[0], 1.0f);
    EXPECT_EQ(data[1], 2.0f);
    EXPECT_EQ(data[2], 2.0f);
    EXPECT_EQ(data[3], 4.0f);
}

TEST(Parameter, TextToIntegerValueIsCaseSensitive)
{
    ParameterTemplate t(0, 2, Integer, NotRamped, 1.0f, {}, {}, nullptr, nullptr,
                        Brantor2Texts::filterModeIndexToString);
    Parameter p(0, "P", t, 0, 0);
    EXPECT_EQ(p.stringToIntValue("Post"), 2.0f);
    EXPECT_EQ(p.stringToIntValue("Pre"), 1.0f);
    EXPECT_EQ(p.stringToIntValue("post"), 0.0f);
}

TEST(SyncRateParameter, TextsAndDefault)
{
    SyncRateParameterTemplate t(ParameterTemplate(0, 4, Integer, 0, 1.0f, {0, 4, 1, 0.5f, 0.1875f}),
                                {{0, 1}, {4, 1}, {1, 1}, {1, 2}, {3, 16}}, 1);
    SyncRateParameter p(0, "Rate", t, {1, 2}, 0);
    EXPECT_EQ(p.defaultValue, 3.0f);
    EXPECT_EQ(p.stringFromValue(0), "Off");
    EXPECT_EQ(p.stringFromValue(1), "4bars");
    EXPECT_EQ(p.stringFromValue(2), "1bar");
    EXPECT_EQ(p.stringFromValue(3), "1/2");
    EXPECT_EQ(p.stringFromValue(4), "3/16");
    EXPECT_NE(p.value->ramper, nullptr);

    SyncRateParameter indexOnly(1, "Index", SyncRateParameterTemplate(t, t.rates, 0), {7, 8}, 0);
    EXPECT_EQ(indexOnly.defaultValue, 5.0f); // not in the list: the list's size
    EXPECT_TRUE(indexOnly.hasFlag(NotRamped));
    EXPECT_EQ(indexOnly.value->ramper, nullptr);
}

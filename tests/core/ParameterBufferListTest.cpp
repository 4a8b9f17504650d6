#include "Common/Parameters/ParameterBufferList.h"

#include <gtest/gtest.h>

TEST(ParameterBufferList, UnwrittenIndicesAreNull)
{
    ParameterBufferList list(4);
    EXPECT_EQ(list[2], nullptr);
    EXPECT_EQ(list[40], nullptr);
}

TEST(ParameterBufferList, ModulatedParametersGetAPrivateCopyPerBlock)
{
    ParameterBufferList list(4);
    list.setModulatedParameters({{1, true}}, 1);
    float source[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    float plain[8] = {2, 2, 2, 2, 2, 2, 2, 2};

    list.writeAt(0, plain, true, 8);
    list.writeAt(1, source, true, 8);
    EXPECT_EQ(list[0], plain);

    float* copy = list[1];
    ASSERT_NE(copy, source);
    EXPECT_EQ(copy[7], 1.0f);
    copy[3] += 5.0f; // a modulator adds into the copy
    EXPECT_EQ(list.getBuffer(1, 1), copy); // every reader of the block sees the same copy
    EXPECT_EQ(list[1][3], 6.0f);
    EXPECT_EQ(source[3], 1.0f);

    list.writeAt(1, source, false, 8); // next block, ramp buffer unchanged
    EXPECT_EQ(list[1][3], 1.0f);       // fresh copy of the ramp buffer
}

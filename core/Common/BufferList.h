#pragma once
// The channel pointers of one audio bus (one or two channels), pointing at the host's buffers.

#include <array>

struct BufferList
{
    static constexpr int maxChannels = 2;

    std::array<float*, maxChannels> channels{};
    int channelCount = 0;
};

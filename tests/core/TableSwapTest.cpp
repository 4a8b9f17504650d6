// Tables loaded on one thread while another renders: the audio thread never reads a table that
// is being written (run under ThreadSanitizer by the test command's sanitizer build).

#include "KernelRig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(TableSwap, LoadingWhileRenderingNeverTearsATable)
{
    KernelRig rig;
    rig.neutral();
    rig.prepare(48000);
    // Every table is one constant level: a block whose samples (each reading another place of the
    // table) disagree would have read a half-written table.
    std::vector<std::vector<float>> tables;
    for (int k = 1; k <= 4; ++k)
        tables.emplace_back(2048 * 8, 0.1f * static_cast<float>(k));
    rig.kernel.loadTableSamples(tables[0].data(), tables[0].size());

    std::atomic<bool> done{false};
    std::thread loader([&] {
        for (int round = 0; round < 400; ++round)
        {
            const auto& t = tables[static_cast<size_t>(round) % tables.size()];
            rig.kernel.loadTableSamples(t.data(), t.size());
        }
        done = true;
    });
    std::vector<float> in(64);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = -1.0f + 2.0f * static_cast<float>(i) / 63.0f;
    int blocks = 0;
    while (!done || blocks < 10)
    {
        const auto out = rig.renderMono(in, 64);
        ASSERT_NEAR(out[0] * 10.0f, std::round(out[0] * 10.0f), 1e-4f) << out[0];
        for (float v : out)
            ASSERT_EQ(v, out[0]);
        ++blocks;
    }
    loader.join();
}

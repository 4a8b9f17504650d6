// Many instances in one process on one thread, as a busy DAW session runs them: 64 processors with
// every modulator on and both filters in the path, 48 kHz, blocks of 256 frames. Prints the share
// of one core they take. Usage: teloma_load_bench [INSTANCES]  (factory tables installed or
// TELOMA_FACTORY_FOLDER set)

#include "../tests/common/FullPatch.h"
#include "Brantor2Processor.h"
#include "OfflineRender.h"

#include <juce_events/juce_events.h>

#include <ctime>
#include <iostream>

namespace
{
constexpr double rate = 48000.0;
constexpr int block = 256;
constexpr double seconds = 10.0;

double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1.0e-9;
}
} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 64;
    const juce::ScopedJuceInitialiser_GUI juce;
    std::vector<std::unique_ptr<Brantor2Processor>> instances;
    std::vector<std::unique_ptr<OfflineRender::Renderer>> renderers;
    for (int i = 0; i < count; ++i)
    {
        instances.push_back(std::make_unique<Brantor2Processor>());
        if (!FullPatch::apply(*instances.back()))
        {
            std::cerr << "no factory content: install the plug-in or set TELOMA_FACTORY_FOLDER\n";
            return 1;
        }
        instances.back()->getKernel().editorOpen = false;
        renderers.push_back(std::make_unique<OfflineRender::Renderer>());
        renderers.back()->start(*instances.back(), 2, {rate, block, 120.0});
    }

    juce::AudioBuffer<float> buffer(2, block);
    juce::Random random(1);
    const int blocks = static_cast<int>(seconds * rate / block);
    const double start = threadSeconds();
    for (int b = 0; b < blocks; ++b)
        for (auto& renderer : renderers)
        {
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < block; ++i)
                    buffer.setSample(c, i, 0.25f * (random.nextFloat() - 0.5f));
            renderer->process(buffer);
        }
    const double used = threadSeconds() - start;
    for (auto& renderer : renderers)
        renderer->finish();

    std::cout << count << " instances, full patch, 48 kHz, " << block
              << "-frame blocks: " << juce::String(100.0 * used / seconds, 1) << " % of one core ("
              << juce::String(used, 2) << " s of CPU for " << seconds
              << " s of audio; includes filling the input)\n";
    return 0;
}

#include "Brantor2DSPKernel.h"

#include "ModulatedParameters.h"

#include <algorithm>

Brantor2DSPKernel::Brantor2DSPKernel()
    : productParameters(new Brantor2ParameterList()), parameterBuffers(Brantor2ParameterList::slotCount)
{
    allocParameters(productParameters);
    parameterBuffers.setModulatedParameters(ModulatedParameters::list(), 1);
    initParameters();
}

void Brantor2DSPKernel::clear() {}

void Brantor2DSPKernel::updateParameter(size_t, float) {}

void Brantor2DSPKernel::process(size_t frameCount, size_t bufferOffset, long busIndex)
{
    DSPKernel::process(frameCount, bufferOffset, busIndex);
    getParameters()->checkOutBuffers(frameCount, parameterBuffers);

    // The audio path is not built yet: the kernel renders its input unchanged.
    if (inputs.empty() || outputs.empty())
        return;
    const BufferList& in = *inputs[0];
    const BufferList& out = *outputs[0];
    for (int c = 0; c < std::min(in.channelCount, out.channelCount); ++c)
        if (in.channels[static_cast<size_t>(c)] != out.channels[static_cast<size_t>(c)])
            std::copy(in.channels[static_cast<size_t>(c)] + bufferOffset,
                      in.channels[static_cast<size_t>(c)] + bufferOffset + frameCount,
                      out.channels[static_cast<size_t>(c)] + bufferOffset);
}

#pragma once
// The product's processing kernel.

#include "Brantor2ParameterList.h"
#include "Common/Parameters/ParameterBufferList.h"
#include "Instrument/FilterDSPKernel.h"

class Brantor2DSPKernel : public FilterDSPKernel
{
public:
    Brantor2DSPKernel();

    void clear() override;
    void process(size_t frameCount, size_t bufferOffset, long busIndex) override;
    void updateParameter(size_t index, float value) override;

    Brantor2ParameterList& getProductParameters() { return *productParameters; }
    ParameterBufferList& getParameterBuffers() { return parameterBuffers; }

private:
    Brantor2ParameterList* productParameters;
    ParameterBufferList parameterBuffers;
};

#include "CurveSequencerStage.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

CurveSequencerStage::CurveSequencerStage()
{
    SignalProcessing::fill(amount, 1.0f, amount.size());
    sequencer.bipolar = true;
}

void CurveSequencerStage::init(double rate)
{
    SyncStage::init(rate);
    sequencer.init(1, rate);
}

void CurveSequencerStage::updateContext(const MusicalContextStruct& context, const TransportStateStruct& transport)
{
    SyncStage::updateContext(context, transport);
    sequencer.setTempo(context.tempo);
    sequencer.setBeatPosition(context.ppqPosition);
}

void CurveSequencerStage::process(float* output, size_t n, size_t bufferOffset, const float* resolution,
                                  const float* randomness)
{
    SignalProcessing::clear(output, n);
    if (!on.load(std::memory_order_relaxed))
        return;
    const double stepsPerBeat = resolution != nullptr ? resolution[0] : 4.0;
    clock.setStepsPerBeat(stepsPerBeat);
    sequencer.setStepsPerBeat(stepsPerBeat);
    clock.process(clockBuffer, n, bufferOffset);
    sequencer.process(output, n, bufferOffset, clockBuffer, amount, randomness);
}

#pragma once
// The motion sequencer as the kernel drives it, locked to the transport: clock pulses at step
// boundaries of the host's position feed the curve sequencer, whose output is bipolar.

#include "Common/ProcessBlock/Sync/CurveSequencer.h"
#include "SequencerStage.h"

class CurveSequencerStage : public SequencerStage<CurveSequencer>
{
public:
    CurveSequencerStage();

    void init(double rate) override;
    void updateContext(const MusicalContextStruct& context, const TransportStateStruct& transport) override;
    void setStepValue(int step, float value) { sequencer.setStepValue(step, value); }
    void setStepCurve(int step, int curve) { sequencer.setStepCurve(step, curve); }
    void setSmoothDuration(float ms) { sequencer.setSmoothDuration(ms); }
    // Renders n samples into output; resolution is in steps per quarter note, randomness 0..1.
    void process(float* output, size_t n, size_t bufferOffset, const float* resolution, const float* randomness);

    float getPosition() const { return sequencer.getPosition(); }
    float getValue() const { return sequencer.getValue(); }

private:
    Buffer<float> amount;
};

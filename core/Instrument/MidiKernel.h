#pragma once
// The MIDI layer of the kernel frame. This product takes no MIDI, so only the hooks remain:
// with acceptsMidi() false, events are ignored and the note state is never touched.

#include "Common/DSPKernel.h"

class MidiKernel : public DSPKernel
{
public:
    void handleMIDIEvent(const uint8_t* data, int64_t time, int64_t samplePosition) override;

    virtual void didAddNote(int64_t) {}
    virtual void didRemoveNote(int64_t) {}
    virtual void updateNoteOffVelocity() {}
    virtual void updatePitchBendState() {}
    virtual void updateChannelPitchBendState() {}
    virtual void updateMPETimbreState() {}
    virtual void updateChannelPressureState() {}
    virtual void updateChannelExtraModulationState() {}
    virtual void updateModWheelState() {}
    virtual void updateXAxisState() {}
    virtual void updateYAxisState() {}
    virtual void checkNotesStateUpdate() {}
    virtual bool acceptsMidi() { return true; }
};

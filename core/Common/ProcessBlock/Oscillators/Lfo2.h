#pragma once
// A low-frequency oscillator: a free, tempo-synced or beat-locked phase, bent by the time shape,
// turned into one of six waveforms, smoothed and de-clicked into a bipolar control signal.

#include "BeatPhasor.h"
#include "Common/ProcessBlock/BlockParameter.h"
#include "Common/ProcessBlock/Filters/BiquadFilter.h"
#include "Common/ProcessBlock/Smooth/Smooth.h"
#include "Oscillator.h"
#include "Phasor.h"
#include "RandomOscillator.h"

#include <array>
#include <atomic>

struct Lfo2Parameters
{
    BlockParameter freeRate;    // Hz
    BlockParameter syncRate;    // fraction of a bar
    BlockParameter phaseOffset; // cycles
    BlockParameter trigger;
    const float* multiply = nullptr;
    BlockParameter add;
    BlockParameter timeShape; // -0.95..0.95
    BlockParameter smooth;    // ms
};

namespace QuarneDSP
{
class Lfo2 : public MultiChannelProcessBlock<Lfo2Parameters>
{
public:
    enum SyncMode : int
    {
        Free = 0,
        Sync = 1,
        Beat = 2,
    };

    Lfo2();

    void init(int channels, double rate) override;
    void clear() override;
    void processContext(const MusicalContextStruct& context, const TransportStateStruct& transport,
                        size_t bufferOffset);
    // Waveforms 0..5: "sin", "tri", "saw", "isaw", "sqr", "rand".
    void setType(int t);
    void setSyncMode(int mode) { syncMode.store(mode, std::memory_order_relaxed); }
    void setNoTriplets(bool noTriplets) { allowTriplets.store(!noTriplets, std::memory_order_relaxed); }
    void processSyncRate(float rate);
    void process(float* buffer, size_t frameCount, size_t channel, Lfo2Parameters parameters) override;

    float getSyncRate() const { return beatPhasor.syncRate; }

    bool smoothOn = false;
    bool filterOn = false;

private:
    std::atomic<int> type{0};
    std::atomic<int> syncMode{Free};
    std::atomic<int> generator{0};
    std::atomic<bool> allowTriplets{false};
    Phasor phasor;
    BeatPhasor beatPhasor;
    Oscillator oscillator;
    RandomOscillator randomOscillator;
    Smooth smoother;
    BiquadFilter filter{LowPass, 1};
    static const std::array<float, 24> straightRates;
};
} // namespace QuarneDSP

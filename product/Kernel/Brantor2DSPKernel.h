#pragma once
// The product's processing kernel: input gain, the filters set to Pre, the table shaper, the filters
// set to Post, output gain, dry/wet, DC blocker and clip, with meters and the modulators in front.

#include "BiFilterStage.h"
#include "Brantor2ParameterList.h"
#include "Common/Parameters/ParameterBufferList.h"
#include "Common/ProcessBlock/Analysis/PeakMeter.h"
#include "Common/ProcessBlock/Buffer.h"
#include "Common/ProcessBlock/Filters/DCBlocker.h"
#include "Common/ProcessBlock/Mix/DryWet.h"
#include "Common/ProcessBlock/Mix/Gain.h"
#include "Common/ProcessBlock/Oscillators/Lfo2.h"
#include "Common/ProcessBlock/Waveshaper/TableWaveshaper.h"
#include "Common/Stages/CurveSequencerStage.h"
#include "EnvelopeFollower.h"
#include "Instrument/FilterDSPKernel.h"
#include "ModulationDestinations.h"
#include "TableData.h"

#include <array>
#include <atomic>
#include <limits>
#include <memory>
#include <vector>

class Brantor2DSPKernel : public FilterDSPKernel
{
public:
    static constexpr size_t maxFrames = 4096;
    static constexpr size_t tableCapacity = 524288; // 256 frames of 2048
    static constexpr size_t displayPoints = 400;

    Brantor2DSPKernel();

    void setup() override;
    void clear() override;
    void process(size_t frameCount, size_t bufferOffset, long busIndex) override;
    void updateParameter(size_t index, float value) override;
    float getFineTunedRandomize(const std::map<int, float>& fixedValues, int index, float value) override;

    // Copies a table of whole 2048-sample frames into the kernel (message thread); a shorter one is
    // padded with zeros to one frame and a longer one cut to the capacity. The samples go into the
    // buffer the audio thread is not reading, which then takes over at the next call.
    void loadTableSamples(const float* samples, size_t length);
    // Recomputes the table display (400 points per frame) when the table, the fold or the mode changed.
    void convertWavetableForUI(bool tableIsNew, bool force);

    Brantor2ParameterList& getProductParameters() { return *productParameters; }
    ParameterBufferList& getParameterBuffers() { return parameterBuffers; }
    // Point i (400 per frame, frame after frame) of the table as the display shows it.
    float getTableDisplay(size_t i) const { return tableDisplay[i].load(std::memory_order_relaxed); }
    size_t getTableLength() const { return tableLength.load(); }
    int getTableFrameCount() const { return tableFrameCount.load(); }

    // The table library and the table in use (message thread).
    std::vector<std::unique_ptr<TableData>> tableList;
    TableData* currentTable = nullptr;
    int tableIndex = 0;

    std::atomic<bool> tableChanged{true};
    std::atomic<bool> tableViewFlag{false};
    std::atomic<bool> foldDisplayChanged{false};

private:
    const float* buffer(size_t index) { return parameterBuffers[index]; }
    BlockParameter blockParameter(size_t index, size_t frameCount);
    void processModulators(size_t frameCount, size_t bufferOffset);
    void processSequencer(size_t frameCount, size_t bufferOffset);
    void processEnvelope(size_t frameCount, size_t bufferOffset);
    void processLfo(size_t lfo, size_t frameCount);
    void preProcessLfoDestinations(size_t frameCount, size_t lfo);
    void applyPendingClears();
    void updateTableDisplay(bool tableIsNew, bool force, float fold);
    int clampDestination(float value, EModulator modulator) const;
    void processChannels(const float* const* in, float* const* out, size_t channels, size_t frameCount);
    void publishFeedback();
    ModulationDestinationGroup& destinationGroup(EModulator m) { return *destinationGroups[static_cast<size_t>(m)]; }

    Brantor2ParameterList* productParameters;
    ParameterBufferList parameterBuffers;

    std::array<Buffer<float>, 2> workBuffers;
    Buffer<float> modulationScratch;
    Gain inputGain, outputGain;
    QuarneDSP::DryWet dryWet;
    PeakMeter inputMeter{true}, outputMeter{true};
    BiFilterStage filterStage;
    TableWaveshaper tableWaveshaper;
    QuarneDSP::DCBlocker dcBlocker;

    std::array<QuarneDSP::Lfo2, 2> lfos;
    std::array<Buffer<float>, 2> lfoOutput;
    std::array<std::atomic<bool>, 2> lfoOn{};
    std::array<std::atomic<bool>, 2> lfoClearPending{};
    std::array<float, 2> lfoMeter{};
    std::array<std::atomic<int>, 2> lfoSyncMode{};
    std::array<ModulationNode, 4> lfoNodes{};

    EnvelopeFollower envelopeFollower;
    Gain envelopeGain;
    Buffer<float> envelopeSignal;
    std::atomic<bool> envelopeOn{false};
    std::atomic<bool> envelopeClearPending{false};
    std::array<ModulationNode, 2> envelopeNodes{};

    CurveSequencerStage sequencerStage;
    Buffer<float> sequencerOutput, sequencerSignal;
    std::array<ModulationNode, 2> sequencerNodes{};
    ModulationDestinations envelopeDestinations{EModulator::EnvelopeFollower};
    std::array<std::unique_ptr<ModulationDestinations>, 4> destinationGroups;

    void acquireTable();

    std::array<std::unique_ptr<float[]>, 2> tableBuffers;
    std::array<size_t, 2> tableBufferLengths{TableWaveshaper::frameLength, TableWaveshaper::frameLength};
    std::atomic<int> activeTable{0};
    std::atomic<int> readingTable{-1}; // the buffer the audio thread reads during a call, -1 between calls
    std::atomic<size_t> tableLength{TableWaveshaper::frameLength};
    std::atomic<int> tableFrameCount{1};
    std::unique_ptr<std::atomic<float>[]> tableDisplay;
    std::atomic<float> lastDisplayFold{std::numeric_limits<float>::infinity()};
    std::atomic<bool> foldBipolar{true};
    std::atomic<bool> dcBlockerOn{true};
    std::atomic<bool> hardClipOn{true};
    bool setupDone = false;
};

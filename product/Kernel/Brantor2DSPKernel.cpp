#include "Brantor2DSPKernel.h"

#include "Common/Math/Accelerate/SignalProcessing.h"
#include "Common/ProcessBlock/Synths/ModulationHelper.h"
#include "ModulatedParameters.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <thread>

namespace
{
// Parameter indices of the kernel's reactions and buffers.
enum Index : size_t
{
    DryWet = 0,
    InputGain = 1,
    WaveshaperPosition = 4,
    WaveshaperFold = 5,
    FoldMode = 6,
    DCBlockerState = 7,
    HardClipState = 8,
    OutputGain = 9,
    Filter1State = 11,
    Filter1Type = 12,
    Filter1Freq = 13,
    Filter1Res = 14,
    Filter1Gain = 15,
    Filter1Mix = 16,
    Filter2State = 17,
    Filter2Type = 18,
    Filter2Freq = 19,
    Filter2Res = 20,
    Filter2Gain = 21,
    Filter2Mix = 22,
    Lfo1State = 24,
    Lfo1Waveform = 26,
    Lfo1SyncMode = 28,
    Lfo1NoTriplets = 29,
    Lfo1Destination1 = 34,
    Lfo1Destination2 = 36,
    Lfo2State = 38,
    Lfo2Waveform = 40,
    Lfo2SyncMode = 42,
    Lfo2NoTriplets = 43,
    Lfo2Destination1 = 48,
    Lfo2Destination2 = 50,
    EnvelopeFollowerState = 52,
    EnvelopeFollowerGain = 54,
    EnvelopeFollowerAttack = 55,
    EnvelopeFollowerRelease = 56,
    EnvelopeFollowerDestination1 = 57,
    EnvelopeFollowerAmount1 = 58,
    EnvelopeFollowerDestination2 = 59,
    EnvelopeFollowerAmount2 = 60,
    SequencerState = 61,
    SequencerResolution = 62,
    SequencerLength = 65,
    SequencerRandomness = 66,
    SequencerSmooth = 67,
    SequencerStep01Curve = 68,
    SequencerStep16Value = 99,
    SequencerDestination1 = 100,
    SequencerAmount1 = 101,
    SequencerDestination2 = 102,
    SequencerAmount2 = 103,
};

constexpr size_t inputMeterSlot = 2, outputMeterSlot = 10, envelopeMeterSlot = 53,
                 sequencerFeedbackSlot = 104;
constexpr size_t lfoMeterSlots[2] = {25, 39};

// Per LFO: the buffers of free rate, sync rate, time offset, time shape and smoothing.
struct LfoIndices
{
    size_t freeRate, syncRate, timeOffset, timeShape, smooth;
};
constexpr LfoIndices lfoIndices[2] = {{31, 32, 30, 27, 33}, {45, 46, 44, 41, 47}};
// The amount parameter of each LFO link, and the destination list each LFO uses.
constexpr size_t amountParams[4] = {35, 37, 49, 51};
constexpr EModulator modulators[2] = {EModulator::Lfo1, EModulator::Lfo2};

float uniform()
{
    return static_cast<float>(std::rand() * 4.656612873077393e-10); // rand() * 2^-31
}

bool isOn(float value)
{
    return std::round(value) != 0.0f;
}
} // namespace

Brantor2DSPKernel::Brantor2DSPKernel()
    : productParameters(new Brantor2ParameterList()), parameterBuffers(Brantor2ParameterList::slotCount),
      tableDisplay(new std::atomic<float>[tableCapacity]())
{
    ModulationDestination::ratioFactor = 0.01f;
    allocParameters(productParameters);
    parameterBuffers.setModulatedParameters(ModulatedParameters::list(), 1);
    for (size_t m = 0; m < destinationGroups.size(); ++m)
        destinationGroups[m] = std::make_unique<ModulationDestinations>(static_cast<EModulator>(m));

    for (auto& table : tableBuffers)
        table.reset(new float[tableCapacity]());
    // Until a table loads (or when none is installed) the shaper passes the signal through a straight
    // line rather than silencing it.
    for (size_t i = 0; i < TableWaveshaper::frameLength; ++i)
        tableBuffers[0][i] =
            -1.0f + 2.0f * static_cast<float>(i) / static_cast<float>(TableWaveshaper::frameLength - 1);
    tableWaveshaper.setTable(tableBuffers[0].get(), TableWaveshaper::frameLength);
    dryWet.balanced = false;
    for (auto& lfo : lfos)
    {
        lfo.smoothOn = true;
        lfo.filterOn = true;
    }
    sequencerStage.setParameterMap(SequencerState, SequencerLength);
    for (auto& d : envelopeDestinations.destinations)
        if (Parameter* p = productParameters->findParameter(d.name))
        {
            d.bufferList = &parameterBuffers;
            d.voice = 1;
            envelopeDestinations.setModulationParameter(p, d.name);
        }
    initParameters();
}

void Brantor2DSPKernel::setup()
{
    const double rate = sampleRate;
    inputGain.init(channelCount, rate);
    outputGain.init(channelCount, rate);
    tableWaveshaper.init(channelCount, rate);
    filterStage.init(channelCount, rate);
    dcBlocker.init(channelCount, rate);
    inputMeter.init(channelCount, rate);
    outputMeter.init(channelCount, rate);
    dryWet.init(channelCount, rate);
    sequencerStage.init(rate);
    for (auto& lfo : lfos)
        lfo.init(1, rate);
    envelopeGain.init(1, rate);
    envelopeFollower.init(1, rate);
    if (!setupDone)
    {
        for (auto& group : destinationGroups)
            for (auto& d : group->destinations)
                if (Parameter* p = productParameters->findParameter(d.name))
                {
                    d.bufferList = &parameterBuffers;
                    d.voice = 1;
                    group->setModulationParameter(p, d.name);
                }
        setupDone = true;
    }
}

void Brantor2DSPKernel::clear()
{
    inputGain.clear();
    outputGain.clear();
    dryWet.clear();
    envelopeGain.clear();
    envelopeFollower.clear();
    dcBlocker.clear();
}

void Brantor2DSPKernel::updateParameter(size_t index, float value)
{
    const auto truncated = static_cast<int>(value);
    switch (index)
    {
    case FoldMode:
        foldBipolar = value == 0.0f;
        convertWavetableForUI(false, true);
        foldDisplayChanged = true;
        break;
    case DCBlockerState:
        dcBlockerOn = isOn(value);
        break;
    case HardClipState:
        hardClipOn = isOn(value);
        break;
    case Filter1State:
        filterStage.mode1 = truncated;
        break;
    case Filter1Type:
        filterStage.filter1.setType(truncated == 2 ? Notch : truncated == 1 ? Peak : HighPass);
        break;
    case Filter2State:
        filterStage.mode2 = truncated;
        break;
    case Filter2Type:
        filterStage.filter2.setType(truncated == 2 ? Notch : truncated == 1 ? Peak : LowPass);
        break;
    case Lfo1State:
    case Lfo2State:
    {
        const size_t lfo = index == Lfo1State ? 0 : 1;
        if (!isOn(value))
            lfoClearPending[lfo] = true; // cleared by the audio thread at its next call
        lfoOn[lfo] = isOn(value);
        break;
    }
    case Lfo1Waveform:
    case Lfo2Waveform:
    {
        const int r = static_cast<int>(std::round(value));
        lfos[index == Lfo1Waveform ? 0 : 1].setType(r >= 1 && r <= 5 ? r : 0);
        break;
    }
    case Lfo1SyncMode:
    case Lfo2SyncMode:
    {
        const size_t lfo = index == Lfo1SyncMode ? 0 : 1;
        lfoSyncMode[lfo] = static_cast<int>(std::round(value));
        lfos[lfo].setSyncMode(lfoSyncMode[lfo]);
        break;
    }
    case Lfo1NoTriplets:
    case Lfo2NoTriplets:
        lfos[index == Lfo1NoTriplets ? 0 : 1].setNoTriplets(isOn(value));
        break;
    case Lfo1Destination1:
    case Lfo1Destination2:
    case Lfo2Destination1:
    case Lfo2Destination2:
    {
        const size_t node = index == Lfo1Destination1   ? 0
                            : index == Lfo1Destination2 ? 1
                            : index == Lfo2Destination1 ? 2
                                                        : 3;
        lfoNodes[node].destination = clampDestination(value, modulators[node / 2]);
        break;
    }
    case EnvelopeFollowerState:
        if (!isOn(value))
            envelopeClearPending = true;
        envelopeOn = isOn(value);
        break;
    case EnvelopeFollowerDestination1:
    case EnvelopeFollowerDestination2:
        envelopeNodes[index == EnvelopeFollowerDestination1 ? 0 : 1].destination =
            clampDestination(value, EModulator::EnvelopeFollower);
        break;
    case SequencerSmooth:
        sequencerStage.setSmoothDuration(value);
        break;
    case SequencerDestination1:
    case SequencerDestination2:
        sequencerNodes[index == SequencerDestination1 ? 0 : 1].destination =
            clampDestination(value, EModulator::Sequencer);
        break;
    default:
        break;
    }

    sequencerStage.handleParameter(index, value);
    if (index >= SequencerStep01Curve && index <= SequencerStep16Value)
    {
        const auto step = static_cast<int>((index - SequencerStep01Curve) / 2);
        if ((index - SequencerStep01Curve) % 2 == 1)
            sequencerStage.setStepValue(step, value);
        else
            sequencerStage.setStepCurve(step, static_cast<int>(std::round(value)));
    }
}

int Brantor2DSPKernel::clampDestination(float value, EModulator modulator) const
{
    // A destination beyond the modulator's list (possible from randomisation) routes nowhere.
    const int last =
        static_cast<int>(destinationGroups[static_cast<size_t>(modulator)]->destinations.size()) - 1;
    const int d = static_cast<int>(std::round(value));
    return d >= 0 && d <= last ? d : 0;
}

float Brantor2DSPKernel::getFineTunedRandomize(const std::map<int, float>&, int index, float value)
{
    const auto S = [](float x, float k) { return Waveshaper::sigmoid(x, k); };
    switch (index)
    {
    case DryWet:
        return 30.0f + 70.0f * uniform();
    case InputGain:
    case 3:
        return 0.0f;
    case WaveshaperPosition:
    case WaveshaperFold:
    case Filter1Mix:
    case Filter2Mix:
        return 100.0f * uniform();
    case FoldMode:
    case Lfo1State:
    case Lfo2State:
        return static_cast<float>(std::rand() % 2);
    case DCBlockerState:
    case HardClipState:
        return 1.0f;
    case OutputGain:
        return 45.0f * S(uniform(), -0.95f) - 45.0f;
    case Filter1State:
    case Filter1Type:
    case Filter2State:
    case Filter2Type:
        return static_cast<float>(std::rand() % 3);
    case Filter1Freq:
        return 1500.0f * std::pow(uniform(), 3.0f) + 20.0f;
    case Filter2Freq:
        return 15000.0f * std::pow(uniform(), 3.0f) + 800.0f;
    case Filter1Res:
    case Filter2Res:
        return 20.0f * uniform() - 10.0f;
    case Filter1Gain:
    case Filter2Gain:
        return 24.0f * uniform() - 12.0f;
    case 27:
    case 41: // LFO time shapes
        return std::rand() % 3 == 0 ? value : 0.0f;
    case 33:
    case 47: // LFO smoothing
        return std::rand() % 3 != 0 ? 0.0f : 200.0f * S(uniform(), 0.8f);
    case 34:
    case 36:
    case 48:
    case 50:
    case EnvelopeFollowerDestination1:
    case EnvelopeFollowerDestination2:
    {
        float d = value;
        const int pick = std::rand() % 8;
        if (pick == 0)
            d = 11.0f;
        else if (pick == 1)
            d = 19.0f;
        return std::rand() % 3 == 0 ? d : 0.0f;
    }
    case SequencerState:
        return std::rand() % 3 == 0 ? 1.0f : 0.0f;
    case SequencerLength:
        return std::pow(2.0f, static_cast<float>(std::rand() % 4 + 1));
    case SequencerRandomness:
        return std::rand() % 6 == 0 ? value : 0.0f;
    default:
        return value;
    }
}

void Brantor2DSPKernel::loadTableSamples(const float* samples, size_t length)
{
    const int next = 1 - activeTable.load();
    // The other buffer may still be read by a call that began before the last swap: wait for it.
    while (readingTable.load() == next)
        std::this_thread::yield();
    float* table = tableBuffers[static_cast<size_t>(next)].get();
    const size_t used = std::min(length, tableCapacity);
    std::copy(samples, samples + used, table);
    const size_t padded = std::max(used, TableWaveshaper::frameLength);
    std::fill(table + used, table + padded, 0.0f);
    tableBufferLengths[static_cast<size_t>(next)] = padded;
    activeTable.store(next);
    tableLength = padded;
    convertWavetableForUI(true, false);
}

void Brantor2DSPKernel::acquireTable()
{
    // Announce the buffer this call reads, then make sure it is still the active one.
    int table = activeTable.load();
    readingTable.store(table);
    while (activeTable.load() != table)
    {
        table = activeTable.load();
        readingTable.store(table);
    }
    const auto t = static_cast<size_t>(table);
    tableWaveshaper.setTable(tableBuffers[t].get(), tableBufferLengths[t]);
}

void Brantor2DSPKernel::convertWavetableForUI(bool tableIsNew, bool force)
{
    // Off the audio thread the fold comes from the parameter itself, not from the audio buffers.
    updateTableDisplay(tableIsNew, force,
                       productParameters->getDSPParameter(WaveshaperFold)->value->ramper->getGoal());
}

void Brantor2DSPKernel::updateTableDisplay(bool tableIsNew, bool force, float fold)
{
    if (tableIsNew)
    {
        tableFrameCount = static_cast<int>(tableLength.load() / TableWaveshaper::frameLength);
        tableChanged = true;
    }
    if (fold == lastDisplayFold.load() && !tableIsNew && !force)
        return;
    lastDisplayFold = fold;

    // The grid is bent as the shaper bends its input (the same sigmoid and fold factor).
    float x[displayPoints];
    const float k = Waveshaper::foldFactor * fold;
    const bool bipolar = foldBipolar;
    for (size_t i = 0; i < displayPoints; ++i)
    {
        const float grid = 0.0025f * static_cast<float>(i);
        const float bent =
            bipolar ? 0.5f * Waveshaper::sigmoid(2.0f * grid - 1.0f, k) + 0.5f : Waveshaper::sigmoid(grid, k);
        x[i] = 2048.0f * (fold == 0.0f ? grid : bent);
    }
    const float* table = tableBuffers[static_cast<size_t>(activeTable.load())].get();
    float points[displayPoints];
    for (int f = 0; f < tableFrameCount; ++f)
    {
        SignalProcessing::tableRead(x, table + static_cast<size_t>(f) * TableWaveshaper::frameLength,
                                    TableWaveshaper::frameLength, points, displayPoints);
        std::atomic<float>* frame = tableDisplay.get() + static_cast<size_t>(f) * displayPoints;
        for (size_t i = 0; i < displayPoints; ++i)
            frame[i].store(points[i], std::memory_order_relaxed);
    }
}

void Brantor2DSPKernel::applyPendingClears()
{
    for (size_t lfo = 0; lfo < lfos.size(); ++lfo)
        if (lfoClearPending[lfo].exchange(false))
        {
            lfos[lfo].clear();
            SignalProcessing::clear(lfoOutput[lfo], lfoOutput[lfo].size());
        }
    if (envelopeClearPending.exchange(false))
    {
        envelopeFollower.clear();
        SignalProcessing::clear(envelopeSignal, envelopeSignal.size());
    }
}

void Brantor2DSPKernel::processSequencer(size_t frameCount, size_t bufferOffset)
{
    sequencerStage.updateContext(musicalContext, transportState);
    sequencerStage.process(sequencerOutput, frameCount, bufferOffset, buffer(SequencerResolution),
                           buffer(SequencerRandomness));
    std::copy(sequencerOutput.data(), sequencerOutput.data() + frameCount, sequencerSignal.data());
    sequencerNodes[0].amountBuffer = buffer(SequencerAmount1);
    sequencerNodes[1].amountBuffer = buffer(SequencerAmount2);
    for (const auto& node : sequencerNodes)
        if (node.destination != 0)
            ModulationHelper::processDestinations(node, frameCount, sequencerSignal, modulationScratch,
                                                  &destinationGroup(EModulator::Sequencer), false, 1.0f);
}

void Brantor2DSPKernel::processEnvelope(size_t frameCount, size_t bufferOffset)
{
    if (!envelopeOn || inputs.empty() || inputs[0]->channelCount == 0)
        return;
    const float* left = inputs[0]->channels[0] + bufferOffset;
    std::copy(left, left + frameCount, envelopeSignal.data());
    envelopeGain.process(envelopeSignal, frameCount, buffer(EnvelopeFollowerGain));
    envelopeFollower.process(envelopeSignal, frameCount, 0,
                             {BlockParameter::fromBuffer(buffer(EnvelopeFollowerAttack)),
                              BlockParameter::fromBuffer(buffer(EnvelopeFollowerRelease)),
                              BlockParameter::constant(1.0f), BlockParameter::constant(0.0f)});
    envelopeNodes[0].amountBuffer = buffer(EnvelopeFollowerAmount1);
    envelopeNodes[1].amountBuffer = buffer(EnvelopeFollowerAmount2);
    for (const auto& node : envelopeNodes)
        if (node.destination != 0)
            ModulationHelper::processDestinations(node, frameCount, envelopeSignal, modulationScratch,
                                                  &envelopeDestinations, true, 1.0f);
}

void Brantor2DSPKernel::processLfo(size_t lfo, size_t frameCount)
{
    if (!lfoOn[lfo])
    {
        lfoMeter[lfo] = 0.0f;
        return;
    }
    const LfoIndices& i = lfoIndices[lfo];
    Lfo2Parameters p;
    p.freeRate = BlockParameter::fromBuffer(buffer(i.freeRate));
    p.syncRate = BlockParameter::fromBuffer(buffer(i.syncRate));
    p.phaseOffset = BlockParameter::fromBuffer(buffer(i.timeOffset));
    p.timeShape = BlockParameter::fromBuffer(buffer(i.timeShape));
    p.smooth = BlockParameter::fromBuffer(buffer(i.smooth));
    lfos[lfo].process(lfoOutput[lfo], frameCount, 0, p);
    lfoMeter[lfo] = lfoOutput[lfo][0];
    preProcessLfoDestinations(frameCount, lfo);
}

void Brantor2DSPKernel::preProcessLfoDestinations(size_t frameCount, size_t lfo)
{
    for (size_t k = 0; k < 2; ++k)
    {
        ModulationNode& node = lfoNodes[2 * lfo + k];
        node.amountBuffer = buffer(amountParams[2 * lfo + k]);
        if (node.destination != 0)
            ModulationHelper::processDestinations(node, frameCount, lfoOutput[lfo], modulationScratch,
                                                  &destinationGroup(modulators[lfo]), false, 1.0f);
    }
}

void Brantor2DSPKernel::processModulators(size_t frameCount, size_t bufferOffset)
{
    // Each modulator can only reach the modulators that run after it, so their parameters already
    // carry its contribution when they run.
    applyPendingClears();
    processSequencer(frameCount, bufferOffset);
    processEnvelope(frameCount, bufferOffset);
    lfos[1].processContext(musicalContext, transportState, bufferOffset);
    lfos[0].processContext(musicalContext, transportState, bufferOffset);
    processLfo(1, frameCount);
    processLfo(0, frameCount);
}

BlockParameter Brantor2DSPKernel::blockParameter(size_t index, size_t n)
{
    // Checked once per call, so that the blocks of both channels take their constant paths.
    const BlockParameter p = BlockParameter::fromBuffer(buffer(index));
    return p.isConstant(n) ? BlockParameter::constant(p.first()) : p;
}

void Brantor2DSPKernel::processChannels(const float* const* in, float* const* out, size_t channels, size_t n)
{
    // Every step runs on each channel before the next step, so that the filters can take both
    // channels in one pass; the channels never meet, so the result is the same as channel by channel.
    std::array<float*, 2> work{workBuffers[0].data(), workBuffers[1].data()};
    const BlockParameter input = blockParameter(InputGain, n), output = blockParameter(OutputGain, n);
    const BlockParameter wetness = blockParameter(DryWet, n);
    const BlockParameter position = blockParameter(WaveshaperPosition, n);
    const BlockParameter fold = blockParameter(WaveshaperFold, n);
    for (size_t c = 0; c < channels; ++c)
    {
        std::copy(in[c], in[c] + n, work[c]);
        inputGain.process(work[c], n, GainParameters{input});
        inputMeter.process(static_cast<const float*>(work[c]), n, c);
    }

    const BiFilterStageParameters filter1{buffer(Filter1Freq), buffer(Filter1Res), buffer(Filter1Gain),
                                          buffer(Filter1Mix)};
    const BiFilterStageParameters filter2{buffer(Filter2Freq), buffer(Filter2Res), buffer(Filter2Gain),
                                          buffer(Filter2Mix)};
    const int mode1 = filterStage.mode1, mode2 = filterStage.mode2;
    auto runFilter = [&](BiquadFilter& filter, QuarneDSP::DryWet& mix, const BiFilterStageParameters& p)
    {
        if (channels == 2)
            filterStage.filterProcessStereo(work[0], work[1], n, filter, mix, p);
        else
            filterStage.filterProcess(work[0], n, 0, filter, mix, p);
    };
    auto runFilters = [&](int mode)
    {
        if (mode1 == mode)
            runFilter(filterStage.filter1, filterStage.mix1, filter1);
        if (mode2 == mode)
            runFilter(filterStage.filter2, filterStage.mix2, filter2);
    };
    runFilters(FilterPre);
    for (size_t c = 0; c < channels; ++c)
        tableWaveshaper.process(work[c], n, c, {position, fold, foldBipolar});
    runFilters(FilterPost);
    for (size_t c = 0; c < channels; ++c)
    {
        outputGain.process(work[c], n, GainParameters{output});
        dryWet.process(in[c], work[c], work[c], n, wetness);
        if (dcBlockerOn)
            dcBlocker.process(work[c], n, c, {0.999f});
        if (hardClipOn)
            SignalProcessing::clip(work[c], -1.0f, 1.0f, work[c], n);
        outputMeter.process(static_cast<const float*>(work[c]), n, c);
        std::copy(work[c], work[c] + n, out[c]);
    }
}

void Brantor2DSPKernel::publishFeedback()
{
    fillModulationFeedbacks(parameterBuffers, ModulatedParameters::list());
    for (size_t c = 0; c < static_cast<size_t>(std::min(channelCount, 2)); ++c)
    {
        setFeedback(inputMeterSlot, c, inputMeter.getValue(c));
        setFeedback(outputMeterSlot, c, outputMeter.getValue(c));
    }
    for (size_t lfo = 0; lfo < 2; ++lfo)
        setFeedback(lfoMeterSlots[lfo], 0, lfoMeter[lfo]);
    setFeedback(envelopeMeterSlot, 0, 1.0f - envelopeSignal[0]);
    setFeedback(sequencerFeedbackSlot, 0, sequencerStage.getPosition());
    setFeedback(sequencerFeedbackSlot, 1, sequencerStage.getValue());
    const float* fold = buffer(WaveshaperFold);
    updateTableDisplay(false, false, fold != nullptr ? fold[0] : 0.0f);
}

void Brantor2DSPKernel::process(size_t frameCount, size_t bufferOffset, long busIndex)
{
    DSPKernel::process(frameCount, bufferOffset, busIndex);
    getParameters()->checkOutBuffers(frameCount, parameterBuffers);
    if (inputs.empty() || outputs.empty())
        return;
    const BufferList& in = *inputs[0];
    const BufferList& out = *outputs[0];
    const int channels = std::min({channelCount, in.channelCount, out.channelCount, 2});

    processModulators(frameCount, bufferOffset);
    acquireTable();
    const float* sources[2] = {};
    float* targets[2] = {};
    for (int c = 0; c < channels; ++c)
    {
        sources[c] = in.channels[static_cast<size_t>(c)] + bufferOffset;
        targets[c] = out.channels[static_cast<size_t>(c)] + bufferOffset;
    }
    processChannels(sources, targets, static_cast<size_t>(std::max(channels, 0)), frameCount);
    if (editorOpen.load(std::memory_order_relaxed))
        publishFeedback();
    readingTable.store(-1);
}

#include "Brantor2ParameterList.h"

#include "Common/Parameters/GenericTemplates.h"

#include <cstdio>
#include <vector>

namespace Brantor2Texts
{
namespace
{
const std::string& textAt(const std::vector<std::string>& list, int index)
{
    return list.at(static_cast<size_t>(index));
}
} // namespace

std::string filterModeIndexToString(int index)
{
    static const std::vector<std::string> texts{"Off", "Pre", "Post"};
    return textAt(texts, index);
}

std::string highPassTypeChoiceIndexToString(int index)
{
    static const std::vector<std::string> texts{"HighPass", "Bell", "Notch"};
    return textAt(texts, index);
}

std::string lowPassTypeChoiceIndexToString(int index)
{
    static const std::vector<std::string> texts{"LowPass", "Bell", "Notch"};
    return textAt(texts, index);
}

std::string lfoSyncModeIndexToString(int index)
{
    static const std::vector<std::string> texts{"Free", "Sync", "Beat"};
    return textAt(texts, index);
}

std::string sequencerStepsPerBeatIndexToString(int index)
{
    static const std::vector<std::string> texts{"Off", "4 bars", "2 bars", "1 bar", "1/2",   "1/4",  "1/8",
                                                "1/8T", "1/16",  "1/16T", "1/32", "1/64", "1/128"};
    return textAt(texts, index);
}
} // namespace Brantor2Texts

namespace
{
using namespace Brantor2Texts;

ParameterTemplate plain(float min, float max, int unit, int flags = 0, float factor = 1.0f)
{
    return ParameterTemplate(min, max, unit, flags, factor);
}

ParameterTemplate cubic(float min, float max, int unit, int flags = 0)
{
    return ParameterTemplate(min, max, unit, flags, 1.0f, {}, {}, GenericTemplates::powThree,
                             GenericTemplates::invertPowThree);
}

ParameterTemplate exponential(float min, float max, int unit, int flags = 0)
{
    return ParameterTemplate(min, max, unit, flags, 1.0f, {}, {}, GenericTemplates::ratioToFrequencies,
                             GenericTemplates::frequenciesToRatio);
}

ParameterTemplate choice(float max, IndexToStringFunction texts, int flags = NotRamped | StoreAsText)
{
    return ParameterTemplate(0.0f, max, Integer, flags, 1.0f, {}, {}, nullptr, nullptr, texts);
}

SyncRateParameterTemplate syncRates()
{
    const std::vector<QuarneDSP::SyncRate> rates{{128, 1}, {64, 1}, {32, 1}, {16, 1}, {8, 1},  {4, 1},  {2, 1},
                                                 {1, 1},   {1, 2},  {3, 8},  {1, 3},  {5, 16}, {1, 4},  {3, 16},
                                                 {1, 6},   {1, 8},  {1, 12}, {1, 16}, {1, 24}, {1, 32}, {1, 64}};
    std::vector<float> ratios;
    for (const auto& r : rates)
        ratios.push_back(static_cast<float>(r.numerator) / static_cast<float>(r.denominator));
    ParameterTemplate base(0.0f, 20.0f, Integer, StoreAsText, 1.0f, ratios);
    return SyncRateParameterTemplate(base, rates, 1);
}

std::string stepName(int step, const char* what)
{
    char text[40];
    std::snprintf(text, sizeof(text), "SequencerStep%02d%s", step, what);
    return text;
}
} // namespace

Brantor2ParameterList::Brantor2ParameterList() : ParameterList(slotCount)
{
    for (size_t m = 0; m < groups.size(); ++m)
        groups[m] = std::make_unique<ModulationDestinations>(static_cast<EModulator>(m));

    const int fb = displayModulations() ? 1 : 0;
    const ParameterTemplate percent = plain(0, 100, Percent);
    const ParameterTemplate unitPercent = plain(0, 100, Percent, 0, 0.01f);
    const ParameterTemplate amount = plain(-100, 100, Percent);
    const ParameterTemplate onOff = plain(0, 1, OnOff, NotRamped);
    const ParameterTemplate filterDb = plain(-24, 24, Decibels, RawFeedback);
    const SyncRateParameterTemplate rates = syncRates();
    const QuarneDSP::SyncRate half{1, 2};

    addTemplate(1, "InputGain", plain(-12, 36, Decibels), 0, fb);
    addUI(2, "InputMeter", 2);
    addUI(3, "TableId", 0);
    addTemplate(4, "WaveshaperPosition", unitPercent, 0, fb);
    addTemplate(5, "WaveshaperFold", plain(-100, 100, Percent, 0, 0.01f), 0, fb);
    addTemplate(6, "FoldMode", onOff, 0, 0);
    addTemplate(7, "DCBlockerState", onOff, 1, 0);
    addTemplate(8, "HardClipState", onOff, 1, 0);
    addTemplate(9, "OutputGain", plain(-36, 12, Decibels), 0, fb);
    addUI(10, "OutputMeter", 2);
    addTemplate(0, "DryWet", percent, 100, fb);

    addTemplate(11, "Filter1State", choice(2, filterModeIndexToString), 0, 0);
    addTemplate(13, "Filter1Freq", exponential(20, 20000, Frequency, RawFeedback), 40, fb);
    addTemplate(14, "Filter1Res", filterDb, -3, fb);
    addTemplate(15, "Filter1Gain", filterDb, 0, fb);
    addTemplate(16, "Filter1Mix", percent, 100, fb);
    addTemplate(17, "Filter2State", choice(2, filterModeIndexToString), 0, 0);
    addTemplate(19, "Filter2Freq", exponential(20, 20000, Frequency, RawFeedback), 8000, fb);
    addTemplate(20, "Filter2Res", filterDb, -3, fb);
    addTemplate(21, "Filter2Gain", filterDb, 0, fb);
    addTemplate(22, "Filter2Mix", percent, 100, fb);
    addTemplate(12, "Filter1Type", choice(2, highPassTypeChoiceIndexToString), 0, 0);
    addTemplate(18, "Filter2Type", choice(2, lowPassTypeChoiceIndexToString), 0, 0);
    addUI(23, "FilterViewParameter", 0);

    // The two LFOs share one layout, LFO 2 fourteen indices above LFO 1.
    for (int lfo = 0; lfo < 2; ++lfo)
    {
        const int base = 24 + 14 * lfo;
        const std::string prefix = lfo == 0 ? "Lfo1" : "Lfo2";
        ModulationDestinationGroup* group = groups[static_cast<size_t>(lfo)].get();
        addTemplate(static_cast<size_t>(base), prefix + "State", onOff, 0, 0);
        addUI(static_cast<size_t>(base + 1), prefix + "Meter", 1);
        add(static_cast<size_t>(base + 2), prefix + "Waveform", 0, 5, 0, Integer, {NotRamped}, 1.0f);
        addTemplate(static_cast<size_t>(base + 3), prefix + "TimeShape", plain(-0.95f, 0.95f, Plain), 0, fb);
        addTemplate(static_cast<size_t>(base + 4), prefix + "SyncMode", choice(2, lfoSyncModeIndexToString), 0, 0);
        addTemplate(static_cast<size_t>(base + 5), prefix + "NoTriplets", onOff, 0, 0);
        addTemplate(static_cast<size_t>(base + 6), prefix + "TimeOffset", unitPercent, 0, fb);
        addTemplate(static_cast<size_t>(base + 7), prefix + "FreeRate", cubic(0.015625f, 40, Rate), 1, fb);
        addTemplate(static_cast<size_t>(base + 8), prefix + "SyncRate", rates, half, fb);
        addTemplate(static_cast<size_t>(base + 9), prefix + "Smooth", plain(0, 500, Milliseconds), 0, fb);
        addTemplate(static_cast<size_t>(base + 11), prefix + "Amount1", amount, 0, fb);
        addTemplate(static_cast<size_t>(base + 10), prefix + "Destination1", ParameterTemplate(group), 0, 0);
        addTemplate(static_cast<size_t>(base + 13), prefix + "Amount2", amount, 0, fb);
        addTemplate(static_cast<size_t>(base + 12), prefix + "Destination2", ParameterTemplate(group), 0, 0);
    }

    ModulationDestinationGroup* envelopeGroup = groups[2].get();
    addTemplate(52, "EnvelopeFollowerState", onOff, 0, 0);
    addUI(53, "EnvelopeFollowerMeter", 1);
    addTemplate(54, "EnvelopeFollowerGain", plain(-24, 24, Decibels), 0, fb);
    addTemplate(55, "EnvelopeFollowerAttack", plain(1, 1000, Milliseconds), 20, fb);
    addTemplate(56, "EnvelopeFollowerRelease", plain(5, 1000, Milliseconds), 200, fb);
    addTemplate(58, "EnvelopeFollowerAmount1", amount, 0, fb);
    addTemplate(57, "EnvelopeFollowerDestination1", ParameterTemplate(envelopeGroup), 0, 0);
    addTemplate(60, "EnvelopeFollowerAmount2", amount, 0, fb);
    addTemplate(59, "EnvelopeFollowerDestination2", ParameterTemplate(envelopeGroup), 0, 0);

    addTemplate(61, "SequencerState", onOff, 0, 0);
    addTemplate(62, "SequencerResolution",
                ParameterTemplate(0, 12, Integer, 0, 1.0f, {0, 0.0625f, 0.125f, 0.25f, 0.5f, 1, 2, 3, 4, 6, 8, 16, 32},
                                  {}, nullptr, nullptr, sequencerStepsPerBeatIndexToString),
                5, 0);
    addTemplate(63, "SequencerGridSnap", onOff, 0, 0);
    addTemplate(67, "SequencerSmooth", cubic(0, 1000, Milliseconds, NotRamped), 0, 0);
    addUI(64, "SequencerReset", 1);
    for (int step = 1; step <= 16; ++step)
    {
        addTemplate(static_cast<size_t>(67 + 2 * step), stepName(step, "Value"), plain(0, 1, Plain, NotRamped), 0.5f,
                    0);
        addTemplate(static_cast<size_t>(66 + 2 * step), stepName(step, "Curve"), plain(0, 4, Integer, NotRamped), 0,
                    0);
    }
    addUI(104, "SequencerFeedback", 2);
    add(65, "SequencerLength", 1, 16, 8, Integer, {NotRamped}, 1.0f);
    addTemplate(66, "SequencerRandomness", unitPercent, 0, 0);
    ModulationDestinationGroup* sequencerGroup = groups[3].get();
    addTemplate(101, "SequencerAmount1", amount, 0, fb);
    addTemplate(100, "SequencerDestination1", ParameterTemplate(sequencerGroup), 0, 0);
    addTemplate(103, "SequencerAmount2", amount, 0, fb);
    addTemplate(102, "SequencerDestination2", ParameterTemplate(sequencerGroup), 0, 0);
}

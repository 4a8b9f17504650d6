#include "ModulationHelper.h"

#include "Common/Math/Accelerate/SignalProcessing.h"
#include "Common/Math/Pitch.h"
#include "Common/Parameters/GenericTemplates.h"
#include "Common/Parameters/Parameter.h"
#include "Common/Parameters/ParameterBufferList.h"

namespace
{
bool isZeroThroughout(const float* a, size_t n)
{
    if (a[0] != 0.0f)
        return false;
    float lo = 0.0f, hi = 0.0f;
    SignalProcessing::minMax(a, lo, hi, n);
    return lo == hi;
}

// A note-number buffer on the exponential knob curve: the curve's position is linear in the note
// number, so Hz -> position -> Hz reduces to a clamp and a scale in the note domain.
void addOnPitchCurve(const ModulationDestination& d, float* t, const float* s, const float* a, float* scratch,
                     float k, size_t n, bool centre)
{
    using namespace SignalProcessing;
    const float lo = Pitch::frequencyToNote(d.minimum), hi = Pitch::frequencyToNote(d.maximum);
    const float span = hi - lo;
    clip(t, lo, hi, t, n);
    for (size_t i = 0; i < n; ++i)
        t[i] = (t[i] - lo) / span;
    k = 0.01f;
    if (centre)
        mul_s_add_s(s, 2.0f * k, -k, scratch, n);
    else
        mul_s(s, k, scratch, n);
    mul(scratch, a, scratch, n);
    add(t, scratch, t, n);
    clip(t, 0.0f, 1.0f, t, n);
    mul_s_add_s(t, span, lo, t, n);
}
} // namespace

namespace ModulationHelper
{
void processDestinations(const ModulationNode& node, size_t n, const float* s, float* scratch,
                         ModulationDestinationGroup* group, bool unipolarSignal, float amountScale)
{
    using namespace SignalProcessing;
    ModulationDestination& d = group->destinations.at(static_cast<size_t>(node.destination));

    float* t = d.buffer;
    if (t == nullptr)
    {
        if (d.bufferList == nullptr || d.parameter == nullptr)
            return;
        t = d.bufferList->getBuffer(d.voice, static_cast<size_t>(d.parameter->index));
        if (t == nullptr)
            return;
    }
    const float* a = node.amountBuffer;
    if (a == nullptr || n == 0 || isZeroThroughout(a, n))
        return;
    const bool centre = unipolarSignal && d.centreSignal;
    if (!centre && isZeroThroughout(s, n))
        return;

    float k = amountScale * d.range;
    if (d.pitch && d.toNormalised == GenericTemplates::frequenciesToRatio &&
        d.toValue == GenericTemplates::ratioToFrequencies)
    {
        addOnPitchCurve(d, t, s, a, scratch, k, n, centre);
        return;
    }
    if (d.pitch)
        Pitch::noteToFrequency(t, t, n);
    else if (d.modulateAsPitch)
        Pitch::frequencyToNote(t, t, n);

    if (d.toNormalised != nullptr)
    {
        d.toNormalised(d.minimum, d.maximum, t, n);
        k = 0.01f;
    }
    const bool listed = d.indexed && d.parameter != nullptr && !d.parameter->values.empty();
    if (listed)
        d.parameter->valueToIndex(t, n);

    if (centre)
        mul_s_add_s(s, 2.0f * k, -k, scratch, n); // (s - 0.5) * 2k
    else
        mul_s(s, k, scratch, n);
    mul(scratch, a, scratch, n);
    add(t, scratch, t, n);

    if (d.toValue != nullptr)
        d.toValue(d.minimum, d.maximum, t, n);
    if (d.pitch)
    {
        clip(t, d.minimum, d.maximum, t, n);
        Pitch::frequencyToNote(t, t, n);
    }
    else if (d.modulateAsPitch)
        Pitch::noteToFrequency(t, t, n);

    if (d.indexed)
    {
        roundToInt(t, t, n);
        if (listed)
            d.parameter->indexToValue(t, n);
    }
    if (!d.pitch)
        clip(t, d.minimum, d.maximum, t, n);
}
} // namespace ModulationHelper

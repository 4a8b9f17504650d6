#include "Parameter.h"

#include "Common/Math/Accelerate/SignalProcessing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <sstream>

namespace
{
int orFlags(const std::vector<ParameterFlags>& flags)
{
    int result = 0;
    for (auto f : flags)
        result |= f;
    return result;
}

std::string fixed(double x, int decimals)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(decimals) << x;
    return out.str();
}
} // namespace

ParameterBase::ParameterBase(int i, std::string n, int feedback) : index(i), name(std::move(n)), feedbackCount(feedback)
{
}

Parameter::Parameter(int i, std::string n, float min, float max, float def, ParameterUnit u,
                     const std::vector<ParameterFlags>& f, float factor)
    : ParameterBase(i, std::move(n), 0), minimum(min), maximum(max), defaultValue(def), unit(u), flags(orFlags(f)),
      dspFactor(factor), value(std::make_unique<ParameterValue>(!(flags & NotRamped), unit == Integer))
{
}

Parameter::Parameter(int i, std::string n, const ParameterTemplate& t, float def, int feedback)
    : ParameterBase(i, std::move(n), feedback), minimum(t.minimum), maximum(t.maximum), defaultValue(def),
      unit(t.unit), flags(t.flags), dspFactor(t.dspFactor), values(t.values), valueNames(t.valueNames),
      destinationGroup(t.destinationGroup), toValue(t.toValue), toNormalised(t.toNormalised),
      indexToString(t.indexToString),
      value(std::make_unique<ParameterValue>(!(flags & NotRamped), unit == Integer && values.empty()))
{
}

void Parameter::setValue(float v, size_t rampFrames)
{
    if (value->ramper)
        value->ramper->startRamp(v, rampFrames, value->roundToInt);
    else
        value->value.store(v, std::memory_order_relaxed);
}

float Parameter::getDSPValue()
{
    if (value->ramper)
    {
        const float target = value->ramper->getUITarget();
        value->value.store(target, std::memory_order_relaxed);
        return target;
    }
    return value->value.load(std::memory_order_relaxed);
}

float Parameter::getUIValue()
{
    const float result = getDSPValue();
    return values.empty() ? result : valueToIndex(result, 0.0f);
}

void Parameter::init()
{
    if (value->ramper)
        value->ramper->jumpToTarget();
}

void Parameter::reset()
{
    if (value->ramper)
        value->ramper->reset();
}

void Parameter::prepare(size_t rampFrames)
{
    if (value->ramper)
        value->ramper->dezipperCheck(rampFrames);
}

float* Parameter::checkoutValue(size_t frames, bool* changed)
{
    return value->ramper ? value->ramper->getAndStep(frames, *changed) : nullptr;
}

float Parameter::convertValueForUI(float processingValue)
{
    if (!values.empty())
        return valueToIndex(processingValue, 0.0f);
    return std::clamp(processingValue / dspFactor, minimum, maximum);
}

float Parameter::valueToIndex(float v, float hint) const
{
    if (values.empty())
        return 0.0f;
    const auto h = static_cast<size_t>(std::max(hint, 0.0f));
    if (h < values.size() && values[h] == v)
        return static_cast<float>(h);
    float best = std::numeric_limits<float>::infinity();
    size_t bestIndex = 0;
    for (size_t i = 0; i < values.size(); ++i)
    {
        const float d = v - values[i];
        if (d == 0.0f)
            return static_cast<float>(i);
        if (!(std::fabs(d) < best))
            return static_cast<float>(bestIndex);
        best = std::fabs(d);
        bestIndex = i;
    }
    return static_cast<float>(values.size() - 1);
}

void Parameter::valueToIndex(float* data, size_t n)
{
    for (size_t i = 0; i < n; ++i)
    {
        data[i] = valueToIndex(data[i], indexHint);
        indexHint = data[i];
    }
}

void Parameter::indexToValue(float* data, size_t n) const
{
    if (values.empty())
        return;
    SignalProcessing::clip(data, 0.0f, static_cast<float>(values.size() - 1), data, n);
    SignalProcessing::roundToInt(data, data, n);
    SignalProcessing::tableRead(data, values.data(), values.size(), data, n);
}

std::string Parameter::stringWithDecimals(float x, int decimals) const
{
    if (std::fabs(minimum) < 1.0f && std::fabs(maximum) < 1.0f)
    {
        std::string text = fixed(x, 2);
        const size_t zero = text[0] == '-' ? 1 : 0;
        if (text.size() > zero && text[zero] == '0')
            text.erase(zero, 1);
        return text;
    }
    return fixed(x, decimals);
}

std::string Parameter::stringFromValue(float x) const
{
    const int i = static_cast<int>(std::round(x));
    if (!valueNames.empty())
        return valueNames.at(static_cast<size_t>(i));
    if (indexToString != nullptr)
        return indexToString(i);
    if (!values.empty())
    {
        const float w = values.at(static_cast<size_t>(i));
        const std::string six = fixed(w, 6);
        const size_t dot = six.find('.');
        const size_t lastDigit = six.find_last_not_of('0');
        const int decimals = lastDigit > dot ? static_cast<int>(lastDigit - dot) : 0;
        return fixed(w, decimals);
    }

    switch (unit)
    {
    case Integer:
        return stringWithDecimals(x, 0);
    case OnOff:
        return i == 1 ? "On" : "Off";
    case Percent:
        return stringWithDecimals(x, 0) + "%";
    case Seconds:
        return stringWithDecimals(x, 1) + "s";
    case Milliseconds:
        return x >= 1000.0f ? stringWithDecimals(x / 1000.0f, 1) + "s" : stringWithDecimals(x, 0) + "ms";
    case Degrees:
        return stringWithDecimals(x, 0) + "\xc2\xb0";
    case Rate:
    {
        if (hasFlag(ShowAsFrequency))
            return stringWithDecimals(x, 2) + "Hz";
        const auto period = static_cast<float>(1000.0 / static_cast<double>(x));
        return period >= 1000.0f ? stringWithDecimals(period / 1000.0f, 1) + "s"
                                 : stringWithDecimals(period, 0) + "ms";
    }
    case Frequency:
        return stringWithDecimals(x, (x >= 10.0f || x <= -10.0f) ? 0 : 1) + "Hz";
    case Decibels:
        return stringWithDecimals(x, 0) + "dB";
    default:
        return stringWithDecimals(x, 1);
    }
}

float Parameter::stringToIntValue(const char* text) const
{
    for (auto v = static_cast<float>(static_cast<int>(minimum)); v <= maximum; v += 1.0f)
        if (stringFromValue(v) == text)
            return v;
    return 0.0f;
}

namespace
{
ParameterTemplate syncRateBase(const SyncRateParameterTemplate& t)
{
    ParameterTemplate base = t;
    base.unit = Integer;
    if (t.valueMode == 0)
    {
        base.flags |= NotRamped;
        base.values.clear();
    }
    return base;
}

float positionOf(const std::vector<QuarneDSP::SyncRate>& rates, QuarneDSP::SyncRate rate)
{
    return static_cast<float>(std::find(rates.begin(), rates.end(), rate) - rates.begin());
}
} // namespace

SyncRateParameter::SyncRateParameter(int i, std::string n, const SyncRateParameterTemplate& t,
                                     QuarneDSP::SyncRate defaultRate, int feedback)
    : Parameter(i, std::move(n), syncRateBase(t), positionOf(t.rates, defaultRate), feedback), rates(t.rates)
{
    if (t.valueMode == 0)
        value = std::make_unique<ParameterValue>(false, true);
}

std::string SyncRateParameter::stringFromValue(float x) const
{
    const auto& r = rates.at(static_cast<size_t>(std::round(x)));
    if (r.numerator == 0)
        return "Off";
    if (r.denominator == 1)
        return r.numerator == 1 ? "1bar" : std::to_string(r.numerator) + "bars";
    return std::to_string(r.numerator) + "/" + std::to_string(r.denominator);
}

#pragma once
// A small kernel on the frame, recording what the frame hands to the product hooks.

#include "Common/Parameters/GenericTemplates.h"
#include "Instrument/FilterDSPKernel.h"

#include <utility>
#include <vector>

class TestParameterList : public ParameterList
{
public:
    static constexpr size_t gain = 0, frequency = 1, toggle = 2, meter = 3, choice = 4;

    TestParameterList() : ParameterList(5)
    {
        addTemplate(gain, "Gain", ParameterTemplate(-12, 36, Decibels, 0), 0, 1);
        addTemplate(frequency, "Freq",
                    ParameterTemplate(20, 20000, Frequency, 0, 1.0f, {}, {}, GenericTemplates::ratioToFrequencies,
                                      GenericTemplates::frequenciesToRatio),
                    1000, 1);
        add(toggle, "Toggle", 0, 1, 0, OnOff, {NotRamped}, 1.0f);
        addUI(meter, "Meter", 1);
        addTemplate(choice, "Choice", ParameterTemplate(0, 2, Integer, 0, 1.0f, {1.0f, 2.0f, 4.0f}), 1, 0);
    }
    std::vector<size_t> getFavourites() override { return {}; }
    std::vector<size_t> getUnrandomizable() override { return unrandomizable; }

    std::vector<size_t> unrandomizable;
};

class TestKernel : public FilterDSPKernel
{
public:
    explicit TestKernel(ParameterList* list = new TestParameterList())
    {
        allocParameters(list);
        initParameters();
    }
    void clear() override { ++clears; }
    void updateParameter(size_t index, float v) override { updates.emplace_back(index, v); }

    int clears = 0;
    std::vector<std::pair<size_t, float>> updates;
};

#pragma once
// A change of the waveshaper table, as one step of the processor's undo history.

#include <juce_data_structures/juce_data_structures.h>

class Brantor2Processor;

class TableUndoableAction : public juce::UndoableAction
{
public:
    TableUndoableAction(Brantor2Processor& processor, int before, int after);

    bool perform() override;
    bool undo() override;

private:
    Brantor2Processor& processor;
    const int before;
    const int after;
};

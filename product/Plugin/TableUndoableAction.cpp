#include "TableUndoableAction.h"

#include "Brantor2Processor.h"

TableUndoableAction::TableUndoableAction(Brantor2Processor& p, int from, int to) : processor(p), before(from), after(to)
{
}

bool TableUndoableAction::perform()
{
    processor.getProductPresetManager().loadTable(after);
    return true;
}

bool TableUndoableAction::undo()
{
    processor.getProductPresetManager().loadTable(before);
    return true;
}

#pragma once
// The factory table library: every table the plug-in ships, by folder.

#include "TableDefinition.h"

#include <vector>

namespace TableGen
{
const std::vector<TableDefinition>& factoryTables();
}

#pragma once
// Turns a table definition into its samples and checks them; frames of 2048 samples, input -1 at
// sample 0 and +1 at sample 2047.

#include "TableDefinition.h"

#include <string>
#include <vector>

namespace TableGen
{
constexpr int frameLength = 2048;
constexpr int maxFrames = 256;
// Largest step between neighbouring samples of a continuous curve (a slope of about 100).
constexpr float maxStep = 0.1f;

std::vector<float> buildTable(const TableDefinition& definition);

// Every problem found, one line each; empty when the table is sound.
std::vector<std::string> checkTable(const TableDefinition& definition, const std::vector<float>& samples);
} // namespace TableGen

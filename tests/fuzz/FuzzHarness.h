#pragma once
// What the fuzz targets share: JUCE started once, temporary folders with one user table, and a
// processor built once and reused for every input.

#include "Brantor2Processor.h"

namespace FuzzHarness
{
// The processor every input goes to; created on first use.
Brantor2Processor& processor();
// The user table file the table target rewrites, listed in the processor's table library.
juce::File userTable();
// Aborts (a finding for the fuzzer) when a host parameter holds a value outside [0, 1].
void checkParameters();
} // namespace FuzzHarness

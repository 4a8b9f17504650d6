#pragma once
// Counts, on the watching thread only, what the audio thread must never do: heap allocations
// (malloc family, operator new), locks (mutexes, rwlocks, condition waits) and calls into the
// system (read, write, open, sleep, yield, futex). The counting functions stand in for libc's
// through symbol interposition in this test binary.

#include <string>

namespace AudioThreadWatch
{
struct Counts
{
    int allocations = 0;
    int locks = 0;
    int systemCalls = 0;
    std::string first; // the first offending function
};

void begin();
Counts end();
} // namespace AudioThreadWatch

#pragma once
// Stops the program when a construction contract of the framework is violated.

[[noreturn]] void contractFailure(const char* message);

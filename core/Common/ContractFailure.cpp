#include "ContractFailure.h"

#include <cstdio>
#include <cstdlib>

void contractFailure(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::abort();
}

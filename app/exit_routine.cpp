#include "exit_routine.h"

namespace {
ExitRoutine exitRoutine = nullptr;
}

void registerExitRoutine(ExitRoutine routine)
{
    exitRoutine = routine;
}

void runExitRoutine()
{
    const ExitRoutine routine = exitRoutine;
    exitRoutine = nullptr;
    if (routine)
        routine();
}

void discardExitRoutine()
{
    exitRoutine = nullptr;
}

#pragma once

// One slot for the routine that runs when the program ends normally.
using ExitRoutine = void (*)();

void registerExitRoutine(ExitRoutine routine);
// Empties the slot and runs what it held, so the routine runs at most once.
void runExitRoutine();
// Empties the slot without running it (a fatal error ends the program without it).
void discardExitRoutine();

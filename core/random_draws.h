#pragma once

#include <cstdint>

// The generator behind every draw. It starts at 1 and is never seeded, so every run
// asks the same questions for the same right answers.
extern std::uint32_t generatorState;

// An integer in min..max (0 <= min < max); every call takes exactly one generator step.
std::int32_t drawInteger(std::int32_t min, std::int32_t max);

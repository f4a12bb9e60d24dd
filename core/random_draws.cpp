#include "random_draws.h"

std::uint32_t generatorState = 1;

namespace {

// Linear congruential step, modulo 2^32; yields 0..32767.
std::int32_t stepGenerator()
{
    generatorState = generatorState * 214013u + 2531011u;
    return static_cast<std::int32_t>((generatorState >> 16) & 0x7fffu);
}

} // namespace

std::int32_t drawInteger(std::int32_t min, std::int32_t max)
{
    return min + stepGenerator() % (max - min + 1);
}

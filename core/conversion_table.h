#pragma once

#include "text_array.h"

// The 23 pairs of a fraction and its percentage: position i of one table and
// position i of the other form pair i.
extern TextArray fractionTexts;
extern TextArray percentTexts;

inline constexpr int pairCount = 23;

// Both tables become empty arrays.
void initTables();
// Both tables become fresh copies of the constant pairs, fractions first; each new copy
// is complete before the old array is released.
void loadTables();
// Both tables release their texts, fractions first.
void releaseTables();

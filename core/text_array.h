#pragma once

#include "text.h"

#include <optional>
#include <vector>

// A one-dimensional array of owned texts with positions 1..count().
// A missing element reads as the empty text; a position outside 1..count() is fatal.
class TextArray {
public:
    TextArray() = default;
    explicit TextArray(std::vector<std::optional<Text>> elements);

    int count() const;
    const Text& operator[](int position) const;

private:
    std::vector<std::optional<Text>> elements_;
};

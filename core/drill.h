#pragma once

#include "text.h"

#include <cstdint>

// 1: the fraction is shown and the percentage asked; 0: the other way round.
extern std::int32_t direction;
// The 1-based position of the current pair.
extern std::int32_t questionIndex;

struct AnswerOutcome {
    bool isRight = false;
    Text feedbackText;  // the solved pair, or "错误"
    Text promptText;    // the next question; empty on a wrong answer
};

// Loads the tables, draws the first question and returns its prompt.
Text beginDrill();
// Judges the typed text exactly as typed; only a right answer moves to a new question.
AnswerOutcome submitAnswer(const Text& typed);

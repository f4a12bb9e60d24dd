#include "drill.h"

#include "conversion_table.h"
#include "random_draws.h"

std::int32_t direction = 0;
std::int32_t questionIndex = 0;

namespace {

const Text wrongFeedback = "错误";

Text currentPrompt()
{
    return direction == 1 ? fractionTexts[questionIndex] : percentTexts[questionIndex];
}

} // namespace

Text beginDrill()
{
    direction = 1;
    loadTables();
    questionIndex = drawInteger(1, 23);
    return fractionTexts[questionIndex];
}

AnswerOutcome submitAnswer(const Text& typed)
{
    const bool asksPercentage = direction == 1;
    const Text candidate = asksPercentage ? typed + "%" : typed;
    const Text& expected = asksPercentage ? percentTexts[questionIndex] : fractionTexts[questionIndex];
    if (candidate != expected)
        return {false, wrongFeedback, {}};

    AnswerOutcome outcome;
    outcome.isRight = true;
    outcome.feedbackText = fractionTexts[questionIndex] + "=" + percentTexts[questionIndex];
    direction = drawInteger(0, 1);
    questionIndex = drawInteger(1, 23);
    outcome.promptText = currentPrompt();
    return outcome;
}

// libFuzzer target: arbitrary bytes typed as answers into a freshly started drill.
// Every input is tried twice, each time from a fresh program: once as a single answer,
// and once cut at '\n' into a sequence of answers. A broken rule aborts, so libFuzzer
// keeps the input that broke it.

#include "conversion_table.h"
#include "drill.h"
#include "fatal_error.h"
#include "random_draws.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The 23 pairs, written out here so that a damaged table cannot vouch for itself.
const std::array<std::string, pairCount> fractions = {
    "1/2",  "1/3",  "1/4",  "1/5",  "1/6",  "1/7",  "1/8",  "1/9", "1/10", "1/11", "1/12", "1/13",
    "1/14", "1/15", "1/16", "1/17", "1/18", "1/19", "1/20", "2/7", "3/8",  "2/9",  "2/11"};
const std::array<std::string, pairCount> percentages = {
    "50%",  "33.3%", "25%",  "20%",  "16.7%", "14.3%", "12.5%", "11.1%", "10%",   "9.1%",  "8.3%", "7.7%",
    "7.1%", "6.7%",  "6.3%", "5.9%", "5.6%",  "5.3%",  "5%",    "28.6%", "37.5%", "22.2%", "18.2%"};

void require(bool holds, const char* rule)
{
    if (holds)
        return;
    std::fprintf(stderr, "answer_fuzzer: broken rule: %s\n", rule);
    std::abort();
}

// A fatal error of the program (say, a table position out of range) is a finding too.
void abortOnFatalError(const std::string& description)
{
    std::fprintf(stderr, "answer_fuzzer: fatal error: %s\n", description.c_str());
    std::abort();
}

// What a right answer changes and a wrong one must not.
struct DrillState {
    std::int32_t direction = 0;
    std::int32_t questionIndex = 0;
    std::uint32_t generatorState = 0;

    bool operator==(const DrillState&) const = default;

    std::size_t pair() const { return static_cast<std::size_t>(questionIndex - 1); }
};

DrillState currentState()
{
    return {direction, questionIndex, generatorState};
}

void requireValidState(const DrillState& state)
{
    require(state.questionIndex >= 1 && state.questionIndex <= pairCount,
            "the question is always one of the 23 pairs");
    require(state.direction == 0 || state.direction == 1, "the direction is 0 or 1");
}

void requireIntactTables()
{
    require(fractionTexts.count() == pairCount && percentTexts.count() == pairCount,
            "both tables hold 23 texts");
    for (int i = 1; i <= pairCount; ++i) {
        const std::size_t pair = static_cast<std::size_t>(i - 1);
        require(fractionTexts[i] == fractions[pair] && percentTexts[i] == percentages[pair],
                "the tables hold the 23 pairs in order");
    }
}

void startFreshDrill()
{
    initTables();
    generatorState = 1;
    direction = 0;
    questionIndex = 0;
    const std::string prompt = beginDrill();

    const DrillState state = currentState();
    requireValidState(state);
    requireIntactTables();
    require(state.direction == 1, "a fresh drill shows a fraction");
    require(prompt == fractions[state.pair()], "a fresh drill's prompt is the asked fraction");
}

void answer(const std::string& typed)
{
    const DrillState before = currentState();
    const AnswerOutcome outcome = submitAnswer(typed);
    const DrillState after = currentState();
    requireValidState(after);

    // A percentage is typed without its sign; a fraction exactly as the table has it.
    const bool typedTheAskedText = before.direction == 1 ? typed + "%" == percentages[before.pair()]
                                                         : typed == fractions[before.pair()];
    require(outcome.isRight == typedTheAskedText,
            "an answer is right exactly when it is the asked text as typed");

    if (!outcome.isRight) {
        require(outcome.feedbackText == "错误", "a wrong answer's feedback is 错误");
        require(outcome.promptText.empty(), "a wrong answer gives no new prompt");
        require(after == before, "a wrong answer changes no state");
        return;
    }
    require(outcome.feedbackText == fractions[before.pair()] + "=" + percentages[before.pair()],
            "a right answer's feedback is the pair that was asked");
    require(!outcome.promptText.empty(), "a right answer gives a new prompt");
    require(outcome.promptText
                == (after.direction == 1 ? fractions[after.pair()] : percentages[after.pair()]),
            "the new prompt is the fraction (direction 1) or percentage (direction 0) asked");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setFatalReporter(abortOnFatalError);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    startFreshDrill();
    answer(input);
    requireIntactTables();

    startFreshDrill();
    for (std::size_t begin = 0;;) {
        const std::size_t end = input.find('\n', begin);
        answer(input.substr(begin, end - begin));  // the last piece runs to the end
        if (end == std::string::npos)
            break;
        begin = end + 1;
    }
    // Checked once per sequence rather than per answer: the check is slow under the fuzzer,
    // and a shortened failing input still points at the answer that changed a table.
    requireIntactTables();
    return 0;
}

#include "fresh_program.h"

#include <string>
#include <utility>
#include <vector>

namespace {

using Drill = FreshProgram;

TEST_F(Drill, firstPromptIsOneTwentiethAskingThePercentage)
{
    EXPECT_EQ(beginDrill(), "1/20");
    EXPECT_EQ(direction, 1);
    EXPECT_EQ(questionIndex, 19);
    EXPECT_EQ(fractionTexts.count(), 23);
}

TEST_F(Drill, rightAnswersFollowTheSameSequenceEveryRun)
{
    const std::vector<std::pair<std::string, std::string>> promptsAndAnswers = {
        {"1/20", "5"},   {"1/11", "9.1"}, {"8.3%", "1/12"}, {"33.3%", "1/3"},
        {"12.5%", "1/8"}, {"33.3%", "1/3"}, {"1/7", "14.3"},  {"1/4", "25"}};
    std::string prompt = beginDrill();
    for (const auto& [expectedPrompt, answer] : promptsAndAnswers) {
        ASSERT_EQ(prompt, expectedPrompt);
        const AnswerOutcome outcome = submitAnswer(answer);
        ASSERT_TRUE(outcome.isRight) << answer;
        prompt = outcome.promptText;
    }
}

TEST_F(Drill, feedbackIsFractionEqualsPercentageInBothDirections)
{
    beginDrill();
    const AnswerOutcome percentAsked = submitAnswer("5");
    EXPECT_EQ(percentAsked.feedbackText, "1/20=5%");
    EXPECT_EQ(percentAsked.promptText, "1/11");
    submitAnswer("9.1");
    ASSERT_EQ(direction, 0);
    const AnswerOutcome fractionAsked = submitAnswer("1/12");
    EXPECT_EQ(fractionAsked.feedbackText, "1/12=8.3%");
}

struct WrongAnswer {
    const char* name;
    int rightAnswersFirst;  // 0: at "1/20"; 3: at "33.3%", asking a fraction
    std::string typed;
};

void PrintTo(const WrongAnswer& answer, std::ostream* out)
{
    *out << answer.name;
}

class WrongAnswers : public FreshProgram, public ::testing::WithParamInterface<WrongAnswer> {
};

TEST_P(WrongAnswers, areJudgedWrongAndKeepTheQuestion)
{
    const std::vector<std::string> answers = {"5", "9.1", "1/12"};
    beginDrill();
    for (int i = 0; i < GetParam().rightAnswersFirst; ++i)
        ASSERT_TRUE(submitAnswer(answers[static_cast<std::size_t>(i)]).isRight);
    const std::uint32_t stateBefore = generatorState;
    const int directionBefore = direction;
    const int questionBefore = questionIndex;

    const AnswerOutcome outcome = submitAnswer(GetParam().typed);

    EXPECT_FALSE(outcome.isRight);
    EXPECT_EQ(outcome.feedbackText, "错误");
    EXPECT_EQ(outcome.promptText, "");
    EXPECT_EQ(generatorState, stateBefore);
    EXPECT_EQ(direction, directionBefore);
    EXPECT_EQ(questionIndex, questionBefore);
}

INSTANTIATE_TEST_SUITE_P(
    AlmostRight, WrongAnswers,
    ::testing::Values(WrongAnswer{"percentSignTyped", 0, "5%"},
                      WrongAnswer{"leadingSpace", 0, " 5"},
                      WrongAnswer{"trailingSpace", 0, "5 "},
                      WrongAnswer{"empty", 0, ""},
                      WrongAnswer{"fullWidthDigit", 0, "\xef\xbc\x95"},  // "５"
                      WrongAnswer{"decimalZero", 0, "5.0"},
                      WrongAnswer{"fractionInsteadOfPercent", 0, "1/20"},
                      WrongAnswer{"embeddedNul", 0, std::string("5\0", 2)},
                      WrongAnswer{"unreducedFraction", 3, "2/6"},
                      WrongAnswer{"spacedFraction", 3, "1 / 3"},
                      WrongAnswer{"fractionTrailingSpace", 3, "1/3 "},
                      WrongAnswer{"percentageInsteadOfFraction", 3, "33.3"},
                      WrongAnswer{"fullWidthSlash", 3, "1\xef\xbc\x8f" "3"}),  // "1／3"
    [](const ::testing::TestParamInfo<WrongAnswer>& info) { return std::string(info.param.name); });

TEST_F(Drill, wrongAnswersInBetweenDoNotChangeWhatComesNext)
{
    beginDrill();
    for (const char* typed : {"", "5%", "x", "５"})
        submitAnswer(typed);
    EXPECT_EQ(submitAnswer("5").promptText, "1/11");
    for (int i = 0; i < 50; ++i)
        submitAnswer("0");
    EXPECT_EQ(submitAnswer("9.1").promptText, "8.3%");
}

TEST_F(Drill, fractionIsRightForThirtyThreePointThree)
{
    beginDrill();
    submitAnswer("5");
    submitAnswer("9.1");
    submitAnswer("1/12");
    ASSERT_EQ(direction, 0);
    const AnswerOutcome outcome = submitAnswer("1/3");
    EXPECT_TRUE(outcome.isRight);
    EXPECT_EQ(outcome.feedbackText, "1/3=33.3%");
}

} // namespace

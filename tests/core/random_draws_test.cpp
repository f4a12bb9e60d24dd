#include "fresh_program.h"

#include <vector>

namespace {

using RandomDraws = FreshProgram;

// The step itself is seen through the widest range that keeps it whole.
TEST_F(RandomDraws, firstStepsOfTheGeneratorFromStateOne)
{
    const std::vector<int> expected = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962};
    for (int value : expected)
        EXPECT_EQ(drawInteger(0, 32767), value);
}

TEST_F(RandomDraws, firstThreeDrawsOfARun)
{
    EXPECT_EQ(drawInteger(1, 23), 19);
    EXPECT_EQ(drawInteger(0, 1), 1);
    EXPECT_EQ(drawInteger(1, 23), 10);
}

TEST_F(RandomDraws, oneStepPerCallWhateverTheRange)
{
    drawInteger(0, 1);
    drawInteger(1, 23);
    EXPECT_EQ(drawInteger(0, 32767), 6334);
}

TEST_F(RandomDraws, drawsStayInRange)
{
    for (int i = 0; i < 10000; ++i) {
        const int question = drawInteger(1, 23);
        ASSERT_GE(question, 1);
        ASSERT_LE(question, 23);
        const int side = drawInteger(0, 1);
        ASSERT_TRUE(side == 0 || side == 1);
    }
}

TEST_F(RandomDraws, stateWrapsModulo2To32)
{
    generatorState = 0xffffffffu;
    // (2^32 - 1) * 214013 + 2531011 mod 2^32 = 2531011 - 214013 = 2316998
    drawInteger(0, 1);
    EXPECT_EQ(generatorState, 2316998u);
}

} // namespace

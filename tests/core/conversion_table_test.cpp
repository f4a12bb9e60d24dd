#include "fresh_program.h"

#include <string>
#include <tuple>

namespace {

using ConversionTable = FreshProgram;

// The percentage of num/den by its definition: per cent rounded half up to one decimal,
// without a trailing ".0".
std::string percentageOf(int numerator, int denominator)
{
    const int tenths = (2 * 1000 * numerator + denominator) / (2 * denominator);
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0)
        text += "." + std::to_string(tenths % 10);
    return text + "%";
}

TEST_F(ConversionTable, emptyAfterInit)
{
    EXPECT_EQ(fractionTexts.count(), 0);
    EXPECT_EQ(percentTexts.count(), 0);
}

TEST_F(ConversionTable, everyPairMatchesItsDefinition)
{
    loadTables();
    ASSERT_EQ(fractionTexts.count(), 23);
    ASSERT_EQ(percentTexts.count(), 23);
    for (int position = 1; position <= 23; ++position) {
        const std::string& fraction = fractionTexts[position];
        SCOPED_TRACE(fraction);
        const auto slash = fraction.find('/');
        ASSERT_NE(slash, std::string::npos);
        ASSERT_EQ(fraction.find(' '), std::string::npos);
        const int numerator = std::stoi(fraction.substr(0, slash));
        const int denominator = std::stoi(fraction.substr(slash + 1));
        EXPECT_EQ(fraction, std::to_string(numerator) + "/" + std::to_string(denominator));
        EXPECT_EQ(percentTexts[position], percentageOf(numerator, denominator));
    }
}

TEST_F(ConversionTable, definitionRoundsHalvesUp)
{
    EXPECT_EQ(percentageOf(1, 16), "6.3%");
    EXPECT_EQ(percentageOf(1, 2), "50%");
    EXPECT_EQ(percentageOf(1, 6), "16.7%");
}

class TableRead : public FreshProgram,
                  public ::testing::WithParamInterface<std::tuple<int, const char*, const char*>> {
};

TEST_P(TableRead, readsThePairAtItsPosition)
{
    const auto& [position, fraction, percentage] = GetParam();
    loadTables();
    EXPECT_EQ(fractionTexts[position], fraction);
    EXPECT_EQ(percentTexts[position], percentage);
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLast, TableRead,
                         ::testing::Values(std::make_tuple(1, "1/2", "50%"),
                                           std::make_tuple(15, "1/16", "6.3%"),
                                           std::make_tuple(23, "2/11", "18.2%")));

using TableReadDeathTest = FreshProgram;

TEST_F(TableReadDeathTest, positionsOutsideTheTableAreFatal)
{
    loadTables();
    EXPECT_EXIT((void)fractionTexts[0], ::testing::ExitedWithCode(255), "表格位置 0 小于 1");
    EXPECT_EXIT((void)percentTexts[24], ::testing::ExitedWithCode(255),
                "表格位置 24 大于表格的元素个数 23");
}

TEST_F(TableReadDeathTest, anEmptyTableRefusesBelowOneFirst)
{
    EXPECT_EXIT((void)fractionTexts[0], ::testing::ExitedWithCode(255), "小于 1");
    EXPECT_EXIT((void)fractionTexts[1], ::testing::ExitedWithCode(255), "元素个数 0");
}

TEST_F(ConversionTable, loadingTwiceEqualsLoadingOnce)
{
    loadTables();
    const TextArray fractionsOnce = fractionTexts;
    const TextArray percentsOnce = percentTexts;
    loadTables();
    ASSERT_EQ(fractionTexts.count(), fractionsOnce.count());
    ASSERT_EQ(percentTexts.count(), percentsOnce.count());
    for (int position = 1; position <= 23; ++position) {
        EXPECT_EQ(fractionTexts[position], fractionsOnce[position]);
        EXPECT_EQ(percentTexts[position], percentsOnce[position]);
    }
}

TEST_F(ConversionTable, releaseEmptiesFilledAndEmptyTables)
{
    releaseTables();
    EXPECT_EQ(fractionTexts.count(), 0);
    loadTables();
    releaseTables();
    EXPECT_EQ(fractionTexts.count(), 0);
    EXPECT_EQ(percentTexts.count(), 0);
}

TEST(TextArrayElements, missingElementReadsAsEmptyText)
{
    const TextArray array({std::nullopt, std::optional<Text>("x")});
    EXPECT_EQ(array[1], "");
    EXPECT_EQ(array[2], "x");
}

TEST(TextArrayElements, copiesOwnTheirTexts)
{
    TextArray original({std::optional<Text>("1/2")});
    const TextArray copy = original;
    original = TextArray();
    EXPECT_EQ(copy[1], "1/2");
}

} // namespace

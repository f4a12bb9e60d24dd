#include "conversion_table.h"

#include <array>
#include <utility>

TextArray fractionTexts;
TextArray percentTexts;

namespace {

constexpr std::array<const char*, pairCount> fractionConstants = {
    "1/2", "1/3", "1/4", "1/5", "1/6", "1/7", "1/8", "1/9", "1/10", "1/11", "1/12", "1/13",
    "1/14", "1/15", "1/16", "1/17", "1/18", "1/19", "1/20", "2/7", "3/8", "2/9", "2/11"};

constexpr std::array<const char*, pairCount> percentConstants = {
    "50%", "33.3%", "25%", "20%", "16.7%", "14.3%", "12.5%", "11.1%", "10%", "9.1%", "8.3%", "7.7%",
    "7.1%", "6.7%", "6.3%", "5.9%", "5.6%", "5.3%", "5%", "28.6%", "37.5%", "22.2%", "18.2%"};

TextArray copyOf(const std::array<const char*, pairCount>& constants)
{
    std::vector<std::optional<Text>> elements;
    elements.reserve(constants.size());
    for (const char* text : constants)
        elements.emplace_back(text ? std::optional<Text>(text) : std::nullopt);
    return TextArray(std::move(elements));
}

} // namespace

void initTables()
{
    fractionTexts = TextArray();
    percentTexts = TextArray();
}

void loadTables()
{
    fractionTexts = copyOf(fractionConstants);
    percentTexts = copyOf(percentConstants);
}

void releaseTables()
{
    fractionTexts = TextArray();
    percentTexts = TextArray();
}

#include "app/AmountFormatter.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {

// Reads the expected texts with "·" for a space, as they are easier to count.
std::string dots(std::string s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "\xC2\xB7") == 0) {
            out += ' ';
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

} // namespace

TEST(AmountFormatterTest, AmountsInFixedUnitsMatchTheMaskExamples) {
    EXPECT_EQ(formatAmounts(0, 0, 1).download, dots("···0·bytes"));
    EXPECT_EQ(formatAmounts(1023, 0, 1).download, dots("··1·023·bytes"));
    EXPECT_EQ(formatAmounts(1234567, 0, 1).download, dots("·1·234·567·bytes"));
    EXPECT_EQ(formatAmounts(1536, 0, 2).download, dots("···1.5·kB"));
    EXPECT_EQ(formatAmounts(12345678901, 0, 1).download, dots("12·345·678·901·bytes"));
    EXPECT_EQ(formatAmounts(0, 0, 5).total, dots("···0·bytes"));
    EXPECT_EQ(formatAmounts(0, 0, 4).total, dots("···0.0·GB"));
}

TEST(AmountFormatterTest, SpeedsMatchTheMaskExamples) {
    EXPECT_EQ(formatSpeeds(500, 0, 1).download, dots("··500·bytes/s"));
    EXPECT_EQ(formatSpeeds(6041, 0, 2).download, dots("·5.9·kB/s"));
    EXPECT_EQ(formatSpeeds(123456789, 0, 1).download, dots("123·456·789·bytes/s"));
}

TEST(AmountFormatterTest, VariableUnitOrOneOutOfRangeIsChosenByTheTotalForAllThreeLabels) {
    const auto a = formatAmounts(1023, 1, 0);
    EXPECT_EQ(a.download, dots("···1.0·kB"));
    EXPECT_EQ(a.upload, dots("···0.0·kB"));
    EXPECT_EQ(a.total, dots("···1.0·kB"));
    EXPECT_EQ(formatAmounts(1023, 0, 0).total, dots("··1·023·bytes"));
    EXPECT_EQ(formatAmounts(1048576, 0, 0).total, dots("···1.0·MB"));
    EXPECT_EQ(formatAmounts(1073741823, 0, 0).total, dots("··1·024.0·MB"));
    EXPECT_EQ(formatAmounts(1073741824, 0, 0).total, dots("···1.0·GB"));
    EXPECT_EQ(formatAmounts(5e15, 0, 0).total, dots("·4·656·612.9·GB"));

    const auto s = formatSpeeds(700, 400, 0);
    EXPECT_EQ(s.download, dots("·0.7·kB/s"));
    EXPECT_EQ(s.upload, dots("·0.4·kB/s"));
    EXPECT_EQ(s.total, dots("·1.1·kB/s"));
    EXPECT_EQ(formatSpeeds(1048576, 0, 0).total, dots("·1.0·MB/s"));
    EXPECT_EQ(formatSpeeds(5LL << 30, 0, 0).total, dots("5·120.0·MB/s"));
    // A unit setting out of range counts as variable.
    EXPECT_EQ(formatAmounts(2048, 0, 7).total, dots("···2.0·kB"));
    EXPECT_EQ(formatAmounts(2048, 0, -1).total, dots("···2.0·kB"));
    EXPECT_EQ(formatSpeeds(2048, 0, 4).total, dots("·2.0·kB/s"));
}

TEST(AmountFormatterTest, HalvesRoundToEvenAtOneDecimal) {
    EXPECT_EQ(formatWithMask(1.25, "# ##0.0 "), dots("·1.2·"));
    EXPECT_EQ(formatWithMask(1.75, "# ##0.0 "), dots("·1.8·"));
    EXPECT_EQ(formatWithMask(0.05, "# ##0.0 "), dots("·0.1·")); // 0.05 is slightly above a half in binary
    EXPECT_EQ(formatWithMask(2.5, "# ##0 "), dots("·2·"));
    EXPECT_EQ(formatWithMask(999.96, "# ##0.0 "), dots("1·000.0·"));
    EXPECT_EQ(formatSpeeds(1280, 0, 2).download, dots("·1.2·kB/s"));
}

TEST(AmountFormatterTest, DecimalSeparatorAndOddValuesAreHandled) {
    EXPECT_EQ(formatAmounts(1536, 0, 2, ',').download, dots("···1,5·kB"));
    EXPECT_EQ(formatWithMask(-5, "# ##0 "), dots("·-5·"));
    EXPECT_EQ(formatWithMask(1e30, "# ##0 "), "1000000000000000019884624838 656 ");
}

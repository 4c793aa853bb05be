#include "common/ListSortKey.h"

#include <gmock/gmock.h>

using namespace tw;

TEST(ListSortKey, NumbersSortByValueWithDigitGroupsIgnored) {
    EXPECT_LT(sortKey("9 999", SortType::Number), sortKey("10 000", SortType::Number));
    EXPECT_LT(sortKey("0", SortType::Number), sortKey("1", SortType::Number));
    EXPECT_EQ(sortKey("1 000", SortType::Number), sortKey("1000", SortType::Number));
    // Amounts of 28 digits still compare by value.
    EXPECT_LT(sortKey("999 999 999 999 999 999 999 999 999 9", SortType::Number),
              sortKey("1 000 000 000 000 000 000 000 000 000 0", SortType::Number));
}

TEST(ListSortKey, NegativeAndFractionalNumbersKeepTheirOrder) {
    EXPECT_LT(sortKey("-10", SortType::Number), sortKey("-2", SortType::Number));
    EXPECT_LT(sortKey("-2", SortType::Number), sortKey("0", SortType::Number));
    EXPECT_LT(sortKey("1.25", SortType::Number), sortKey("1.5", SortType::Number));
    EXPECT_LT(sortKey("not a number", SortType::Number), sortKey("-10", SortType::Number));
}

TEST(ListSortKey, DatesSortByTimeAndTextIsItself) {
    EXPECT_EQ(sortKey("2004-05-06 09:30", SortType::Date), "20040506093000");
    EXPECT_LT(sortKey("2004-05-06 09:30", SortType::Date), sortKey("2004-05-06 10:00", SortType::Date));
    EXPECT_EQ(sortKey("abc", SortType::Text), "abc");
}

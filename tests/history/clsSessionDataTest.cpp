#include "history/clsSessionData.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(clsSessionDataTest, AmountsUseTheShortestDecimalFormWithoutExponent) {
    EXPECT_EQ(historyAmountText(0), "0");
    EXPECT_EQ(historyAmountText(100000000), "100000000");
    EXPECT_EQ(historyAmountText(1e21), "1000000000000000000000");
    EXPECT_EQ(historyAmountText(9007199254740992.0), "9007199254740992");
    EXPECT_EQ(historyAmountText(1.5), "1.5");
    EXPECT_EQ(historyAmountText(0.1), "0.1");
}

TEST(clsSessionDataTest, ParseReadsTheSixFieldsIgnoringAnythingAfterAndTheStoreStringWritesThemBack) {
    const auto s = clsSessionData::parse("2004-05-06 09:30;2004-05-06 11:02;123456789;2345678;145000;31000;extra;7");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->startDate, DateTime::fromCivil(2004, 5, 6, 9, 30));
    EXPECT_EQ(s->stopDate, DateTime::fromCivil(2004, 5, 6, 11, 2));
    EXPECT_EQ(s->downloaded, 123456789);
    EXPECT_EQ(s->uploaded, 2345678);
    EXPECT_EQ(s->maxDownloadSpeed, 145000);
    EXPECT_EQ(s->maxUploadSpeed, 31000);
    EXPECT_FALSE(s->isCurrent);
    EXPECT_EQ(s->getStoreString(), "2004-05-06 09:30;2004-05-06 11:02;123456789;2345678;145000;31000;");
    EXPECT_EQ(clsSessionData::parse(s->getStoreString() + "\r")->getStoreString(), s->getStoreString());
}

TEST(clsSessionDataTest, ParseRejectsCommentsShortLinesAndFieldsThatAreNotDatesOrNumbers) {
    for (const char* line : {
             "'2004-05-06 09:30;2004-05-06 11:02;1;2;3;4;",
             "",
             "2004-05-06 09:30;2004-05-06 11:02;1;2;3;4",
             "2004-05-06 09:30;2004-05-06 11:02;1;2;3",
             "yesterday;2004-05-06 11:02;1;2;3;4;",
             "2004-02-30 09:30;2004-05-06 11:02;1;2;3;4;",
             "2004-05-06 09:30;2004-05-06 11:02;many;2;3;4;",
             "2004-05-06 09:30;2004-05-06 11:02;-5;2;3;4;",
             "2004-05-06 09:30;2004-05-06 11:02;1;2;3.5;4;",
             "2004-05-06 09:30;2004-05-06 11:02;1;2;3;99999999999;",
         }) {
        EXPECT_FALSE(clsSessionData::parse(line)) << line;
    }
}

#include "measure/IpPattern.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(LikeMatch, HandlesStarsQuestionMarksDigitsAndBracketLists) {
    EXPECT_TRUE(likeMatch("168", "1*"));
    EXPECT_TRUE(likeMatch("168", "*8"));
    EXPECT_TRUE(likeMatch("168", "1?8"));
    EXPECT_TRUE(likeMatch("168", "1#8"));
    EXPECT_FALSE(likeMatch("1a8", "1#8"));
    EXPECT_TRUE(likeMatch("168", "1[5-7]8"));
    EXPECT_FALSE(likeMatch("168", "1[!5-7]8"));
    EXPECT_TRUE(likeMatch("12", "[0-9]*"));
    EXPECT_TRUE(likeMatch("", "*"));
    EXPECT_FALSE(likeMatch("", "?"));
    EXPECT_FALSE(likeMatch("10", "010"));
    EXPECT_TRUE(likeMatch("1[", "1["));
}

TEST(MatchesIpRange, NeedsFourPartsOnBothSides) {
    EXPECT_TRUE(matchesIpRange("192.168.5.7", "192.168.*.*"));
    EXPECT_FALSE(matchesIpRange("10.168.5.7", "192.168.*.*"));
    EXPECT_FALSE(matchesIpRange("", "192.168.*.*"));
    EXPECT_FALSE(matchesIpRange("192.168.5.7", "192.168.*"));
    EXPECT_FALSE(matchesIpRange("192.168.5.7", "192.168.*.*.*"));
    EXPECT_TRUE(matchesIpRange("192.168.1.5", "192.168.1.5"));
    EXPECT_FALSE(matchesIpRange("192.168.1.50", "192.168.1.5"));
    EXPECT_FALSE(matchesIpRange("10.0.0.1", "010.0.0.1"));
}

TEST(IsValidIpPattern, AcceptsOnlyFourNumbersUpTo255OrStars) {
    for (const char* ok : {"192.168.*.*", "192.168.1.5", "0.0.0.0", "255.255.255.255", "*.*.*.*", "010.1.1.1"}) {
        EXPECT_TRUE(isValidIpPattern(ok)) << ok;
    }
    for (const char* bad : {"192.168.1", "192.168.1.256", "192.168.1.1000", "999.1.1.1", "192.168..5", "", "1.2.3.4.",
                            "1.2.3.4.5", "+1.2.3.4", " 1.2.3.4", "1.2.3.4a", "1.2.3.**", "1.2.3.1*", "-0.1.1.1"}) {
        EXPECT_FALSE(isValidIpPattern(bad)) << bad;
    }
}

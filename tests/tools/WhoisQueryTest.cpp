#include "tools/WhoisQuery.h"

#include <gmock/gmock.h>

using namespace tw;

TEST(WhoisQuery, AcceptsPortsThatAreWholeNumbersOfAtMostFourCharacters) {
    EXPECT_EQ(WhoisQuery::port("43"), 43);
    EXPECT_EQ(WhoisQuery::port("9999"), 9999);
    for (const char* refused : {"", "abc", "10000", "43a", "4.5", "0", "-1"}) {
        EXPECT_FALSE(WhoisQuery::port(refused)) << refused;
    }
}

TEST(WhoisQuery, SendsExactlyOneLineWhateverTheQueryHolds) {
    EXPECT_EQ(WhoisQuery::line("192.0.2.1"), "192.0.2.1\r\n");
    EXPECT_EQ(WhoisQuery::line("192.0.2.1\r\nhelp\nx\r"), "192.0.2.1helpx\r\n");
    EXPECT_EQ(WhoisQuery::line(""), "\r\n");
}

TEST(WhoisQuery, ShowsBareLineFeedsAndCrLfAlikeAcrossPieces) {
    WhoisQuery q;
    EXPECT_EQ(q.append("inetnum: 192.0.2.0\nnetname: TEST\r"), "inetnum: 192.0.2.0\nnetname: TEST");
    EXPECT_EQ(q.append("\ncountry: ZZ\n"), "\ncountry: ZZ\n");
}

TEST(WhoisQuery, KeepsTheFirstMebibyteAndDropsTheRestWithOneNote) {
    WhoisQuery q;
    const std::string piece(400 * 1024, 'x');
    std::string shown = q.append(piece) + q.append(piece);
    EXPECT_FALSE(q.full());
    shown += q.append(piece);
    EXPECT_TRUE(q.full());
    shown += q.append(piece);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 'x'), static_cast<long>(WhoisQuery::kResponseLimit));
    EXPECT_THAT(shown, testing::EndsWith("\n[The answer is longer than 1 MiB; the rest was dropped.]\n"));
}

TEST(WhoisQuery, NotesTheDropEvenWhenTheLimitFallsOnAPieceBoundary) {
    WhoisQuery q;
    EXPECT_EQ(q.append(std::string(WhoisQuery::kResponseLimit, 'x')).size(), WhoisQuery::kResponseLimit);
    EXPECT_FALSE(q.full());
    EXPECT_THAT(q.append("more"), testing::HasSubstr("the rest was dropped"));
    EXPECT_TRUE(q.full());
}

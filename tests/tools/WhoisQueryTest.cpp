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

TEST(WhoisQuery, ShowsEachLineOnceCompleteWithBareLineFeedsAndCrLfAlike) {
    WhoisQuery q;
    EXPECT_EQ(q.append("inetnum: 192.0.2.0\nnetname: TEST\r"), "inetnum: 192.0.2.0\n");
    EXPECT_EQ(q.append("\ncountry: ZZ\nsource: TE"), "netname: TEST\ncountry: ZZ\n");
    EXPECT_EQ(q.finish(), "source: TE");
    EXPECT_EQ(q.finish(), "");
}

TEST(WhoisQuery, ReadsEachLineAsUtf8WhereValidElseAsLatin1) {
    WhoisQuery q;
    // "descr: Zürich" in UTF-8, cut inside the two bytes of the ü; then the same in Latin-1, then "Gießen" in
    // UTF-8 as the last line without a line break.
    EXPECT_EQ(q.append("descr: Z\xC3"), "");
    EXPECT_EQ(q.append("\xBCrich\r\ndescr: Z\xFCrich\n"), "descr: Z\xC3\xBCrich\ndescr: Z\xC3\xBCrich\n");
    EXPECT_EQ(q.append("city: Gie\xC3\x9F"), "");
    EXPECT_EQ(q.finish(), "city: Gie\xC3\x9F");
    // Overlong forms and surrogates are no UTF-8.
    EXPECT_EQ(q.append("a\xC0\xAF\n"), "a\xC3\x80\xC2\xAF\n");
    EXPECT_EQ(q.append("\xED\xA0\x80\n"), "\xC3\xAD\xC2\xA0\xC2\x80\n");
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
    EXPECT_EQ(q.append(std::string(WhoisQuery::kResponseLimit - 1, 'x') + "\n").size(), WhoisQuery::kResponseLimit);
    EXPECT_FALSE(q.full());
    EXPECT_THAT(q.append("more"), testing::HasSubstr("the rest was dropped"));
    EXPECT_TRUE(q.full());
}

#include "platform/linux/LinkLives.h"

#include <gmock/gmock.h>

using namespace tw;

namespace {

std::vector<InterfaceRow> rowsWithIndexes(std::initializer_list<std::uint32_t> indexes) {
    std::vector<InterfaceRow> rows;
    for (const std::uint32_t i : indexes) {
        rows.emplace_back().index = i;
    }
    return rows;
}

TEST(LinkLives, AnIndexDeletedAndSeenAgainBeginsANewLifeAndTheOldOneKeepsItsLastCounters) {
    LinkLives lives;
    EXPECT_EQ(lives.seen(7), 1u);
    EXPECT_EQ(lives.seen(3), 2u);
    EXPECT_EQ(lives.seen(7), 1u); // a changed link is the same life
    lives.gone(7, true, 475'000'000, 12);
    lives.gone(9, true, 1, 1); // never seen: nothing ended
    EXPECT_EQ(lives.seen(7), 3u);
    EXPECT_EQ(lives.count(), 3u);
    ASSERT_EQ(lives.ended().size(), 1u);
    EXPECT_EQ(lives.ended()[0].index, 7u);
    EXPECT_EQ(lives.ended()[0].life, 1u);
    EXPECT_TRUE(lives.ended()[0].haveCounters);
    EXPECT_EQ(lives.ended()[0].inOctets, 475'000'000u);
}

TEST(LinkLives, ADumpWithoutALinkEndsItsLifeWithoutCountersAndTheHistoryStaysBounded) {
    LinkLives lives;
    for (std::uint32_t i = 1; i <= 4; ++i) {
        lives.seen(i);
    }
    lives.keepOnly(rowsWithIndexes({1, 3}));
    ASSERT_EQ(lives.ended().size(), 2u);
    EXPECT_EQ(lives.ended()[0].index, 2u);
    EXPECT_FALSE(lives.ended()[0].haveCounters);
    EXPECT_EQ(lives.ended()[1].index, 4u);
    EXPECT_EQ(lives.seen(3), 3u);

    for (std::uint32_t i = 0; i < LinkLives::kEndedKept + 10; ++i) {
        lives.seen(100);
        lives.gone(100, false, 0, 0);
    }
    EXPECT_EQ(lives.ended().size(), LinkLives::kEndedKept);
    EXPECT_EQ(lives.ended().back().life, lives.count());
}

} // namespace

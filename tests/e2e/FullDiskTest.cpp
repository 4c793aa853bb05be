// The history on a full disk: a small tmpfs filled to its last page. Nothing counted may be lost, and the user is
// told once.
#include "app/MonitorFixture.h"
#include "support/SmallTmpfs.h"

#include <gmock/gmock.h>

#include <filesystem>

using tw::Answer;
using tw::CloseReason;
using tw::DateTime;

namespace {

class FullDisk : public twtest::MonitorTest {
protected:
    void SetUp() override {
        TW_SKIP_WITHOUT_TMPFS();
        disk = std::make_unique<twtest::SmallTmpfs>();
        history = disk->file("datasource.txt");
        settings = disk->file("settings.txt");
        // A history of exactly one page: any line more needs a page the full disk does not have.
        std::string content = tw::joinLines({"'header", "'Source file for Tallywave", "'Do not change this file.",
                                             "2026-03-01 08:00;2026-03-01 09:00;1000;100;5;1;"});
        content += "'" + std::string(4096 - content.size() - 3, '-') + "\r\n";
        disk->dir().write("datasource.txt", content);
        before = content;
    }

    std::string historyNow() const { return disk->dir().read("datasource.txt"); }
    std::string journalNow() const { return disk->dir().read("datasource.journal"); }
    bool journalExists() const { return std::filesystem::exists(disk->file("datasource.journal")); }

    void logFor(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            tick(100, 10);
        }
    }

    std::unique_ptr<twtest::SmallTmpfs> disk;
    std::string before;
};

} // namespace

TEST_F(FullDisk, MidnightKeepsTheDaysShareAndTellsOnceThenWritesItWhenThereIsRoomAgain) {
    clock.setNow(DateTime::fromCivil(2026, 3, 14, 23, 58, 0));
    startMonitor();
    logFor(60); // 23:59:00, checkpointed
    const std::string journal = journalNow();
    ASSERT_FALSE(journal.empty());
    disk->fill();
    logFor(50);
    clock.setNow(DateTime::fromCivil(2026, 3, 15, 0, 0, 5));
    tick(100, 10); // the roll-over
    EXPECT_EQ(historyNow(), before);
    EXPECT_EQ(journalNow(), journal) << "the last checkpoint stays";
    ASSERT_EQ(view.saveProblems.size(), 1u);
    EXPECT_THAT(view.saveProblems[0], testing::HasSubstr("cannot be written"));
    EXPECT_FALSE(view.saveProblemWaited);
    EXPECT_EQ(month().getBytesReceived(), 1000 + 11100) << "the waiting share still counts for the month";
    EXPECT_EQ(today().getBytesReceived(), 0);

    logFor(120); // two checkpoints try again
    EXPECT_EQ(historyNow(), before);
    EXPECT_EQ(view.saveProblems.size(), 1u) << "told once, not at every try";

    disk->empty();
    logFor(60);
    EXPECT_EQ(historyNow(), before + "2026-03-14 23:58;2026-03-14 23:59;11100;1110;100;10;\r\n");
    EXPECT_THAT(journalNow(), testing::HasSubstr("running=2026-03-15 00:00;"));
    EXPECT_EQ(month().getBytesReceived(), 1000 + 11100 + 18000);
}

TEST_F(FullDisk, LeavingKeepsTheSessionForTheNextStartAndSaysSo) {
    startMonitor();
    logFor(60); // checkpointed
    disk->fill();
    view.answers = {Answer::Yes};
    EXPECT_EQ(controller->requestClose(CloseReason::UserExit), tw::CloseDecision::Quit);
    EXPECT_EQ(historyNow(), before);
    EXPECT_TRUE(journalExists());
    ASSERT_EQ(view.saveProblems.size(), 1u);
    EXPECT_THAT(view.saveProblems[0], testing::HasSubstr("next start"));
    EXPECT_TRUE(view.saveProblemWaited) << "the program waits until the user has read it";
    controller.reset();

    disk->empty();
    startMonitor();
    EXPECT_EQ(historyNow(), before + "2026-03-14 10:00;2026-03-14 10:01;6000;600;100;10;\r\n");
    EXPECT_FALSE(journalExists());
}

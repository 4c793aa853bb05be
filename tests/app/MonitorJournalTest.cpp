#include "app/MonitorFixture.h"
#include "app/SessionSaver.h"

#include <filesystem>

using tw::Answer;
using tw::CloseReason;
using tw::DateTime;
using twtest::MonitorTest;

namespace {

class MonitorJournalTest : public MonitorTest {
protected:
    bool journalExists() const { return std::filesystem::exists(dir.file("datasource.journal")); }

    // Logs for `seconds` one-second passes of 100 bytes down and 10 up.
    void logFor(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            tick(100, 10);
        }
    }

    // The process dies: nothing of the controller's own ending runs.
    void crash() { controller.reset(); }

    // A command whose question is answered with `answer`.
    std::function<void()> answered(Answer answer, std::function<void()> command) {
        return [this, answer, command] {
            view.answers = {answer};
            command();
        };
    }
};

} // namespace

TEST_F(MonitorJournalTest, ACrashLosesAtMostTheTimeSinceTheLastCheckpoint) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;"});
    startMonitor();
    logFor(59);
    EXPECT_FALSE(journalExists());
    logFor(1); // 10:01:00, a minute of logging
    EXPECT_TRUE(journalExists());
    logFor(30);
    crash();
    EXPECT_EQ(sessionLines().size(), 1u) << "the history itself is untouched until the next start";

    startMonitor();
    EXPECT_FALSE(journalExists());
    EXPECT_EQ(sessionLines().back(), "2026-03-14 10:00;2026-03-14 10:01;6000;600;100;10;");
    EXPECT_EQ(today().getBytesReceived(), 7000) << "the recovered session counts for today";
    EXPECT_EQ(session().getBytesReceived(), 0);
}

TEST_F(MonitorJournalTest, APauseKeepsWhatWasCountedBeforeIt) {
    startMonitor();
    logFor(5);
    controller->pause();
    EXPECT_TRUE(journalExists());
    clock.advanceMs(3'600'000);
    crash();
    EXPECT_TRUE(tw::recoverSessionJournal(history, clock.now()));
    EXPECT_EQ(sessionLines(), std::vector<std::string>{"2026-03-14 10:00;2026-03-14 10:00;500;50;100;10;"});
    EXPECT_FALSE(tw::recoverSessionJournal(history, clock.now())) << "recovered once only";
}

TEST_F(MonitorJournalTest, EveryNormalEndOfTheSessionLeavesNoJournalBehind) {
    const std::vector<std::pair<std::string, std::function<void()>>> endings = {
        {"stop, yes", answered(Answer::Yes, [&] { controller->stopLogging(); })},
        {"stop, no", answered(Answer::No, [&] { controller->stopLogging(); })},
        {"exit", [&] { controller->requestClose(CloseReason::SystemShutdown); }},
        {"reset session", answered(Answer::Yes, [&] { controller->resetSession(); })},
        {"reset today", answered(Answer::Yes, [&] { controller->resetToday(); })},
        {"reset month", answered(Answer::Yes, [&] { controller->resetMonth(); })},
        {"midnight",
         [&] {
             clock.setNow(DateTime::fromCivil(2026, 3, 15, 0, 0, 0));
             tick(0, 0);
         }},
    };
    for (const auto& [name, ending] : endings) {
        SCOPED_TRACE(name);
        std::filesystem::remove(history);
        clock.setNow(DateTime::fromCivil(2026, 3, 14, 10, 0, 0));
        startMonitor();
        logFor(61);
        ASSERT_TRUE(journalExists());
        const auto linesBefore = sessionLines().size();
        ending();
        EXPECT_FALSE(journalExists());
        crash();
        startMonitor();
        EXPECT_EQ(sessionLines().size(), linesBefore + (name == "stop, yes" || name == "exit" || name == "midnight"))
            << "nothing is counted twice";
        crash();
    }
}

TEST_F(MonitorJournalTest, AJournalThatCannotBeReadIsDroppedWithoutTouchingTheHistory) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;"});
    const auto before = dir.read("datasource.txt");
    dir.write("datasource.journal", "'Running session\r\nnot a session line\r\n");
    EXPECT_FALSE(tw::recoverSessionJournal(history, clock.now()));
    EXPECT_FALSE(journalExists());
    EXPECT_EQ(dir.read("datasource.txt"), before);

    dir.write("datasource.journal", "2026-03-14 10:00;2026-03-14 10:05;0;0;0;0;\r\n");
    EXPECT_FALSE(tw::recoverSessionJournal(history, clock.now()));
    EXPECT_FALSE(journalExists());
    EXPECT_EQ(dir.read("datasource.txt"), before);
}

TEST_F(MonitorJournalTest, ARecoveredSessionStartsANewHistoryFileWithItsHeader) {
    dir.write("datasource.journal", "2026-03-13 22:00;2026-03-13 22:30;123456789;2345678;145000;31000;\r\n");
    EXPECT_TRUE(tw::recoverSessionJournal(history, clock.now()));
    const auto lines = tw::readTextLines(history);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 4u);
    EXPECT_EQ((*lines)[1], "'Source file for Tallywave");
    EXPECT_EQ((*lines)[3], "2026-03-13 22:00;2026-03-13 22:30;123456789;2345678;145000;31000;");
}

TEST_F(MonitorJournalTest, ASessionThatCannotBeSavedAtExitIsKeptForTheNextStart) {
    startMonitor();
    logFor(3);
    std::filesystem::create_directory(history); // the history file cannot be written
    EXPECT_EQ(controller->requestClose(CloseReason::SystemShutdown), tw::CloseDecision::Quit);
    EXPECT_TRUE(journalExists());
    crash();
    std::filesystem::remove(history);
    EXPECT_TRUE(tw::recoverSessionJournal(history, clock.now()));
    EXPECT_EQ(sessionLines(), std::vector<std::string>{"2026-03-14 10:00;2026-03-14 10:00;300;30;100;10;"});
}

TEST_F(MonitorJournalTest, ASessionOfTheSameStartMinuteAsASavedOneIsStillRecovered) {
    startMonitor();
    logFor(5);
    view.answers = {Answer::Yes};
    controller->stopLogging(); // 10:00:05: 500 bytes saved
    controller->startContinue();
    logFor(3); // the new session starts at the Stop: 10:00 too, with less traffic
    controller->pause();
    crash();

    startMonitor();
    EXPECT_EQ(sessionLines(), (std::vector<std::string>{"2026-03-14 10:00;2026-03-14 10:00;500;50;100;10;",
                                                        "2026-03-14 10:00;2026-03-14 10:00;300;30;100;10;"}));
    EXPECT_FALSE(journalExists());
}

TEST_F(MonitorJournalTest, ACrashAtAnyStepOfAnAppendCountsItsSessionsOnce) {
    const std::string saved = "2026-03-13 20:00;2026-03-13 21:00;7;7;0;0;";
    const std::string line = "2026-03-13 22:00;2026-03-13 23:59;4900;490;10;1;";
    const std::string running = "2026-03-14 00:00;2026-03-14 00:10;30;3;1;1;";
    writeHistory({saved});
    const std::string before = dir.read("datasource.txt");
    const tw::JournalContent marked{{line}, before.size(), running};
    // Where the process died: before the append, in its middle, after it (before the journal was cleared).
    for (const std::string& appended : {std::string(), line.substr(0, 20), line + "\r\n"}) {
        SCOPED_TRACE("appended: " + appended);
        dir.write("datasource.txt", before + appended);
        ASSERT_TRUE(tw::SessionJournal(history).write(marked));
        EXPECT_TRUE(tw::recoverSessionJournal(history, clock.now()));
        EXPECT_EQ(dir.read("datasource.txt"), before + line + "\r\n" + running + "\r\n");
        EXPECT_FALSE(journalExists());
    }
    // The same bytes elsewhere than at the mark are another session.
    dir.write("datasource.txt", before + line + "\r\n");
    ASSERT_TRUE(tw::SessionJournal(history).write({{line}, before.size() + 2, ""}));
    EXPECT_TRUE(tw::recoverSessionJournal(history, clock.now()));
    EXPECT_EQ(sessionLines(), (std::vector<std::string>{saved, line, line}));
}

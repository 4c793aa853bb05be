#include "app/MonitorFixture.h"

using tw::Answer;
using tw::CloseDecision;
using tw::CloseReason;
using tw::DateTime;
using tw::LoggingState;
using twtest::MonitorTest;

namespace {

using MonitorSessionControlTest = MonitorTest;

const std::string kStopQuestion = "You are about to stop logging.\nDo you want to save this session?";
const std::string kExitQuestion = "You are about to shutdown Tallywave. \nDo you want to save this session?";

} // namespace

TEST_F(MonitorSessionControlTest, StartUpLogsAtOnceAndPauseAndContinueSwitchTheTimer) {
    startMonitor();
    EXPECT_EQ(view.state, LoggingState::Logging);
    EXPECT_TRUE(view.timerRunning);
    tick(100, 0);
    engine.traffic(50, 0); // moved since the last pass: Pause counts it
    controller->pause();
    EXPECT_EQ(session().getBytesReceived(), 150);
    EXPECT_EQ(view.state, LoggingState::Paused);
    EXPECT_FALSE(view.timerRunning);
    EXPECT_FALSE(controller->timerEnabled());

    engine.traffic(7000, 7000); // during the pause
    controller->startContinue();
    EXPECT_EQ(view.state, LoggingState::Logging);
    EXPECT_TRUE(view.timerRunning);
    tick(1, 0);
    EXPECT_EQ(session().getBytesReceived(), 151) << "the pause's traffic is never counted";
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"pause", "continue"}));
}

TEST_F(MonitorSessionControlTest, StopAnsweredYesSavesTheSessionIncludingItsLastInterval) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;"});
    startMonitor();
    tick(200, 20);
    clock.advanceMs(61'000);
    engine.traffic(300, 30); // not yet taken by a timer pass
    view.answers = {Answer::Yes};
    EXPECT_TRUE(controller->stopLogging());

    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, kStopQuestion);
    EXPECT_EQ(view.questions[0].caption, "Tallywave");
    EXPECT_TRUE(view.questions[0].withCancel);
    EXPECT_EQ(view.questions[0].defaultButton, Answer::Cancel);
    EXPECT_EQ(sessionLines().back(), "2026-03-14 10:00;2026-03-14 10:01;500;50;20;2;");
    EXPECT_EQ(view.state, LoggingState::Stopped);
    EXPECT_FALSE(view.timerRunning);
    EXPECT_EQ(view.speeds, std::make_pair(0, 0));
    EXPECT_EQ(view.chartClears, 1);
    EXPECT_EQ(session().getBytesReceived(), 0);
    EXPECT_EQ(session().getDate(), clock.now());
    EXPECT_EQ(today().getBytesReceived(), 1500);
}

TEST_F(MonitorSessionControlTest, StopAnsweredCancelLeavesEverythingRunningAndNoDropsTodayBackToTheHistory) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;"});
    startMonitor();
    tick(200, 20);
    view.answers = {Answer::Cancel};
    EXPECT_FALSE(controller->stopLogging());
    EXPECT_EQ(sessionLines().size(), 1u);
    EXPECT_EQ(view.state, LoggingState::Logging);
    EXPECT_TRUE(view.timerRunning);
    EXPECT_EQ(session().getBytesReceived(), 200);
    EXPECT_EQ(today().getBytesReceived(), 1200);
    EXPECT_TRUE(engine.calls.empty());

    view.answers = {Answer::No};
    EXPECT_TRUE(controller->stopLogging());
    EXPECT_EQ(sessionLines().size(), 1u);
    EXPECT_EQ(today().getBytesReceived(), 1000);
    EXPECT_EQ(view.state, LoggingState::Stopped);
}

TEST_F(MonitorSessionControlTest, TrafficDuringTheStopQuestionIsSavedToo) {
    startMonitor();
    tick(200, 0);
    view.duringQuestion = [&] {
        clock.advanceMs(30'000);
        engine.traffic(55, 0);
    };
    view.answers = {Answer::Yes};
    controller->stopLogging();
    EXPECT_EQ(sessionLines(), std::vector<std::string>{"2026-03-14 10:00;2026-03-14 10:00;255;0;20;0;"});
}

TEST_F(MonitorSessionControlTest, StopWhilePausedAsksButKeepsNothingOfThePause) {
    startMonitor();
    tick(200, 0);
    controller->pause();
    engine.traffic(9999, 9999);
    clock.advanceMs(300'000);
    view.answers = {Answer::Yes};
    EXPECT_TRUE(controller->stopLogging());
    EXPECT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(sessionLines(), std::vector<std::string>{"2026-03-14 10:00;2026-03-14 10:05;200;0;20;0;"});
    EXPECT_EQ(view.state, LoggingState::Stopped);
    EXPECT_EQ(engine.calls.back(), "stopIt");
}

TEST_F(MonitorSessionControlTest, AnEmptySessionStopsWithoutAQuestionAndIsNeitherWrittenNorListed) {
    startMonitor();
    tick(0, 0);
    EXPECT_TRUE(controller->stopLogging());
    EXPECT_TRUE(view.questions.empty());
    EXPECT_TRUE(sessionLines().empty());
    EXPECT_FALSE(controller->stopLogging()) << "already stopped";
    controller->editLogs();
    EXPECT_FALSE(view.viewerRunningSession.has_value()) << "the log viewer lists no empty stopped session";
}

TEST_F(MonitorSessionControlTest, ASessionStartedAfterStopBeginsAtTheStop) {
    startMonitor();
    tick(10, 0);
    view.answers = {Answer::No};
    controller->stopLogging();
    const DateTime stoppedAt = clock.now();
    clock.advanceMs(300'000);
    controller->startContinue();
    EXPECT_EQ(view.state, LoggingState::Logging);
    tick(70, 0);
    view.answers = {Answer::Yes};
    controller->stopLogging();
    EXPECT_EQ(sessionLines().back().substr(0, 16), stoppedAt.toHistoryString());
    EXPECT_EQ(clock.now().toHistoryString(), "2026-03-14 10:05");
}

TEST_F(MonitorSessionControlTest, EachResetAsksItsQuestionAndNoLeavesEverythingAlone) {
    startMonitor();
    tick(10, 0);
    const std::vector<std::pair<bool (tw::MonitorController::*)(), std::string>> resets = {
        {&tw::MonitorController::resetSession, "Do you really want to reset this session's logging?"},
        {&tw::MonitorController::resetToday, "Do you really want to reset all loggings made today?"},
        {&tw::MonitorController::resetMonth, "Do you really want to reset all loggings made this month?"}};
    for (const auto& [reset, question] : resets) {
        view.answers = {Answer::No};
        EXPECT_FALSE(((*controller).*reset)());
        EXPECT_EQ(view.questions.back().text, question);
        EXPECT_FALSE(view.questions.back().withCancel);
        EXPECT_EQ(view.questions.back().defaultButton, Answer::No);
    }
    EXPECT_EQ(session().getBytesReceived(), 10);
    EXPECT_TRUE(engine.calls.empty());
}

TEST_F(MonitorSessionControlTest, ResettingTheSessionRestartsItWithoutWritingAndKeepsLogging) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;"});
    startMonitor();
    tick(200, 20);
    engine.traffic(5, 0);
    view.answers = {Answer::Yes};
    EXPECT_TRUE(controller->resetSession());
    EXPECT_EQ(sessionLines().size(), 1u);
    EXPECT_EQ(session().getBytesReceived(), 0);
    EXPECT_EQ(today().getBytesReceived(), 1000) << "the session's traffic leaves today's total too";
    EXPECT_EQ(engine.calls, (std::vector<std::string>{"stopIt", "continue"}));
    EXPECT_EQ(view.state, LoggingState::Logging);
    EXPECT_TRUE(view.timerRunning);
}

TEST_F(MonitorSessionControlTest, ResettingTodayWhilePausedRemovesTodaysLinesAndStaysPaused) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;", "2026-03-13 08:00;2026-03-13 09:00;30;3;5;1;",
                  "2026-02-14 08:00;2026-02-14 09:00;7;7;5;1;"});
    startMonitor();
    tick(200, 20);
    controller->pause();
    const int updatesBefore = engine.updates;
    view.answers = {Answer::Yes};
    EXPECT_TRUE(controller->resetToday());
    EXPECT_EQ(engine.updates, updatesBefore) << "no pass runs while paused";
    EXPECT_EQ(sessionLines(), (std::vector<std::string>{"2026-03-13 08:00;2026-03-13 09:00;30;3;5;1;",
                                                        "2026-02-14 08:00;2026-02-14 09:00;7;7;5;1;"}));
    EXPECT_EQ(today().getBytesReceived(), 0);
    EXPECT_EQ(month().getBytesReceived(), 30);
    EXPECT_EQ(session().getBytesReceived(), 0);
    EXPECT_EQ(view.state, LoggingState::Paused);
    EXPECT_FALSE(view.timerRunning);
}

TEST_F(MonitorSessionControlTest, ResettingTheMonthRemovesEveryLineOfThisMonthOnly) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;", "2026-03-01 08:00;2026-03-01 09:00;30;3;5;1;",
                  "2026-02-14 08:00;2026-02-14 09:00;7;7;5;1;", "2025-03-14 08:00;2025-03-14 09:00;9;9;5;1;"});
    startMonitor();
    controller->stopLogging();
    view.answers = {Answer::Yes};
    EXPECT_TRUE(controller->resetMonth());
    EXPECT_EQ(sessionLines(), (std::vector<std::string>{"2026-02-14 08:00;2026-02-14 09:00;7;7;5;1;",
                                                        "2025-03-14 08:00;2025-03-14 09:00;9;9;5;1;"}));
    EXPECT_EQ(month().getBytesReceived(), 0);
    EXPECT_EQ(view.state, LoggingState::Stopped);
}

TEST_F(MonitorSessionControlTest, AfterTheLogViewerTheRunningSessionIsAddedBackToTheRebuiltTotals) {
    writeHistory({"2026-03-14 08:00;2026-03-14 09:00;1000;100;5;1;"});
    startMonitor();
    tick(200, 20);
    view.viewer = [&] {
        writeHistory({"2026-03-14 08:00;2026-03-14 09:00;4000;400;5;1;", "2026-03-02 08:00;2026-03-02 09:00;1;1;1;1;"});
        return true;
    };
    controller->editLogs();
    ASSERT_TRUE(view.viewerRunningSession.has_value());
    EXPECT_TRUE(view.viewerRunningSession->isCurrent);
    EXPECT_EQ(view.viewerRunningSession->downloaded, 200);
    EXPECT_EQ(view.viewerRunningSession->uploaded, 20);
    EXPECT_EQ(view.viewerRunningSession->startDate, DateTime::fromCivil(2026, 3, 14, 10, 0));
    EXPECT_EQ(today().getBytesReceived(), 4200);
    EXPECT_EQ(today().getBytesSent(), 420);
    EXPECT_EQ(month().getBytesReceived(), 4201);
}

TEST_F(MonitorSessionControlTest, MidnightWhileTheLogViewerIsOpenIsWrittenAfterItCloses) {
    clock.setNow(DateTime::fromCivil(2026, 3, 14, 23, 58, 0));
    startMonitor();
    tick(300, 0);
    view.viewer = [&] {
        clock.setNow(DateTime::fromCivil(2026, 3, 15, 0, 0, 30));
        tick(11, 0);
        EXPECT_TRUE(sessionLines().empty()) << "the viewer may rewrite the file it holds";
        writeHistory({"2026-03-10 08:00;2026-03-10 09:00;5;5;1;1;"});
        return true;
    };
    controller->editLogs();
    EXPECT_EQ(sessionLines(), (std::vector<std::string>{"2026-03-10 08:00;2026-03-10 09:00;5;5;1;1;",
                                                        "2026-03-14 23:58;2026-03-14 23:59;311;0;30;0;"}));
    EXPECT_EQ(today().getBytesReceived(), 0);
    EXPECT_EQ(month().getBytesReceived(), 316);
}

TEST_F(MonitorSessionControlTest, TheCloseBoxOnlyHidesTheWindowAndExitAsksWhetherToSaveWithYesAsTheDefault) {
    startMonitor();
    tick(100, 0);
    EXPECT_EQ(controller->requestClose(CloseReason::CloseBox), CloseDecision::HideToTray);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_TRUE(sessionLines().empty());
    EXPECT_EQ(view.state, LoggingState::Logging);

    engine.traffic(23, 0);
    view.answers = {Answer::Cancel};
    EXPECT_EQ(controller->requestClose(CloseReason::UserExit), CloseDecision::Cancel);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0].text, kExitQuestion);
    EXPECT_EQ(view.questions[0].defaultButton, Answer::Yes);
    EXPECT_TRUE(view.timerRunning);

    engine.traffic(7, 0);
    view.answers = {Answer::Yes};
    EXPECT_EQ(controller->requestClose(CloseReason::UserExit), CloseDecision::Quit);
    EXPECT_EQ(sessionLines(), std::vector<std::string>{"2026-03-14 10:00;2026-03-14 10:00;130;0;10;0;"});
    EXPECT_FALSE(view.timerRunning);
    tick(1000, 0);
    EXPECT_EQ(session().getBytesReceived(), 130) << "no pass after the session was written";
}

TEST_F(MonitorSessionControlTest, ExitAnsweredNoWritesNothingAndExitAfterStopAsksNothing) {
    startMonitor();
    tick(100, 0);
    view.answers = {Answer::No};
    EXPECT_EQ(controller->requestClose(CloseReason::UserExit), CloseDecision::Quit);
    EXPECT_TRUE(sessionLines().empty());

    view.questions.clear();
    startMonitor();
    tick(100, 0);
    view.answers = {Answer::No};
    controller->stopLogging();
    EXPECT_EQ(controller->requestClose(CloseReason::UserExit), CloseDecision::Quit);
    EXPECT_EQ(view.questions.size(), 1u) << "only Stop asked";
}

TEST_F(MonitorSessionControlTest, ShutdownAndDebugModeSaveWithoutAskingAfterTheLastPass) {
    startMonitor();
    tick(100, 0);
    engine.traffic(40, 4);
    EXPECT_EQ(controller->requestClose(CloseReason::SystemShutdown), CloseDecision::Quit);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(sessionLines(), std::vector<std::string>{"2026-03-14 10:00;2026-03-14 10:00;140;4;10;0;"});

    startMonitor();
    controller->setDebugMode(true);
    tick(60, 0);
    controller->pause();
    engine.traffic(1000, 0); // during the pause
    EXPECT_EQ(controller->requestClose(CloseReason::UserExit), CloseDecision::Quit);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(sessionLines().back(), "2026-03-14 10:00;2026-03-14 10:00;60;0;6;0;");
}

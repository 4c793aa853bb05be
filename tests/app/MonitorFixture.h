#pragma once

#include "app/MonitorController.h"
#include "common/TextFile.h"
#include "platform/fake/FakeClock.h"

#include "support/FakeEngine.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace twtest {

// Records what the controller shows and answers its questions from a script.
class ScriptedView final : public tw::MonitorView {
public:
    void updateSpeeds(std::int32_t download, std::int32_t upload) override { speeds = {download, upload}; }
    void updateTotals(const tw::PeriodRecords&) override { ++totalsUpdates; }
    void addChartSample(std::int32_t download, std::int32_t upload) override {
        chartSamples.emplace_back(download, upload);
    }
    void clearChart() override {
        ++chartClears;
        chartSamples.clear();
    }
    void setAlarmStatus(const std::string& text) override { alarmStatus = text; }
    void setTrayImage(tw::TrayImage image) override { trayImage = image; }
    void setLoggingState(tw::LoggingState s) override { state = s; }
    void setTimerRunning(bool running, int intervalMs) override {
        timerRunning = running;
        timerIntervalMs = intervalMs;
    }
    bool showAlarmNotification(const std::vector<std::string>& descriptions) override {
        if (!notificationPossible) {
            return false;
        }
        notifications.push_back(descriptions);
        return true;
    }
    tw::Answer ask(const tw::Question& question) override {
        questions.push_back(question);
        if (duringQuestion) {
            duringQuestion();
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question.text;
            return tw::Answer::Cancel;
        }
        const tw::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool openLogViewer(const std::optional<tw::clsSessionData>& running) override {
        viewerRunningSession = running;
        return viewer ? viewer() : false;
    }
    bool isWindowVisible() const override { return visible; }
    void showSaveProblem(const std::string& text, bool waitForOk) override {
        saveProblems.push_back(text);
        saveProblemWaited = waitForOk;
    }

    std::pair<std::int32_t, std::int32_t> speeds{-1, -1};
    int totalsUpdates = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> chartSamples;
    int chartClears = 0;
    std::string alarmStatus;
    tw::TrayImage trayImage = tw::TrayImage::Idle;
    tw::LoggingState state = tw::LoggingState::Stopped;
    bool timerRunning = false;
    int timerIntervalMs = 0;
    bool notificationPossible = true;
    std::vector<std::vector<std::string>> notifications;
    std::deque<tw::Answer> answers;
    std::vector<tw::Question> questions;
    std::function<void()> duringQuestion;
    std::optional<tw::clsSessionData> viewerRunningSession;
    std::function<bool()> viewer;
    bool visible = true;
    std::vector<std::string> saveProblems;
    bool saveProblemWaited = false;
};

class MonitorTest : public ::testing::Test {
protected:
    MonitorTest() : clock(tw::DateTime::fromCivil(2026, 3, 14, 10, 0, 0)) {}

    tw::MonitorController& startMonitor() {
        controller = std::make_unique<tw::MonitorController>(settings, history, engine, clock, view);
        controller->start();
        return *controller;
    }

    // One timer pass after `ms` milliseconds with this much traffic.
    void tick(std::uint64_t received, std::uint64_t sent, std::uint64_t ms = 1000) {
        engine.traffic(received, sent);
        clock.advanceMs(ms);
        controller->monitorTick();
    }

    // The session lines of the history file (header and comments left out).
    std::vector<std::string> sessionLines() const {
        std::vector<std::string> lines;
        const auto all = tw::readTextLines(history);
        if (!all) {
            return lines;
        }
        for (std::size_t i = 3; i < all->size(); ++i) {
            if (!(*all)[i].empty() && (*all)[i][0] != '\'') {
                lines.push_back((*all)[i]);
            }
        }
        return lines;
    }

    void writeHistory(const std::vector<std::string>& sessions) const {
        std::vector<std::string> lines = {"'header", "'Source file for Tallywave",
                                          "'Do not change this file unless absolutely sure."};
        lines.insert(lines.end(), sessions.begin(), sessions.end());
        dir.write("datasource.txt", tw::joinLines(lines));
    }

    void writeSettings(const std::string& content) const { dir.write("settings.txt", content); }

    const tw::dayObject& session() const { return controller->periods()[0]; }
    const tw::dayObject& today() const { return controller->periods()[1]; }
    const tw::dayObject& month() const { return controller->periods()[2]; }

    TempDir dir;
    std::string settings = dir.file("settings.txt");
    std::string history = dir.file("datasource.txt");
    tw::FakeClock clock;
    FakeEngine engine;
    ScriptedView view;
    std::unique_ptr<tw::MonitorController> controller;
};

} // namespace twtest

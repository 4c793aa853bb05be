// The monitor pass runs on the UI thread every 250 ms at the shortest: an ordinary pass with many alarm rules, the
// midnight pass that appends the day and rebuilds today and this month from a long history, and a journal
// checkpoint.
#include "app/MonitorController.h"
#include "measure/IPData.h"
#include "measure/TrafficEngine.h"
#include "platform/NetworkTables.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeNetworkTables.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

class SteadyEngine final : public tw::TrafficEngine {
public:
    void updateStatistics() override {}
    std::uint64_t getBytesRecieved() override { return 125'000; }
    std::uint64_t getBytesSent() override { return 12'000; }
    void pause() override {}
    void continue_() override {}
    void stopIt() override {}
    std::string getAdaptor() const override { return {}; }
};

class QuietView final : public tw::MonitorView {
public:
    void updateSpeeds(std::int32_t, std::int32_t) override {}
    void updateTotals(const tw::PeriodRecords&) override {}
    void addChartSample(std::int32_t, std::int32_t) override {}
    void clearChart() override {}
    void setAlarmStatus(const std::string&) override {}
    void setTrayImage(tw::TrayImage) override {}
    void setLoggingState(tw::LoggingState) override {}
    void setTimerRunning(bool, int) override {}
    bool showAlarmNotification(const std::vector<std::string>&) override { return true; }
    tw::Answer ask(const tw::Question&) override { return tw::Answer::No; }
    bool openLogViewer(const std::optional<tw::clsSessionData>&) override { return false; }
    bool isWindowVisible() const override { return true; }
    void showSaveProblem(const std::string&, bool) override {}
};

struct Files {
    std::filesystem::path dir;
    std::string settings;
    std::string history;
};

// Ten years of hourly sessions (about 87 600 lines) and 50 alarm rules.
Files makeFiles() {
    Files f;
    f.dir = std::filesystem::temp_directory_path() / "tallywave-bench-monitor";
    std::filesystem::remove_all(f.dir);
    std::filesystem::create_directories(f.dir);
    f.settings = (f.dir / "settings.txt").string();
    f.history = (f.dir / "datasource.txt").string();
    std::ofstream settings(f.settings, std::ios::binary);
    settings << "[Alarm]\r\nAlarmDisabled=0\r\nNumAlarms=50\r\n";
    for (int i = 1; i <= 50; ++i) {
        settings << "Row" << i << "a=download/upload\r\nRow" << i << "b=per month\r\nRow" << i << "c=1e15\r\n";
    }
    std::ofstream history(f.history, std::ios::binary);
    history << "'2016-01-01\r\n'Source file for Tallywave\r\n'Do not change this file unless absolutely sure.\r\n";
    tw::DateTime start = tw::DateTime::fromCivil(2016, 3, 14, 0, 0);
    for (int i = 0; i < 87'600; ++i) {
        char line[120];
        std::snprintf(line, sizeof line, "%s;%s;%d;%d;%d;%d;\r\n", start.toHistoryString().c_str(),
                      start.addSeconds(3000).toHistoryString().c_str(), 123456789 + i, 2345678, 145000, 31000);
        history << line;
        start = start.addSeconds(3600);
    }
    return f;
}

// The files, clock and view of one benchmark, and a logging controller over the given engine.
struct Rig {
    Rig(tw::TrafficEngine& engine, tw::DateTime start)
        : files(makeFiles()), clock(start), controller(files.settings, files.history, engine, clock, view) {
        controller.start();
    }
    ~Rig() { std::filesystem::remove_all(files.dir); }

    Files files;
    tw::FakeClock clock;
    QuietView view;
    tw::MonitorController controller;
};

void BM_OrdinaryPass(benchmark::State& state) {
    SteadyEngine engine;
    Rig rig(engine, tw::DateTime::fromCivil(2026, 3, 14, 10, 0, 0));
    tw::FakeClock& clock = rig.clock;
    tw::MonitorController& controller = rig.controller;
    for (auto _ : state) {
        clock.advanceMs(250);
        controller.monitorTick();
    }
}
BENCHMARK(BM_OrdinaryPass);

void BM_MidnightPass(benchmark::State& state) {
    SteadyEngine engine;
    Rig rig(engine, tw::DateTime::fromCivil(2026, 3, 14, 23, 59, 59));
    tw::FakeClock& clock = rig.clock;
    tw::MonitorController& controller = rig.controller;
    int day = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clock.setNow(tw::DateTime::fromCivil(2026, 3, 14, 23, 59, 59).addDays(day++));
        controller.monitorTick();
        clock.advanceMs(1000);
        state.ResumeTiming();
        controller.monitorTick(); // the first pass of the next day
    }
}
BENCHMARK(BM_MidnightPass)->Unit(benchmark::kMillisecond);

void BM_JournalCheckpoint(benchmark::State& state) {
    SteadyEngine engine;
    Rig rig(engine, tw::DateTime::fromCivil(2026, 3, 14, 10, 0, 0));
    tw::FakeClock& clock = rig.clock;
    tw::MonitorController& controller = rig.controller;
    for (auto _ : state) {
        clock.advanceMs(tw::MonitorController::kJournalIntervalMs);
        controller.monitorTick();
    }
}
BENCHMARK(BM_JournalCheckpoint)->Unit(benchmark::kMicrosecond);

} // namespace

// A whole pass with the real engine: over 8 scripted interfaces, and over this machine's own tables.
void passWithEngine(benchmark::State& state, tw::NetworkTables& tables, tw::FakeNetworkTables* fake) {
    tw::IPData engine(tables);
    engine.addAllAdaptors();
    Rig rig(engine, tw::DateTime::fromCivil(2026, 3, 14, 10, 0, 0));
    rig.controller.setJournalIntervalMs(3'600'000); // the checkpoint is measured on its own
    for (auto _ : state) {
        if (fake) {
            for (std::uint32_t i = 1; i <= 8; ++i) {
                fake->addTraffic(i, 1500 * i, 300 * i);
            }
        }
        rig.clock.advanceMs(250);
        rig.controller.monitorTick();
    }
}

void BM_PassWithEngineOverEightInterfaces(benchmark::State& state) {
    tw::FakeNetworkTables tables;
    for (std::uint32_t i = 1; i <= 8; ++i) {
        tables.addInterface(i, "eth" + std::to_string(i));
        tables.addAddress(i, "10.0." + std::to_string(i) + ".1");
    }
    passWithEngine(state, tables, &tables);
}
BENCHMARK(BM_PassWithEngineOverEightInterfaces);

void BM_PassWithEngineOverSystemTables(benchmark::State& state) {
    const auto tables = tw::makeSystemNetworkTables();
    passWithEngine(state, *tables, nullptr);
}
BENCHMARK(BM_PassWithEngineOverSystemTables);

// Time to build today's and this month's totals from a large history (what start-up, every roll-over and --report
// pay). Compare with: awk -F';' '{d+=$3;u+=$4} END {print d, u}' on the file the benchmark leaves in its log.
#include "common/TextFile.h"
#include "history/HistoryExport.h"
#include "history/HistoryFile.h"
#include "history/clsSessionData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

constexpr int kSessions = 1'000'000;

// A history of a million sessions over about ten years, written once for all runs.
class LargeHistory {
public:
    LargeHistory() {
        m_path = (std::filesystem::temp_directory_path() / "tallywave-bench-datasource.txt").string();
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out << tw::joinLines(tw::historyHeaderLines(tw::DateTime::fromCivil(2015, 1, 1, 0, 0)));
        std::mt19937_64 rng(42);
        tw::DateTime start = tw::DateTime::fromCivil(2015, 1, 1, 0, 0);
        std::string line;
        for (int i = 0; i < kSessions; ++i) {
            tw::clsSessionData s;
            s.startDate = start;
            s.stopDate = start.addSeconds(240);
            s.downloaded = static_cast<double>(rng() % 5'000'000'000ULL);
            s.uploaded = static_cast<double>(rng() % 500'000'000ULL);
            s.maxDownloadSpeed = static_cast<std::int32_t>(rng() % 20'000'000);
            s.maxUploadSpeed = static_cast<std::int32_t>(rng() % 2'000'000);
            line = s.getStoreString();
            line += tw::kLineEnd;
            out << line;
            start = start.addSeconds(300);
        }
        m_last = start;
        out.close();
        m_bytes = static_cast<std::int64_t>(std::filesystem::file_size(m_path));
        std::fprintf(stderr, "history: %s, %.1f MB\n", m_path.c_str(), static_cast<double>(m_bytes) / 1e6);
    }
    ~LargeHistory() {
        if (std::getenv("TALLYWAVE_BENCH_KEEP") == nullptr) {
            std::remove(m_path.c_str());
        }
    }

    const std::string& path() const { return m_path; }
    std::int64_t bytes() const { return m_bytes; }
    tw::DateTime lastDay() const { return m_last; }

private:
    std::string m_path;
    std::int64_t m_bytes = 0;
    tw::DateTime m_last;
};

const LargeHistory& history() {
    static const LargeHistory h;
    return h;
}

void BM_loadPeriodTotals(benchmark::State& state) {
    const auto& h = history();
    for (auto _ : state) {
        auto totals = tw::loadPeriodTotals(h.path(), h.lastDay());
        benchmark::DoNotOptimize(totals);
    }
    state.SetBytesProcessed(state.iterations() * h.bytes());
    state.SetItemsProcessed(state.iterations() * kSessions);
}
BENCHMARK(BM_loadPeriodTotals)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same with a billing month starting on the 15th: each line is placed in its period instead of its month.
void BM_loadPeriodTotalsBillingMonth(benchmark::State& state) {
    const auto& h = history();
    for (auto _ : state) {
        auto totals = tw::loadPeriodTotals(h.path(), h.lastDay(), 15);
        benchmark::DoNotOptimize(totals);
    }
    state.SetBytesProcessed(state.iterations() * h.bytes());
    state.SetItemsProcessed(state.iterations() * kSessions);
}
BENCHMARK(BM_loadPeriodTotalsBillingMonth)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// "--export csv" of the whole history: loading the tree, then the text (the loading alone is the log viewer's).
void BM_exportEverythingAsCsv(benchmark::State& state) {
    const auto& h = history();
    for (auto _ : state) {
        tw::clsADT tree;
        tree.load(h.path());
        const std::string csv =
            tw::exportSessions(tw::sessionsBetween(tree, std::nullopt, std::nullopt), tw::ExportFormat::Csv);
        benchmark::DoNotOptimize(csv.data());
    }
    state.SetItemsProcessed(state.iterations() * kSessions);
}
BENCHMARK(BM_exportEverythingAsCsv)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_parseSessionLine(benchmark::State& state) {
    const std::string line = "2004-05-06 09:30;2004-05-06 11:02;123456789;2345678;145000;31000;";
    for (auto _ : state) {
        auto s = tw::clsSessionData::parse(line);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_parseSessionLine);

} // namespace

// Loading a long history into the log viewer's tree: the file is read once, parsed and recalculated.
#include "history/clsADT.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

constexpr int kSessions = 1'000'000;

// About 70 MB: sessions every 20 minutes, amounts of varying length, as the program writes them.
std::string makeHistory(const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "'2001-01-01 00:00:00\r\n'Source file for Tallywave\r\n'Do not change this file unless absolutely sure.\r\n";
    std::mt19937_64 random(42);
    tw::DateTime start = tw::DateTime::fromCivil(1990, 1, 1);
    for (int i = 0; i < kSessions; ++i) {
        tw::DateTime stop = start.addSeconds(60 * 19);
        char line[160];
        std::snprintf(line, sizeof line, "%s;%s;%llu;%llu;%u;%u;\r\n", start.toHistoryString().c_str(),
                      stop.toHistoryString().c_str(), static_cast<unsigned long long>(random() % 100'000'000'000ULL),
                      static_cast<unsigned long long>(random() % 1'000'000'000ULL),
                      static_cast<unsigned>(random() % 2'000'000'000U), static_cast<unsigned>(random() % 200'000U));
        out << line;
        start = start.addSeconds(60 * 20);
    }
    return path.string();
}

void BM_HistoryLoad(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "tallywave-bench-history.txt";
    const std::string file = makeHistory(path);
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        tw::clsADT tree;
        benchmark::DoNotOptimize(tree.load(file));
        tree.updateStats();
        benchmark::DoNotOptimize(tree.Count());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    if (std::getenv("TW_KEEP_BENCH_FILE") == nullptr) {
        std::filesystem::remove(path);
    }
}

} // namespace

BENCHMARK(BM_HistoryLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

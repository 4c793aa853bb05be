// Reading the system's socket tables and turning them into the connection window's rows (owners included: the
// /proc walk), with a given number of extra listening sockets of this process on the loopback; and the bare tables
// without owners for comparison.
#include "platform/ConnectionTable.h"
#include "tools/ConnectionList.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<int> openListeners(int count) {
    std::vector<int> fds;
    for (int i = 0; i < count; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || ::listen(fd, 1) != 0) {
            if (fd >= 0) {
                ::close(fd);
            }
            break;
        }
        fds.push_back(fd);
    }
    return fds;
}

void BM_ConnectionRows(benchmark::State& state) {
    const std::vector<int> fds = openListeners(static_cast<int>(state.range(0)));
    const auto table = tw::makeSystemConnectionTable();
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = tw::ConnectionList(*table).rows(false).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
    for (const int fd : fds) {
        ::close(fd);
    }
}

void BM_TablesWithoutOwners(benchmark::State& state) {
    const std::vector<int> fds = openListeners(static_cast<int>(state.range(0)));
    const auto table = tw::makeSystemConnectionTable();
    for (auto _ : state) {
        auto tcp = table->tcpTable();
        auto udp = table->udpTable();
        benchmark::DoNotOptimize(tcp);
        benchmark::DoNotOptimize(udp);
    }
    for (const int fd : fds) {
        ::close(fd);
    }
}

} // namespace

BENCHMARK(BM_TablesWithoutOwners)->Arg(0)->Arg(100)->Arg(800)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConnectionRows)->Arg(0)->Arg(100)->Arg(800)->Unit(benchmark::kMicrosecond);

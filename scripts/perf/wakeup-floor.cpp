// The least CPU a poller can use on this machine: a process that wakes at a fixed period and, optionally, reads the
// interface counters with one rtnetlink statistics dump, as the monitor does at each pass while no link changes. Run
// by scripts/measure-performance.sh; prints the CPU share of one core.
//
//   wakeup-floor PERIOD_MS SECONDS [dump]
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

namespace {

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void dumpCounters(int fd) {
    struct {
        nlmsghdr header;
        if_stats_msg stats;
    } request{};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = RTM_GETSTATS;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.stats.family = AF_UNSPEC;
    request.stats.filter_mask = IFLA_STATS_FILTER_BIT(IFLA_STATS_LINK_64);
    send(fd, &request, sizeof request, 0);
    static char buffer[1 << 16];
    for (;;) {
        int got = static_cast<int>(recv(fd, buffer, sizeof buffer, 0));
        if (got <= 0) {
            return;
        }
        for (auto* h = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(h, got); h = NLMSG_NEXT(h, got)) {
            if (h->nlmsg_type == NLMSG_DONE || h->nlmsg_type == NLMSG_ERROR) {
                return;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: wakeup-floor PERIOD_MS SECONDS [dump]\n");
        return 2;
    }
    const int periodMs = std::atoi(argv[1]);
    const int seconds = std::atoi(argv[2]);
    const bool dump = argc > 3 && std::strcmp(argv[3], "dump") == 0;
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    const double start = cpuSeconds();
    auto next = std::chrono::steady_clock::now();
    for (int i = 0; i < seconds * 1000 / periodMs; ++i) {
        next += std::chrono::milliseconds(periodMs);
        std::this_thread::sleep_until(next);
        if (dump) {
            dumpCounters(fd);
        }
    }
    std::printf("%.4f\n", 100 * (cpuSeconds() - start) / seconds);
    return 0;
}
